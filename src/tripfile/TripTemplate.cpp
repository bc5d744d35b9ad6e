#include "tripfile/TripTemplate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace TripTemplate {

QString samplePath()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString strBeside = dir.filePath(QStringLiteral("karelia.trb"));
    if (QFileInfo(strBeside).isFile())
        return strBeside;
    return QDir::cleanPath(dir.filePath(QStringLiteral("../share/torbel/karelia.trb")));
}

TripData make(const TripData* source, bool blnMenus)
{
    TripData data;
    data.dtDataBegin = QDate(1900, 1, 1);
    data.dtDataEnd = QDate(9999, 1, 1);
    data.intPeriod = 1;
    if (!source)
        return data;
    data.catalog = source->catalog;
    if (blnMenus) {
        data.menus = source->menus;
        data.intPeriod = source->intPeriod;
    }
    return data;
}

} // namespace TripTemplate

#include "app/TripExport.h"

namespace TripExport {

bool write(GlobalVariable& g, Document doc, bool blnViewAll, qint16 intSmen, const QString& strPath,
           QString& strMessage)
{
    Q_UNUSED(g);
    Q_UNUSED(doc);
    Q_UNUSED(blnViewAll);
    Q_UNUSED(intSmen);
    Q_UNUSED(strPath);
    strMessage = QStringLiteral("Экспорт документов из командной строки ещё не готов.");
    return false;
}

} // namespace TripExport

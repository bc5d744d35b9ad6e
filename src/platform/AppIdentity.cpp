#include "platform/AppIdentity.h"

#include <QGuiApplication>
#include <QString>

// The resource lives in a static library: only code that asks for it links it in.
// Registering it again is a no-op.
static void initIconResource()
{
    Q_INIT_RESOURCE(torbel_icons);
}

namespace AppIdentity {

QList<int> iconSizes()
{
    return {16, 22, 24, 32, 48, 64, 128};
}

QIcon icon()
{
    initIconResource();
    QIcon result;
    for (int size : iconSizes())
        result.addFile(QStringLiteral(":/icons/%1x%1/torbel.png").arg(size), QSize(size, size));
    return result;
}

void apply()
{
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopId));
    QGuiApplication::setWindowIcon(icon());
}

} // namespace AppIdentity

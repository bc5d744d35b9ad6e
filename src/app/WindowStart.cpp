#include "app/WindowStart.h"

#include <QList>
#include <QMessageLogContext>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace WindowStart {

bool isToolkitOption(const QString& strArgument, int& intValues)
{
    // The options the toolkit's documentation gives for every window program.
    static const char* const withValue[] = {"-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
                                            "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
                                            "-display",         "-geometry",           "-style",         "-stylesheet"};
    static const char* const flags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb"};
    intValues = 0;
    for (const char* name : flags) {
        if (strArgument == QLatin1String(name))
            return true;
    }
    for (const char* name : withValue) {
        if (strArgument == QLatin1String(name)) {
            intValues = 1;
            return true;
        }
    }
    return strArgument.startsWith(QLatin1String("-style=")) || strArgument.startsWith(QLatin1String("-stylesheet="));
}

bool displayExpected(const QStringList& arguments)
{
    QString strPlatform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const qsizetype i = arguments.indexOf(QStringLiteral("-platform"));
    if (i >= 0 && i + 1 < arguments.size())
        strPlatform = arguments.at(i + 1);
    const bool bX11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool bWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (strPlatform.isEmpty())
        return bX11 || bWayland;
    // A list of platforms to try in turn, each maybe with options after a colon.
    for (const QString& entry : strPlatform.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (name == QLatin1String("xcb")) {
            if (bX11)
                return true;
        } else if (name.startsWith(QLatin1String("wayland"))) {
            if (bWayland)
                return true;
        } else if (!name.isEmpty()) {
            return true;
        }
    }
    return false;
}

QString noDisplayText()
{
    return QStringLiteral("torbel: окнам программы нужен графический дисплей, а его нет.\n"
                          "Списки и документы раскладки можно получить и без окон: torbel --help\n");
}

namespace {

struct Held
{
    QtMsgType type;
    QString category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<Held>* held = nullptr;

void holdBack(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs(noDisplayText().toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (held)
        held->append({type, QString::fromUtf8(context.category ? context.category : ""), text});
}

} // namespace

DisplayGuard::DisplayGuard()
{
    held = new QList<Held>;
    previousHandler = qInstallMessageHandler(holdBack);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previousHandler);
    const QList<Held> messages = std::move(*held);
    delete held;
    held = nullptr;
    for (const Held& m : messages) {
        const QByteArray category = m.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.isEmpty() ? nullptr : category.constData());
        if (previousHandler)
            previousHandler(m.type, context, m.text);
        else
            std::fprintf(stderr, "%s\n", m.text.toLocal8Bit().constData());
    }
}

} // namespace WindowStart

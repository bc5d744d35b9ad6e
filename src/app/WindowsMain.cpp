#include "app/CommandLine.h"
#include "app/WindowStart.h"
#include "app/WindowsPart.h"
#include "export/DocumentFormat.h"
#include "model/GlobalVariable.h"
#include "platform/AppIdentity.h"
#include "platform/Translations.h"
#include "ui/Forms.h"
#include "ui/main/RecoveryOffer.h"
#include "ui/main/frmMainForm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <optional>

namespace WindowsPart {

namespace {

QtMessageHandler previousHandler = nullptr;

// The toolkit looks for a sandbox marker in the runtime folder as it starts, and without
// XDG_RUNTIME_DIR (a script, cron, a bare ssh session) it says so in English on every
// PDF export, though drawing pages needs no such folder. Only that notice is held back.
void withoutRuntimeNotice(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

bool drawsPages(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--"))
            break;
        const bool named = arg == QLatin1String("--output") && i + 1 < arguments.size() &&
                           DocumentFormats::isPdfName(arguments.at(i + 1));
        if (named || (arg.startsWith(QLatin1String("--output=")) && DocumentFormats::isPdfName(arg)))
            return true;
    }
    return false;
}

int main(int argc, char* argv[])
{
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments.append(QString::fromLocal8Bit(argv[i]));

    // An option (other than the toolkit's window options) means a script is asking: no
    // display is needed and no window appears.
    if (CommandLine::wanted(rawArguments)) {
        std::unique_ptr<QCoreApplication> app;
        if (drawsPages(rawArguments)) {
            qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts, but never a window
            previousHandler = qInstallMessageHandler(withoutRuntimeNotice);
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        QCoreApplication::setApplicationName(QStringLiteral("torbel"));
        QFile out;
        QFile err;
        out.open(stdout, QIODevice::WriteOnly);
        err.open(stderr, QIODevice::WriteOnly);
        return CommandLine::run(QCoreApplication::arguments().mid(1), out, err);
    }

    // Without a display the toolkit would abort; say what is missing instead.
    if (!WindowStart::displayExpected(rawArguments)) {
        std::fputs(WindowStart::noDisplayText().toLocal8Bit().constData(), stderr);
        return CommandLine::ExitFailure;
    }
    std::optional<WindowStart::DisplayGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    Translations::installToolkitRussian(app);
    QApplication::setApplicationName(QStringLiteral("torbel"));
    AppIdentity::apply();
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& main = forms.MainForm();
    main.show();
    // A trip file given on the command line (a double-click in the file manager) opens
    // at once; a bad one is reported and the program starts with a new trip.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && !args.at(1).isEmpty())
        main.OpenFile(QFileInfo(args.at(1)).absoluteFilePath());
    // Work a crash cut short is offered back over whatever opened.
    RecoveryOffer::run(main, RecoveryOffer::folder());
    RecoveryOffer::watch(main);
    return QApplication::exec();
}

} // namespace WindowsPart

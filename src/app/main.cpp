#include "app/CommandLine.h"
#include "app/WindowsPart.h"
#include "platform/HugeHeap.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

int main(int argc, char* argv[])
{
    HugeHeap::prefer();
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments.append(QString::fromLocal8Bit(argv[i]));

    // Lists, --help, --version and mistakes in the command line are answered here with
    // QtCore alone; the windows and the documents are in the windows part.
    if (CommandLine::wanted(rawArguments) && !CommandLine::exports(rawArguments)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("torbel"));
        QFile out;
        QFile err;
        out.open(stdout, QIODevice::WriteOnly);
        err.open(stderr, QIODevice::WriteOnly);
        CommandLine::runAndExit(QCoreApplication::arguments().mid(1), out, err, nullptr);
    }
#ifdef TORBEL_WINDOWS_LINKED
    // A build with the windows part linked in (the start-up benchmark).
    return WindowsPart::main(argc, argv);
#else
    return WindowsPart::load(argc, argv);
#endif
}

// The program's stand-in for tst_recoverykill: opens the trip file given, keeps changing
// its description every 20 ms with a recovery copy running, and says "written" once the
// first copy is on disk. It never ends by itself; the test kills it.
#include "model/GlobalVariable.h"
#include "tripfile/RecoveryCopy.h"
#include "tripfile/TripFile.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    GlobalVariable g;
    InitGlobalVariable(g);
    QString strMessage;
    g.strFileName = QString::fromLocal8Bit(argv[1]);
    if (!TripFile::load(g, g.strFileName, strMessage)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(strMessage));
        return 1;
    }
    RecoveryCopy copy(g, RecoveryCopy::defaultFolder());
    bool blnSaid = false;
    QObject::connect(&copy, &RecoveryCopy::written, [&] {
        if (!blnSaid) {
            std::puts("written");
            std::fflush(stdout);
            blnSaid = true;
        }
    });
    QObject::connect(&copy, &RecoveryCopy::writeFailed, [](const QString& strError) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(strError));
        std::exit(1);
    });
    int intStep = 0;
    g.intCountPeople = 7;
    QTimer change;
    QObject::connect(&change, &QTimer::timeout, [&] {
        g.strDeffine = QStringLiteral("шаг %1").arg(++intStep);
        copy.noteChanged();
    });
    change.start(20);
    return QCoreApplication::exec();
}

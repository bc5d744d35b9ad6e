#include "model/GlobalVariable.h"
#include "support/SampleTrip.h"
#include "tripfile/RecoveryCopy.h"
#include "tripfile/TripFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>

// A program killed outright (SIGKILL: no handler runs) while it keeps changing its trip
// leaves a whole recovery copy of a recent state, with its note, for the next start;
// the trip file itself is as it was.
class tst_recoverykill : public QObject
{
    Q_OBJECT

private slots:
    void killedProgramLeavesWholeCopy_data();
    void killedProgramLeavesWholeCopy();
};

void tst_recoverykill::killedProgramLeavesWholeCopy_data()
{
    QTest::addColumn<int>("afterMs");
    QTest::newRow("right after the first copy") << 0;
    QTest::newRow("among later copies") << 2500;
}

void tst_recoverykill::killedProgramLeavesWholeCopy()
{
    QFETCH(int, afterMs);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strTrip = dir.filePath("поход.trb");
    QVERIFY(TestSupport::writeSmallTrip(strTrip));
    QFile tripFile(strTrip);
    QVERIFY(tripFile.open(QIODevice::ReadOnly));
    const QByteArray tripBytes = tripFile.readAll();
    tripFile.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", dir.filePath("state"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TORBEL_RECOVERY_CHILD), {strTrip});
    QVERIFY(p.waitForStarted(20000));
    QVERIFY(QTest::qWaitFor([&] { return p.canReadLine() || p.state() == QProcess::NotRunning; }, 20000));
    QCOMPARE(p.readLine().trimmed(), QByteArray("written"));
    QTest::qWait(afterMs);
    QCOMPARE(::kill(static_cast<pid_t>(p.processId()), SIGKILL), 0);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);

    QList<RecoveryCopy::Pending> found = RecoveryCopy::pending(dir.filePath("state/torbel"));
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).strTrip, strTrip);
    QVERIFY(found.at(0).dtWritten.secsTo(QDateTime::currentDateTime()) < 60);
    TripData copy;
    QString strError;
    QVERIFY2(TripFile::readFile(found.at(0).strCopy, copy, strError), qPrintable(strError));

    // The trip as the child had it then: its file, 7 participants, the description of
    // one of its steps.
    GlobalVariable g;
    InitGlobalVariable(g);
    QString strMessage;
    QVERIFY(TripFile::load(g, strTrip, strMessage));
    g.intCountPeople = 7;
    QVERIFY2(copy.strDeffine.startsWith(QStringLiteral("шаг ")), qPrintable(copy.strDeffine));
    g.strDeffine = copy.strDeffine;
    QVERIFY(copy == TripFile::fromState(g));

    QVERIFY(tripFile.open(QIODevice::ReadOnly));
    QCOMPARE(tripFile.readAll(), tripBytes);
}

QTEST_GUILESS_MAIN(tst_recoverykill)
#include "tst_recoverykill.moc"

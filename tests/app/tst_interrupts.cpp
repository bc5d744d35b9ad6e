#include "model/GlobalVariable.h"
#include "support/FullDisk.h"
#include "support/SampleTrip.h"
#include "support/TestSupport.h"
#include "tripfile/TripFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>

// An export interrupted by Ctrl+C, SIGTERM or SIGHUP, or killed outright, leaves nothing
// behind: not in the temporary folder, not beside the document. The program stops
// itself at the worst moment, its temporary file whole and named next to the target
// (TORBEL_TEST_SAVE=stop, see platform/AtomicFile.h), and is signalled there.
namespace {

using TestSupport::readBytes;
using TestSupport::writeBytes;

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// What the program left in its temporary folder. The toolkit's own runtime folder
// ("runtime-USER", made when XDG_RUNTIME_DIR is unset) is not the program's.
QStringList leftInTemp(const QString& dir)
{
    QStringList names = entries(dir);
    names.removeIf([](const QString& name) { return name.startsWith(QLatin1String("runtime-")); });
    return names;
}

bool stopped(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype at = line.lastIndexOf(')');
    return at > 0 && line.mid(at + 2, 1) == "T";
}

} // namespace

class tst_interrupts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signalDuringTheSave_data();
    void signalDuringTheSave();
    void killedSaveIsClearedByTheNextRun();
    void quietWithAFullTemporaryFolder();

private:
    // Starts an export into dir/name with the temporary folder temp; the process stops
    // itself before its document takes the target's place.
    bool startStopped(QProcess& p, const QString& temp, const QString& target, const QByteArray& hooks);

    QTemporaryDir m_dir;
    QString m_exe;
    QString m_trip;
};

void tst_interrupts::initTestCase()
{
    m_exe = qEnvironmentVariable("TORBEL_TORBEL_EXE");
    QVERIFY2(QFile::exists(m_exe), "TORBEL_TORBEL_EXE names no program");
    m_trip = m_dir.filePath("trip.trb");
    QVERIFY(TestSupport::writeSmallTrip(m_trip));
}

bool tst_interrupts::startStopped(QProcess& p, const QString& temp, const QString& target, const QByteArray& hooks)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", temp);
    env.insert("TORBEL_TEST_SAVE", QString::fromLatin1(hooks));
    p.setProcessEnvironment(env);
    p.start(m_exe, {"--export", "layout", m_trip, "--output", target});
    if (!p.waitForStarted(20000))
        return false;
    return QTest::qWaitFor([&] { return stopped(p.processId()) || p.state() == QProcess::NotRunning; }, 60000) &&
           p.state() == QProcess::Running;
}

void tst_interrupts::signalDuringTheSave_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QByteArray>("hooks");
    QTest::addColumn<QString>("document");

    for (const auto& [name, signal] : {std::pair{"Ctrl+C", SIGINT}, {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}}) {
        QTest::addRow("%s, O_TMPFILE", name) << signal << QByteArray("stop") << "out.docx";
        QTest::addRow("%s, network share", name) << signal << QByteArray("stop,named") << "out.docx";
    }
    QTest::newRow("SIGTERM, PDF on a network share") << int(SIGTERM) << QByteArray("stop,named") << "out.pdf";
}

void tst_interrupts::signalDuringTheSave()
{
    QFETCH(int, signal);
    QFETCH(QByteArray, hooks);
    QFETCH(QString, document);

    QTemporaryDir temp;
    QTemporaryDir out;
    const QString target = out.filePath(document);
    QVERIFY(writeBytes(target, "older"));
    QProcess p;
    QVERIFY2(startStopped(p, temp.path(), target, hooks), p.readAllStandardError().constData());
    // Stopped where it should be: the new document whole and named beside the old one.
    const QStringList during = entries(out.path());
    QCOMPARE(during.size(), 2);
    QVERIFY2(during.at(0).startsWith("." + document + ".torbel-"), qPrintable(during.join('|')));

    QCOMPARE(::kill(static_cast<pid_t>(p.processId()), signal), 0);
    QCOMPARE(::kill(static_cast<pid_t>(p.processId()), SIGCONT), 0);
    QVERIFY(p.waitForFinished(20000));
    // Ended by the signal, as it would have been without the clearing up.
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    QCOMPARE(p.exitCode(), signal);
    QCOMPARE(entries(out.path()), QStringList{document});
    QCOMPARE(readBytes(target), QByteArray("older"));
    QCOMPARE(leftInTemp(temp.path()), QStringList());
}

// No handler runs for SIGKILL: the next export into the folder removes what is left.
void tst_interrupts::killedSaveIsClearedByTheNextRun()
{
    QTemporaryDir temp;
    QTemporaryDir out;
    const QString target = out.filePath("out.docx");
    QProcess p;
    QVERIFY(startStopped(p, temp.path(), target, "stop,named"));
    QCOMPARE(::kill(static_cast<pid_t>(p.processId()), SIGKILL), 0);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(entries(out.path()).size(), 1);
    QVERIFY(entries(out.path()).at(0).startsWith(".out.docx.torbel-"));

    QProcess next;
    next.start(m_exe, {"--export", "purchases", m_trip, "--output", out.filePath("list.docx")});
    QVERIFY(next.waitForFinished(20000));
    QCOMPARE(next.readAllStandardError(), QByteArray());
    QCOMPARE(next.exitCode(), 0);
    QCOMPARE(entries(out.path()), QStringList{"list.docx"});
    QCOMPARE(leftInTemp(temp.path()), QStringList());
}

// Documents are made in memory: a full temporary folder changes nothing. And a script's
// exports say nothing on standard error, even without a login session (no
// XDG_RUNTIME_DIR), where the toolkit would complain in English at every PDF.
void tst_interrupts::quietWithAFullTemporaryFolder()
{
    FullDisk disk;
    QTemporaryDir spare;
    const bool blnFull = disk.isValid() && disk.fill();
    const QString temp = blnFull ? disk.filePath(QString()) : spare.path();
    QTemporaryDir out;
    for (const char* name : {"out.docx", "out.pdf"}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_RUNTIME_DIR");
        env.insert("TMPDIR", temp);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(m_exe, {"--export", "layout", m_trip, "--output", out.filePath(name)});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.readAllStandardError(), QByteArray());
        QCOMPARE(p.exitCode(), 0);
    }
    QCOMPARE(entries(out.path()), (QStringList{"out.docx", "out.pdf"}));
    QCOMPARE(readBytes(out.filePath("out.pdf")).left(5), QByteArray("%PDF-"));
    QCOMPARE(leftInTemp(temp), blnFull ? QStringList{"filler"} : QStringList());
}

QTEST_MAIN(tst_interrupts)
#include "tst_interrupts.moc"

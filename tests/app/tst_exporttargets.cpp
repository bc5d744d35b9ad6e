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

#include <sys/stat.h>
#include <sys/sysmacros.h>

// What the command line may write and read: the document replaces only a regular file
// (through a symlink too), never the trip itself, and a failed write keeps the old file;
// the trip is read only from a regular file.
namespace {

using TestSupport::readBytes;
using TestSupport::writeBytes;

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QStringList errLines;
};

const QString notRegular = QStringLiteral("это не обычный файл (канал, устройство или сокет)");

} // namespace

class tst_exporttargets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusedTargets_data();
    void refusedTargets();
    void symlinkWrittenThrough();
    void fullDiskKeepsTheOldDocument();
    void tripMustBeARegularFile_data();
    void tripMustBeARegularFile();

private:
    Result torbel(const QStringList& args) const;

    QTemporaryDir m_dir;
    QString m_exe;
    QString m_trip;
};

void tst_exporttargets::initTestCase()
{
    m_exe = qEnvironmentVariable("TORBEL_TORBEL_EXE");
    QVERIFY2(QFile::exists(m_exe), "TORBEL_TORBEL_EXE names no program");
    m_trip = m_dir.filePath("trip.trb");
    QVERIFY(TestSupport::writeSmallTrip(m_trip));
}

Result tst_exporttargets::torbel(const QStringList& args) const
{
    QProcess p;
    p.start(m_exe, args);
    Result r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        r.errLines = QStringList{"did not finish"};
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.errLines = QString::fromUtf8(p.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return r;
}

void tst_exporttargets::refusedTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    QTest::newRow("the trip itself") << "trip"
                                     << "это файл раскладки, из которого строится документ";
    QTest::newRow("a link to the trip") << "link to trip"
                                        << "это файл раскладки, из которого строится документ";
    QTest::newRow("read-only document") << "read-only"
                                        << "файл только для чтения";
    QTest::newRow("fifo") << "fifo" << notRegular;
    QTest::newRow("device node") << "device" << notRegular;
    QTest::newRow("folder") << "folder"
                            << "это папка, а не файл";
}

void tst_exporttargets::refusedTargets()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QString target = dir.filePath("out.docx");
    const QByteArray native = QFile::encodeName(target);
    if (kind == "trip") {
        target = m_trip;
    } else if (kind == "link to trip") {
        QVERIFY(QFile::link(m_trip, target));
    } else if (kind == "read-only") {
        QVERIFY(writeBytes(target, "older"));
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(native.constData(), 0644), 0);
    } else if (kind == "device") {
        // A private null device: a failing test must not replace the system's.
        if (::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("cannot make a device node here");
    } else {
        QVERIFY(QDir().mkdir(target));
    }
    struct stat before = {};
    QCOMPARE(::lstat(QFile::encodeName(target).constData(), &before), 0);
    const QByteArray tripBefore = readBytes(m_trip);

    const Result r = torbel({"--export", "purchases", m_trip, "--output", target});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errLines, (QStringList{QStringLiteral("Ошибка записи файла  %1!").arg(target), reason}));

    struct stat after = {};
    QCOMPARE(::lstat(QFile::encodeName(target).constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(readBytes(m_trip), tripBefore);
    if (kind == "read-only")
        QCOMPARE(readBytes(target), QByteArray("older"));
}

void tst_exporttargets::symlinkWrittenThrough()
{
    QTemporaryDir dir;
    const QString real = dir.filePath("real.docx");
    const QString link = dir.filePath("link.docx");
    QVERIFY(writeBytes(real, "older"));
    QVERIFY(QFile::link(real, link));
    const Result r = torbel({"--export", "layout", m_trip, "--output", link});
    QCOMPARE(r.errLines, QStringList());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(real).left(2), QByteArray("PK"));
}

void tst_exporttargets::fullDiskKeepsTheOldDocument()
{
    FullDisk disk;
    if (!disk.isValid())
        QSKIP(qPrintable(disk.whyNot()));
    const QString target = disk.filePath("list.docx");
    QVERIFY(disk.writeBefore(target, "older"));
    QVERIFY(disk.fill());

    const Result r = torbel({"--export", "purchases", m_trip, "--output", target});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errLines.value(0), QStringLiteral("Ошибка записи файла  %1!").arg(target));
    // The system's reason follows.
    QCOMPARE(r.errLines.value(1), QStringLiteral("на диске нет места"));
    QCOMPARE(readBytes(target), QByteArray("older"));
    QCOMPARE(disk.entries(), (QStringList{"filler", "list.docx"}));

    // The window's save of a small trip fails the same way, and says so.
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Чай", "5", "гр"}}, {"1||"}, 2, 1, 2);
    QString message;
    QVERIFY(!TripFile::save(g, target, message));
    QCOMPARE(message, TripFile::writeErrorText(target));
    QCOMPARE(readBytes(target), QByteArray("older"));
}

void tst_exporttargets::tripMustBeARegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    QTest::newRow("fifo") << "fifo" << notRegular;
    QTest::newRow("link to a fifo") << "link to fifo" << notRegular;
    QTest::newRow("endless device") << "/dev/zero" << notRegular;
    QTest::newRow("folder") << "folder"
                            << "это папка, а не файл";
}

void tst_exporttargets::tripMustBeARegularFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QString path = dir.filePath("trip.trb");
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (kind == "link to fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0644), 0);
        QVERIFY(QFile::link(dir.filePath("fifo"), path));
    } else if (kind == "folder") {
        path = dir.path();
    } else {
        path = kind;
    }
    const Result r = torbel({"--list", "purchases", path});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.errLines.value(0), TripFile::readErrorText());
    QVERIFY2(r.errLines.value(1).endsWith(reason), qPrintable(r.errLines.join('|')));

    // The window loads through the same code: refused at once, the trip unchanged.
    GlobalVariable g;
    InitGlobalVariable(g);
    QString message;
    QVERIFY(!TripFile::load(g, path, message));
    QCOMPARE(message, TripFile::readErrorText());
}

QTEST_MAIN(tst_exporttargets)
#include "tst_exporttargets.moc"

#include "platform/AtomicFile.h"
#include "support/TestSupport.h"

#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

using TestSupport::readBytes;
using TestSupport::writeBytes;

// A device that takes writes into a buffer of its own, as a file does, and fails either
// once intWriteLimit bytes have been written or when the buffer has to go out.
class FailDevice : public QIODevice
{
public:
    FailDevice(qint64 intWriteLimit, bool blnFailFlush)
        : m_intWriteLimit(intWriteLimit)
        , m_blnFailFlush(blnFailFlush)
    {
    }

    // What reached the "disk".
    QByteArray stored;

    bool isSequential() const override { return true; }
    qint64 bytesToWrite() const override { return m_pending.size(); }

    bool waitForBytesWritten(int) override
    {
        if (m_blnFailFlush) {
            setErrorString(QStringLiteral("No space left on device"));
            return false;
        }
        stored += m_pending;
        m_pending.clear();
        return true;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        if (m_intWritten + len > m_intWriteLimit) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        m_intWritten += len;
        m_pending.append(data, len);
        return len;
    }

private:
    qint64 m_intWriteLimit;
    bool m_blnFailFlush;
    qint64 m_intWritten = 0;
    QByteArray m_pending;
};

QFileDevice::Permissions mode(QFileDevice::Permissions perms)
{
    // Qt reports each owner permission twice (as owner and as user).
    return perms & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

} // namespace

class tst_atomicfile : public QObject
{
    Q_OBJECT

private slots:
    void writeOutChecksEveryStep_data();
    void writeOutChecksEveryStep();
    void replacesWholeKeepingPermissions();
    void newFileFollowsTheUmask();
    void symlinkIsWrittenThrough();
    void refusedTargets_data();
    void refusedTargets();
    void writeNewNeverReplaces();
    void fullDiskKeepsTheOldFile();
    void withoutTmpfile_data();
    void withoutTmpfile();
    void staleFilesOfOthers_data();
    void staleFilesOfOthers();
};

void tst_atomicfile::writeOutChecksEveryStep_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("failFlush");
    QTest::addColumn<bool>("ok");

    QTest::newRow("all good") << qint64(1000) << false << true;
    QTest::newRow("first write fails") << qint64(0) << false << false;
    QTest::newRow("written, the flush fails") << qint64(1000) << true << false;
}

void tst_atomicfile::writeOutChecksEveryStep()
{
    QFETCH(qint64, limit);
    QFETCH(bool, failFlush);
    QFETCH(bool, ok);

    FailDevice device(limit, failFlush);
    QVERIFY(device.open(QIODevice::WriteOnly));
    QString error;
    QCOMPARE(AtomicFile::writeOut(device, QByteArray(100, 'x'), error), ok);
    QCOMPARE(error.isEmpty(), ok);
    QCOMPARE(device.stored.size(), ok ? 100 : 0);
}

void tst_atomicfile::replacesWholeKeepingPermissions()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("trip.trb");
    QVERIFY(writeBytes(path, "old old old"));
    const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, perms));

    QString error;
    QVERIFY2(AtomicFile::write(path, "new", error), qPrintable(error));
    QCOMPARE(readBytes(path), QByteArray("new"));
    QCOMPARE(mode(QFile::permissions(path)), perms);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"trip.trb"});
}

void tst_atomicfile::newFileFollowsTheUmask()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.docx");
    const mode_t old = ::umask(027);
    QString error;
    const bool written = AtomicFile::write(path, "doc", error);
    ::umask(old);
    QVERIFY2(written, qPrintable(error));
    QCOMPARE(mode(QFile::permissions(path)), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
}

void tst_atomicfile::symlinkIsWrittenThrough()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("real.trb");
    const QString link = dir.filePath("link.trb");
    QVERIFY(writeBytes(target, "old"));
    QVERIFY(QFile::link(target, link));
    QString error;
    QVERIFY2(AtomicFile::write(link, "new", error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(target), QByteArray("new"));
}

void tst_atomicfile::refusedTargets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    QTest::newRow("folder") << "folder"
                            << "это папка, а не файл";
    QTest::newRow("fifo") << "fifo"
                          << "это не обычный файл (канал, устройство или сокет)";
    QTest::newRow("link to a fifo") << "link to fifo"
                                    << "это не обычный файл (канал, устройство или сокет)";
    QTest::newRow("device node") << "device"
                                 << "это не обычный файл (канал, устройство или сокет)";
    QTest::newRow("read-only file") << "read-only"
                                    << "файл только для чтения";
}

void tst_atomicfile::refusedTargets()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString path = dir.filePath("target");
    const QByteArray native = QFile::encodeName(path);
    if (kind == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(native.constData(), 0644), 0);
    } else if (kind == "link to fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0644), 0);
        QVERIFY(QFile::link(dir.filePath("fifo"), path));
    } else if (kind == "device") {
        // A private copy of the null device: a failing test must not touch the system's.
        if (::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("cannot make a device node here");
    } else {
        QVERIFY(writeBytes(path, "keep"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    struct stat before = {};
    QCOMPARE(::lstat(native.constData(), &before), 0);

    QString error;
    QVERIFY(!AtomicFile::checkTarget(path, error));
    QCOMPARE(error, reason);
    error.clear();
    QVERIFY(!AtomicFile::write(path, "new", error));
    QCOMPARE(error, reason);

    // The very same node is still there, untouched.
    struct stat after = {};
    QCOMPARE(::lstat(native.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    if (kind == "read-only")
        QCOMPARE(readBytes(path), QByteArray("keep"));
}

void tst_atomicfile::writeNewNeverReplaces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Раскладка.docx");
    QString error;
    QVERIFY(AtomicFile::writeNew(path, "first", error));
    QVERIFY(!AtomicFile::writeNew(path, "second", error));
    QVERIFY(error.isEmpty()); // taken, not broken: the caller tries another name
    QCOMPARE(readBytes(path), QByteArray("first"));
    QVERIFY(!AtomicFile::writeNew(dir.filePath("no folder/x.docx"), "x", error));
    QVERIFY(!error.isEmpty());
}

// A small file is only written out at the flush: on a full disk that is where it fails.
void tst_atomicfile::fullDiskKeepsTheOldFile()
{
    FullDisk disk;
    if (!disk.isValid())
        QSKIP(qPrintable(disk.whyNot()));
    const QString path = disk.filePath("trip.trb");
    QVERIFY(disk.writeBefore(path, "old trip"));
    QVERIFY(disk.fill());

    QString error;
    QVERIFY(!AtomicFile::write(path, QByteArray(4000, 'n'), error));
    QCOMPARE(error, QStringLiteral("на диске нет места"));
    QCOMPARE(readBytes(path), QByteArray("old trip"));
    QVERIFY(!AtomicFile::writeNew(disk.filePath("new.docx"), QByteArray(4000, 'n'), error));
    QVERIFY(!QFile::exists(disk.filePath("new.docx")));
    QCOMPARE(disk.entries(), (QStringList{"filler", "trip.trb"}));
}

// A network share has no O_TMPFILE: the temporary file is named at once, and still
// nothing of it stays, whether the write succeeds or the disk is full.
void tst_atomicfile::withoutTmpfile_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("O_TMPFILE") << false;
    QTest::newRow("named temporary file") << true;
}

void tst_atomicfile::withoutTmpfile()
{
    QFETCH(bool, named);
    qputenv("TORBEL_TEST_SAVE", named ? "named" : "");
    QTemporaryDir dir;
    const QString path = dir.filePath("trip.trb");
    QVERIFY(writeBytes(path, "old"));
    const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                       QFileDevice::WriteGroup | QFileDevice::ReadOther;
    QVERIFY(QFile::setPermissions(path, perms));
    QString error;
    const mode_t old = ::umask(077);
    const bool written = AtomicFile::write(path, "new", error) &&
                         AtomicFile::writeNew(dir.filePath("doc.docx"), "doc", error) &&
                         !AtomicFile::writeNew(dir.filePath("doc.docx"), "again", error);
    ::umask(old);
    QVERIFY2(written, qPrintable(error));
    QCOMPARE(readBytes(path), QByteArray("new"));
    QCOMPARE(readBytes(dir.filePath("doc.docx")), QByteArray("doc"));
    // The old file's mode is kept whatever the umask; a new file follows it.
    QCOMPARE(mode(QFile::permissions(path)), perms);
    QCOMPARE(mode(QFile::permissions(dir.filePath("doc.docx"))), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"doc.docx", "trip.trb"}));

    FullDisk disk;
    if (!disk.isValid()) {
        qunsetenv("TORBEL_TEST_SAVE");
        QSKIP(qPrintable(disk.whyNot()));
    }
    QVERIFY(disk.writeBefore(disk.filePath("trip.trb"), "old trip"));
    QVERIFY(disk.fill());
    QVERIFY(!AtomicFile::write(disk.filePath("trip.trb"), QByteArray(8000, 'n'), error));
    QVERIFY(!AtomicFile::writeNew(disk.filePath("new.docx"), QByteArray(8000, 'n'), error));
    qunsetenv("TORBEL_TEST_SAVE");
    QCOMPARE(error, QStringLiteral("на диске нет места"));
    QCOMPARE(readBytes(disk.filePath("trip.trb")), QByteArray("old trip"));
    QCOMPARE(disk.entries(), (QStringList{"filler", "trip.trb"}));
}

// The temporary files a killed save leaves are removed by the next save into the folder,
// but only those of a process of this computer that is gone.
void tst_atomicfile::staleFilesOfOthers_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<bool>("removed");

    QTest::newRow("a finished process") << "finished" << true;
    QTest::newRow("a running process") << "running" << false;
    QTest::newRow("another computer") << "other host" << false;
    QTest::newRow("not ours") << "foreign" << false;
    QTest::newRow("a folder") << "folder" << false;
}

void tst_atomicfile::staleFilesOfOthers()
{
    QFETCH(QString, owner);
    QFETCH(bool, removed);

    char host[256] = {};
    QCOMPARE(::gethostname(host, sizeof host - 1), 0);
    // Past any pid_max: surely no running process.
    const qint64 gone = 0x7fffffff;
    const QString ours = QStringLiteral(".trip.trb.torbel-%1-%2-aB3dE9").arg(QString::fromLocal8Bit(host));
    const QString name = owner == "running"      ? ours.arg(::getppid())
                         : owner == "other host" ? QStringLiteral(".trip.trb.torbel-elsewhere-%1-aB3dE9").arg(gone)
                         : owner == "foreign"    ? QStringLiteral(".trip.trb.aB3dE9")
                                                 : ours.arg(gone);
    QTemporaryDir dir;
    QVERIFY(owner == "folder" ? QDir(dir.path()).mkdir(name) : writeBytes(dir.filePath(name), "half a trip"));
    QString error;
    QVERIFY2(AtomicFile::write(dir.filePath("other.trb"), "whole", error), qPrintable(error));
    QCOMPARE(QFileInfo::exists(dir.filePath(name)), !removed);
}

QTEST_MAIN(tst_atomicfile)
#include "tst_atomicfile.moc"

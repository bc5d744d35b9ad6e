#include "platform/AtomicFile.h"

#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

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

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

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
    QVERIFY2(error.contains("space", Qt::CaseInsensitive), qPrintable(error));
    QCOMPARE(readBytes(path), QByteArray("old trip"));
    QVERIFY(!AtomicFile::writeNew(disk.filePath("new.docx"), QByteArray(4000, 'n'), error));
    QVERIFY(!QFile::exists(disk.filePath("new.docx")));
    QCOMPARE(disk.entries(), (QStringList{"filler", "trip.trb"}));
}

QTEST_MAIN(tst_atomicfile)
#include "tst_atomicfile.moc"

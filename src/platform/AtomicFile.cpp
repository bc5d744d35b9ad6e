#include "platform/AtomicFile.h"

#include "platform/Leftover.h"
#include "platform/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFile {

namespace {

struct Hooks
{
    bool blnStop = false;
    bool blnNamed = false;
};

// Read at every save, so that a test may change them between saves.
Hooks hooks()
{
    Hooks made;
    for (const QByteArray& word : qgetenv("TORBEL_TEST_SAVE").split(',')) {
        made.blnStop = made.blnStop || word == "stop";
        made.blnNamed = made.blnNamed || word == "named";
    }
    return made;
}

void stopForTest()
{
    if (hooks().blnStop)
        ::raise(SIGSTOP);
}

QString reasonOf(const QIODevice& device)
{
    return device.errorString().isEmpty() ? QStringLiteral("запись не удалась") : SystemError::text(device);
}

QByteArray hostName()
{
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0 || buffer[0] == '\0')
        return QByteArrayLiteral("localhost");
    QByteArray host(buffer);
    host.replace('/', '_');
    return host;
}

// What our temporary files carry after the name they stand for: the host and the process
// tell whether the file's maker is still at work.
const QByteArray& marker()
{
    static const QByteArray m = ".torbel-" + hostName() + '-';
    return m;
}

// ".trip.trb.torbel-HOST-PID-XXXXXX" beside the file: hidden, and short enough for any
// file system even when the name is long.
QByteArray temporaryPattern(const QString& strDir, const QString& strName)
{
    QString strShort = strName;
    while (QFile::encodeName(strShort).size() > 100)
        strShort.chop(1);
    if (strShort.size() > 0 && strShort.back().isHighSurrogate())
        strShort.chop(1);
    return QFile::encodeName(strDir) + "/." + QFile::encodeName(strShort) + marker() + QByteArray::number(::getpid()) +
           "-XXXXXX";
}

// Whether the entry is a temporary file of ours whose process is gone.
bool isStale(const char* name)
{
    if (name[0] != '.')
        return false;
    const QByteArray entry(name);
    const qsizetype at = entry.lastIndexOf(marker());
    if (at < 1)
        return false;
    const QByteArray tail = entry.mid(at + marker().size()); // PID-XXXXXX
    const qsizetype dash = tail.indexOf('-');
    if (dash < 1 || tail.size() - dash - 1 != 6)
        return false;
    bool ok = false;
    const qlonglong pid = tail.left(dash).toLongLong(&ok);
    if (!ok || pid < 1 || pid == ::getpid() || pid > 0x7fffffff)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// A save killed outright (no handler runs for SIGKILL or a power cut) leaves its
// temporary file; the next save into the folder removes what a finished process left.
void removeStale(const QByteArray& dir)
{
    DIR* d = ::opendir(dir.constData());
    if (!d)
        return;
    while (const dirent* e = ::readdir(d)) {
        if ((e->d_type != DT_REG && e->d_type != DT_UNKNOWN) || !isStale(e->d_name))
            continue;
        struct stat st = {};
        if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Every byte, the mode, and out to the disk: a network share may tell a full disk
// only at the sync or the close.
bool fill(int fd, const QByteArray& bytes, std::optional<mode_t> mode, QString& strError)
{
    qsizetype intDone = 0;
    while (intDone < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + intDone, static_cast<size_t>(bytes.size() - intDone));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            strError = SystemError::text(n < 0 ? errno : EIO);
            return false;
        }
        intDone += n;
    }
    // A share that keeps modes of its own refuses this; the file is written all the same.
    if (mode)
        ::fchmod(fd, *mode);
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != EOPNOTSUPP) {
        strError = SystemError::text(errno);
        return false;
    }
    return true;
}

bool closeChecked(int fd, QString& strError)
{
    if (::close(fd) != 0 && errno != EINTR) {
        strError = SystemError::text(errno);
        return false;
    }
    return true;
}

// The bytes in a new file in strDir under a temporary name of ours, held by hold for the
// signals. Where the file system allows, the file has no name until it is whole.
bool writeTemporary(const QString& strDir, const QString& strName, std::optional<mode_t> keepMode,
                    const QByteArray& bytes, std::unique_ptr<Leftover>& hold, QString& strError)
{
    const QByteArray dir = QFile::encodeName(strDir);
    const QByteArray pattern = temporaryPattern(strDir, strName);
    if (!hooks().blnNamed) {
        const int fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, keepMode.value_or(0666));
        if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            strError = SystemError::text(errno);
            return false;
        }
        if (fd >= 0) {
            if (!fill(fd, bytes, keepMode, strError)) {
                ::close(fd);
                return false;
            }
            char proc[64];
            std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
            static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
            for (int intTry = 0; intTry < 100; ++intTry) {
                QByteArray candidate = pattern;
                for (qsizetype i = candidate.size() - 6; i < candidate.size(); ++i)
                    candidate[i] = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
                hold = std::make_unique<Leftover>(candidate);
                if (::linkat(AT_FDCWD, proc, AT_FDCWD, hold->path(), AT_SYMLINK_FOLLOW) == 0) {
                    if (closeChecked(fd, strError))
                        return true;
                    ::unlink(hold->path());
                    return false;
                }
                if (errno != EEXIST)
                    break;
            }
            // No /proc, or no links on this file system: written again below, named.
            hold.reset();
            ::close(fd);
        }
    }
    hold = std::make_unique<Leftover>(pattern);
    const int fd = ::mkostemp(hold->path(), O_CLOEXEC);
    if (fd < 0) {
        strError = SystemError::text(errno);
        hold.reset();
        return false;
    }
    if (!fill(fd, bytes, keepMode.value_or(newFileMode()), strError)) {
        ::close(fd);
        ::unlink(hold->path());
        hold.reset();
        return false;
    }
    if (!closeChecked(fd, strError)) {
        ::unlink(hold->path());
        hold.reset();
        return false;
    }
    return true;
}

} // namespace

bool checkTarget(const QString& strPath, QString& strError)
{
    if (strPath.isEmpty()) {
        strError = QStringLiteral("не задано имя файла");
        return false;
    }
    const QByteArray native = QFile::encodeName(strPath);
    struct stat st = {};
    // stat() follows a symlink: what counts is the file it leads to.
    if (::stat(native.constData(), &st) != 0) {
        if (errno == ENOENT)
            return true;
        strError = SystemError::text(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        strError = QStringLiteral("это папка, а не файл");
        return false;
    }
    // A rename over a FIFO or a device node would replace the node itself.
    if (!S_ISREG(st.st_mode)) {
        strError = QStringLiteral("это не обычный файл (канал, устройство или сокет)");
        return false;
    }
    // Root passes access(), so a file without write bits is taken as read-only as well.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(native.constData(), W_OK) != 0) {
        strError = QStringLiteral("файл только для чтения");
        return false;
    }
    return true;
}

bool writeOut(QIODevice& device, const QByteArray& bytes, QString& strError)
{
    qint64 intDone = 0;
    while (intDone < bytes.size()) {
        const qint64 intWritten = device.write(bytes.constData() + intDone, bytes.size() - intDone);
        if (intWritten <= 0) {
            strError = reasonOf(device);
            return false;
        }
        intDone += intWritten;
    }
    if (auto* file = qobject_cast<QFileDevice*>(&device)) {
        if (!file->flush() || file->error() != QFileDevice::NoError) {
            strError = reasonOf(device);
            return false;
        }
        return true;
    }
    while (device.bytesToWrite() > 0) {
        if (!device.waitForBytesWritten(-1)) {
            strError = reasonOf(device);
            return false;
        }
    }
    return true;
}

bool write(const QString& strPath, const QByteArray& bytes, QString& strError)
{
    if (!checkTarget(strPath, strError))
        return false;
    // Written through a symlink: the file it leads to is replaced, the link stays.
    QString strTarget = strPath;
    const QFileInfo given(strPath);
    if (given.isSymLink()) {
        const QString strReal = given.canonicalFilePath();
        strTarget = strReal.isEmpty() ? given.symLinkTarget() : strReal;
    }
    const QFileInfo target(strTarget);
    const QByteArray native = QFile::encodeName(strTarget);
    std::optional<mode_t> keepMode;
    struct stat st = {};
    if (::stat(native.constData(), &st) == 0)
        keepMode = st.st_mode & 07777;

    removeStale(QFile::encodeName(target.absolutePath()));
    std::unique_ptr<Leftover> hold;
    if (!writeTemporary(target.absolutePath(), target.fileName(), keepMode, bytes, hold, strError))
        return false;
    stopForTest();
    if (::rename(hold->path(), native.constData()) != 0) {
        strError = SystemError::text(errno);
        ::unlink(hold->path());
        return false;
    }
    return true;
}

bool writeNew(const QString& strPath, const QByteArray& bytes, QString& strError)
{
    strError.clear();
    const QByteArray native = QFile::encodeName(strPath);
    struct stat st = {};
    if (::lstat(native.constData(), &st) == 0)
        return false;
    const QFileInfo target(strPath);
    removeStale(QFile::encodeName(target.absolutePath()));
    std::unique_ptr<Leftover> hold;
    if (!writeTemporary(target.absolutePath(), target.fileName(), std::nullopt, bytes, hold, strError))
        return false;
    stopForTest();
    // A link never replaces a file: a name taken meanwhile stays as it was.
    if (::link(hold->path(), native.constData()) == 0) {
        ::unlink(hold->path());
        return true;
    }
    int intErrno = errno;
    if (intErrno == EPERM || intErrno == EOPNOTSUPP || intErrno == EMLINK) {
        // A file system without hard links: the name is checked, then taken.
        if (::lstat(native.constData(), &st) == 0)
            intErrno = EEXIST;
        else if (::rename(hold->path(), native.constData()) == 0)
            return true;
        else
            intErrno = errno;
    }
    ::unlink(hold->path());
    if (intErrno != EEXIST)
        strError = SystemError::text(intErrno);
    return false;
}

bool sameFile(const QString& strPath1, const QString& strPath2)
{
    struct stat st1 = {};
    struct stat st2 = {};
    return ::stat(QFile::encodeName(strPath1).constData(), &st1) == 0 &&
           ::stat(QFile::encodeName(strPath2).constData(), &st2) == 0 && st1.st_dev == st2.st_dev &&
           st1.st_ino == st2.st_ino;
}

} // namespace AtomicFile

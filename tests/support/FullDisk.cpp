#include "support/FullDisk.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

FullDisk::FullDisk()
{
    if (::geteuid() != 0) {
        m_strWhyNot = QStringLiteral("a full disk needs root to mount a tmpfs");
        return;
    }
    if (!m_dir.isValid()) {
        m_strWhyNot = QStringLiteral("no temporary folder");
        return;
    }
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
        m_strWhyNot = QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_blnMounted = true;
}

FullDisk::~FullDisk()
{
    if (m_blnMounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QStringList FullDisk::entries() const
{
    QStringList names = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

bool FullDisk::writeBefore(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

bool FullDisk::fill()
{
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const QByteArray chunk(4096, 'f');
    qint64 intStep = chunk.size();
    while (intStep > 0) {
        if (::write(fd, chunk.constData(), static_cast<size_t>(intStep)) <= 0)
            intStep /= 2;
    }
    const bool blnFull = errno == ENOSPC;
    ::close(fd);
    return blnFull;
}

#include "platform/RegularFile.h"

#include "platform/SystemError.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

bool openForReading(QFile& file, const QString& strPath, QString& strError)
{
    if (strPath.isEmpty()) {
        strError = QStringLiteral("не задано имя файла");
        return false;
    }
    // Without O_NONBLOCK the open of a FIFO waits for a writer; the check is then made
    // on what was opened, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(strPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        strError = SystemError::text(errno);
        return false;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        strError = S_ISDIR(st.st_mode) ? QStringLiteral("это папка, а не файл")
                                       : QStringLiteral("это не обычный файл (канал, устройство или сокет)");
        ::close(fd);
        return false;
    }
    // Reads of a regular file never block; the flag is cleared all the same.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        strError = SystemError::text(file);
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace RegularFile

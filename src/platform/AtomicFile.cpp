#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFile {

namespace {

QString systemReason(int intErrno)
{
    return QString::fromLocal8Bit(std::strerror(intErrno));
}

QString reasonOf(const QIODevice& device)
{
    const QString strReason = device.errorString();
    return strReason.isEmpty() ? QStringLiteral("запись не удалась") : strReason;
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
        strError = systemReason(errno);
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
    // QSaveFile writes through a symlink and gives the temporary file the permissions
    // of the file it replaces.
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly)) {
        strError = reasonOf(file);
        return false;
    }
    if (!writeOut(file, bytes, strError)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        strError = reasonOf(file);
        return false;
    }
    return true;
}

bool writeNew(const QString& strPath, const QByteArray& bytes, QString& strError)
{
    strError.clear();
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        const QFileInfo info(strPath);
        if (!info.exists() && !info.isSymLink())
            strError = reasonOf(file);
        return false;
    }
    if (!writeOut(file, bytes, strError)) {
        file.close();
        file.remove();
        return false;
    }
    file.close();
    return true;
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

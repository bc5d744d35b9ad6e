#include "platform/SystemError.h"

#include <QFileDevice>

#include <cerrno>
#include <cstring>

namespace SystemError {

namespace {

struct Reason
{
    int intErrno;
    const char* text;
};

// The reasons a file can fail with, and a few a broken system may give.
const Reason reasons[] = {
    {ENOSPC, "на диске нет места"},
    {EDQUOT, "превышена дисковая квота"},
    {ENOENT, "нет такого файла или папки"},
    {EACCES, "нет прав доступа"},
    {EPERM, "действие не разрешено"},
    {EROFS, "файловая система только для чтения"},
    {EIO, "ошибка ввода-вывода"},
    {ENOTDIR, "часть пути не является папкой"},
    {EISDIR, "это папка, а не файл"},
    {ENAMETOOLONG, "слишком длинное имя файла"},
    {ELOOP, "слишком много символических ссылок в пути"},
    {EEXIST, "файл уже существует"},
    {EFBIG, "файл слишком велик"},
    {EMFILE, "открыто слишком много файлов"},
    {ENFILE, "в системе открыто слишком много файлов"},
    {ENOMEM, "не хватает памяти"},
    {EBUSY, "файл или устройство заняты"},
    {ETXTBSY, "файл занят"},
    {EXDEV, "файлы на разных файловых системах"},
    {ENXIO, "нет такого устройства или адреса"},
    {ENODEV, "нет такого устройства"},
    {ESTALE, "файл на сетевом диске больше недоступен"},
    {EINTR, "действие прервано"},
    {EAGAIN, "ресурс временно недоступен"},
    {EINVAL, "недопустимый аргумент"},
    {ENOTEMPTY, "папка не пуста"},
    {ETIMEDOUT, "время ожидания истекло"},
    {EOPNOTSUPP, "действие не поддерживается файловой системой"},
    {ENOMEDIUM, "носитель не вставлен"},
    {ENOTCONN, "нет соединения с сетевым диском"},
};

} // namespace

QString text(int intErrno)
{
    for (const Reason& r : reasons) {
        if (r.intErrno == intErrno)
            return QString::fromUtf8(r.text);
    }
    const char* name = ::strerrorname_np(intErrno);
    return name ? QStringLiteral("системная ошибка %1 (%2)").arg(intErrno).arg(QLatin1String(name))
                : QStringLiteral("системная ошибка %1").arg(intErrno);
}

QString text(const QIODevice& device)
{
    const QString strGiven = device.errorString();
    // The longest sentence that fits: "No such device" is part of "No such device or address".
    int intFound = 0;
    qsizetype intLength = 0;
    for (int e = 1; e < 256 && !strGiven.isEmpty(); ++e) {
        const QString strSystem = QString::fromLocal8Bit(std::strerror(e));
        if (strSystem.size() > intLength && strGiven.contains(strSystem)) {
            intFound = e;
            intLength = strSystem.size();
        }
    }
    if (intFound != 0)
        return text(intFound);
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    switch (file ? file->error() : QFileDevice::UnspecifiedError) {
    case QFileDevice::ReadError:
        return QStringLiteral("ошибка чтения");
    case QFileDevice::WriteError:
        return QStringLiteral("ошибка записи");
    case QFileDevice::OpenError:
        return QStringLiteral("файл не открывается");
    case QFileDevice::ResizeError:
        return QStringLiteral("размер файла не меняется");
    case QFileDevice::PermissionsError:
        return QStringLiteral("нет прав доступа");
    case QFileDevice::RenameError:
        return QStringLiteral("файл не переименовывается");
    case QFileDevice::RemoveError:
        return QStringLiteral("файл не удаляется");
    default:
        return QStringLiteral("ошибка ввода-вывода");
    }
}

} // namespace SystemError

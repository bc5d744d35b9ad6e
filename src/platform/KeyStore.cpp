#include "platform/KeyStore.h"

#include "platform/Desktop.h"

bool KeyStore::GetKeyValue(quint32 root, const QString& keyName, const QString& valueName, QString& keyVal) const
{
    keyVal.clear();
    const std::optional<RawValue> value = readValue(root, keyName, valueName);
    if (!value)
        return false;
    keyVal = decodeValue(*value);
    return true;
}

QString KeyStore::decodeValue(const RawValue& value)
{
    if (value.type == REG_DWORD) {
        QString text = QStringLiteral("&h");
        for (qsizetype i = value.bytes.size() - 1; i >= 0; --i)
            text += QString::number(quint8(value.bytes.at(i)), 16).toUpper();
        return text;
    }
    QByteArray bytes = value.bytes;
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}

const KeyStore& KeyStore::system()
{
    static const LinuxKeyStore store;
    return store;
}

QStringList LinuxKeyStore::systemInfoPrograms()
{
    return {QStringLiteral("gnome-system-monitor"),
            QStringLiteral("plasma-systemmonitor"),
            QStringLiteral("ksysguard"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager"),
            QStringLiteral("hardinfo"),
            QStringLiteral("lxtask")};
}

std::optional<KeyStore::RawValue> LinuxKeyStore::readValue(quint32 root, const QString& keyName,
                                                           const QString& valueName) const
{
    if (root != HKEY_LOCAL_MACHINE || keyName.compare(QLatin1String(msinfoKey), Qt::CaseInsensitive) != 0 ||
        valueName.compare(QLatin1String(msinfoValue), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString path = Desktop::findProgram(systemInfoPrograms());
    if (path.isEmpty())
        return std::nullopt;
    return RawValue{REG_SZ, path.toUtf8()};
}

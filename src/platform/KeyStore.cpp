#include "platform/KeyStore.h"

#include "platform/Desktop.h"
#include "platform/Headless.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

// Values by root, key and name, as a run without a screen or a test keeps them.
class MemoryKeyStore : public KeyStore
{
public:
    explicit MemoryKeyStore(QMap<QString, RawValue>& values)
        : m_values(values)
    {
    }
    std::optional<RawValue> readValue(quint32 root, const QString& keyName, const QString& valueName) const override
    {
        const auto it = m_values.constFind(path(root, keyName, valueName));
        return it == m_values.cend() ? std::nullopt : std::optional<RawValue>(*it);
    }
    bool writeValue(quint32 root, const QString& keyName, const QString& valueName, const RawValue& value) override
    {
        m_values.insert(path(root, keyName, valueName), value);
        return true;
    }

private:
    // Key names are case-blind, as in the registry.
    static QString path(quint32 root, const QString& keyName, const QString& valueName)
    {
        return QString::number(root) + QLatin1Char('|') + keyName.toLower() + QLatin1Char('|') + valueName.toLower();
    }
    QMap<QString, RawValue>& m_values;
};

LinuxKeyStore& systemStore()
{
    static LinuxKeyStore store;
    return store;
}

// The store of the test's values, while a Recorder lives.
MemoryKeyStore& testStore()
{
    static MemoryKeyStore store(KeyStore::testLog().kept);
    return store;
}

bool inMemory()
{
    return Platform::headless() && !QStandardPaths::isTestModeEnabled();
}

MemoryKeyStore& runStore()
{
    static QMap<QString, KeyStore::RawValue> values;
    static MemoryKeyStore store(values);
    return store;
}

QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/torbel/torbel.conf");
}

// "Software\Torbel\Windows" and "frmCarry" as "software/torbel/windows/frmcarry": the
// registry's names are case-blind, the settings file's are not.
QString settingsKey(const QString& keyName, const QString& valueName)
{
    QString key = keyName.toLower();
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key + QLatin1Char('/') + valueName.toLower();
}

} // namespace

bool KeyStore::writeValue(quint32, const QString&, const QString&, const RawValue&)
{
    return false;
}

bool KeyStore::SetKeyValue(quint32 root, const QString& keyName, const QString& valueName, const QString& keyVal)
{
    return writeValue(root, keyName, valueName, RawValue{REG_SZ, keyVal.toUtf8()});
}

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
    return systemStore();
}

KeyStore& KeyStore::user()
{
    if (testLog().testMode)
        return testStore();
    return systemStore();
}

KeyStore::Log& KeyStore::testLog()
{
    static Log s;
    return s;
}

KeyStore& KeyStore::Recorder::store()
{
    return testStore();
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
    if (root == HKEY_CURRENT_USER) {
        if (inMemory())
            return runStore().readValue(root, keyName, valueName);
        const QVariant value = QSettings(settingsFile(), QSettings::IniFormat).value(settingsKey(keyName, valueName));
        if (!value.isValid())
            return std::nullopt;
        return RawValue{REG_SZ, value.toString().toUtf8()};
    }
    if (root != HKEY_LOCAL_MACHINE || keyName.compare(QLatin1String(msinfoKey), Qt::CaseInsensitive) != 0 ||
        valueName.compare(QLatin1String(msinfoValue), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString path = Desktop::findProgram(systemInfoPrograms());
    if (path.isEmpty())
        return std::nullopt;
    return RawValue{REG_SZ, path.toUtf8()};
}

bool LinuxKeyStore::writeValue(quint32 root, const QString& keyName, const QString& valueName, const RawValue& value)
{
    if (root != HKEY_CURRENT_USER)
        return false;
    if (inMemory())
        return runStore().writeValue(root, keyName, valueName, value);
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(settingsKey(keyName, valueName), decodeValue(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

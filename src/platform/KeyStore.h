#pragma once

#include "platform/Recorder.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// A small store of keys and named values, in the shape of the Windows registry, which
// the about box asks for the system information tool and where the program keeps what
// it remembers between runs (under HKEY_CURRENT_USER).
class KeyStore
{
public:
    static constexpr quint32 HKEY_CURRENT_USER = 0x80000001u;
    static constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002u;
    // Value types as the registry numbers them.
    static constexpr quint32 REG_SZ = 1;
    static constexpr quint32 REG_DWORD = 4;

    struct RawValue
    {
        quint32 type = REG_SZ;
        QByteArray bytes; // strings are UTF-8, numbers 4 bytes little-endian
    };

    virtual ~KeyStore() = default;

    // The value named valueName of key keyName under root; nothing when the key or the
    // value does not exist.
    virtual std::optional<RawValue> readValue(quint32 root, const QString& keyName, const QString& valueName) const = 0;

    // Stores the value; false when the store keeps nothing under root or could not write.
    virtual bool writeValue(quint32 root, const QString& keyName, const QString& valueName, const RawValue& value);

    // True with the value as text when it was read; false with keyVal emptied otherwise.
    bool GetKeyValue(quint32 root, const QString& keyName, const QString& valueName, QString& keyVal) const;
    // Stores a text (REG_SZ).
    bool SetKeyValue(quint32 root, const QString& keyName, const QString& valueName, const QString& keyVal);

    // A value as text: a string as is (less a final zero character); a 32-bit number as
    // "&h" and the hex digits of its bytes from the last byte to the first, each byte
    // without a leading zero (0x00010A0B gives "&h01AB"); any other type as the raw
    // bytes read (less a final zero character).
    static QString decodeValue(const RawValue& value);

    // The store of this system.
    static const KeyStore& system();
    // The store the program's own values go to: the system's, or while a Recorder
    // lives, one of its own in memory.
    static KeyStore& user();

    // ---- test side ----
    // The values a test's store holds, by root, key and name; nothing is recorded or
    // answered.
    using Log = Platform::TestLog<std::monostate, std::monostate, QMap<QString, RawValue>>;
    static Log& testLog();

    // While it lives, user() is an empty store in memory, so that no test reads or
    // changes what the user's runs keep, and no test sees another's values.
    class Recorder;
};

class KeyStore::Recorder : private Platform::Recorder<KeyStore>
{
public:
    KeyStore& store();
};

// Linux has no registry: the store answers the system information lookup
// (HKEY_LOCAL_MACHINE, "SOFTWARE\Microsoft\Shared Tools\MSINFO", "PATH") with the first
// system information program found on PATH, and keeps HKEY_CURRENT_USER in the
// program's settings file. Without a screen (scripts, tests) HKEY_CURRENT_USER lasts
// for the run only, unless QStandardPaths' test mode gives a scratch settings file.
class LinuxKeyStore : public KeyStore
{
public:
    static constexpr const char* msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr const char* msinfoValue = "PATH";

    // The programs looked for, in order of preference.
    static QStringList systemInfoPrograms();

    std::optional<RawValue> readValue(quint32 root, const QString& keyName, const QString& valueName) const override;
    bool writeValue(quint32 root, const QString& keyName, const QString& valueName, const RawValue& value) override;
};

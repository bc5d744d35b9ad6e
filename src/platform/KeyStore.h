#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// A small store of keys and named values, in the shape of the Windows registry, which
// the about box asks for the system information tool.
class KeyStore
{
public:
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

    // True with the value as text when it was read; false with keyVal emptied otherwise.
    bool GetKeyValue(quint32 root, const QString& keyName, const QString& valueName, QString& keyVal) const;

    // A value as text: a string as is (less a final zero character); a 32-bit number as
    // "&h" and the hex digits of its bytes from the last byte to the first, each byte
    // without a leading zero (0x00010A0B gives "&h01AB"); any other type as the raw
    // bytes read (less a final zero character).
    static QString decodeValue(const RawValue& value);

    // The store of this system.
    static const KeyStore& system();
};

// Linux has no registry: the store answers only the system information lookup
// (HKEY_LOCAL_MACHINE, "SOFTWARE\Microsoft\Shared Tools\MSINFO", "PATH") with the first
// system information program found on PATH.
class LinuxKeyStore : public KeyStore
{
public:
    static constexpr const char* msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr const char* msinfoValue = "PATH";

    // The programs looked for, in order of preference.
    static QStringList systemInfoPrograms();

    std::optional<RawValue> readValue(quint32 root, const QString& keyName, const QString& valueName) const override;
};

#include "platform/Desktop.h"
#include "platform/KeyStore.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QTest>

namespace {

// A store with fixed contents: "key|value" -> raw value.
class FakeStore : public KeyStore
{
public:
    QMap<QString, RawValue> values;

    std::optional<RawValue> readValue(quint32 root, const QString& keyName, const QString& valueName) const override
    {
        if (root != HKEY_LOCAL_MACHINE)
            return std::nullopt;
        const auto it = values.find(keyName + '|' + valueName);
        if (it == values.end())
            return std::nullopt;
        return *it;
    }
};

QByteArray dword(quint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
    return b;
}

} // namespace

class tst_keystore : public QObject
{
    Q_OBJECT

private slots:
    void decodeValue_data();
    void decodeValue();
    void getKeyValue();
    void linuxStoreFindsSystemInfo();
    void linuxStoreAnswersNothingElse();
    void userValues();
    void linuxStoreKeepsUserValuesInItsFile();
};

void tst_keystore::decodeValue_data()
{
    QTest::addColumn<uint>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("string") << uint(KeyStore::REG_SZ) << QByteArray("C:\\msinfo32.exe") << "C:\\msinfo32.exe";
    QTest::newRow("string less final zero") << uint(KeyStore::REG_SZ) << QByteArray("abc\0", 4) << "abc";
    QTest::newRow("string only one zero dropped")
        << uint(KeyStore::REG_SZ) << QByteArray("ab\0\0", 4) << QString::fromLatin1("ab\0", 3);
    QTest::newRow("cyrillic string") << uint(KeyStore::REG_SZ) << QString("Торбел").toUtf8() << "Торбел";
    QTest::newRow("empty string") << uint(KeyStore::REG_SZ) << QByteArray() << "";
    QTest::newRow("dword all bytes") << uint(KeyStore::REG_DWORD) << dword(0x12345678) << "&h12345678";
    QTest::newRow("dword no leading zero per byte") << uint(KeyStore::REG_DWORD) << dword(0x00010A0B) << "&h01AB";
    QTest::newRow("dword zero") << uint(KeyStore::REG_DWORD) << dword(0) << "&h0000";
    QTest::newRow("dword high byte kept") << uint(KeyStore::REG_DWORD) << dword(0xFF000000) << "&hFF000";
    QTest::newRow("other type raw") << 3u << QByteArray("raw\0", 4) << "raw";
}

void tst_keystore::decodeValue()
{
    QFETCH(uint, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(KeyStore::decodeValue(KeyStore::RawValue{type, bytes}), expected);
}

void tst_keystore::getKeyValue()
{
    FakeStore store;
    store.values.insert("K|S", KeyStore::RawValue{KeyStore::REG_SZ, "text"});
    store.values.insert("K|D", KeyStore::RawValue{KeyStore::REG_DWORD, dword(0x0102)});

    QString value = "stale";
    QVERIFY(store.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, "K", "S", value));
    QCOMPARE(value, QString("text"));
    QVERIFY(store.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, "K", "D", value));
    QCOMPARE(value, QString("&h0012"));
    QVERIFY(!store.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, "K", "missing", value));
    QCOMPARE(value, QString()); // emptied on failure
    value = "stale";
    QVERIFY(!store.GetKeyValue(0x80000001u, "K", "S", value));
    QCOMPARE(value, QString());
}

void tst_keystore::linuxStoreFindsSystemInfo()
{
    Desktop::Recorder desktop;
    LinuxKeyStore store;
    QString path;
    QVERIFY(!store.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, LinuxKeyStore::msinfoKey, "PATH", path));

    desktop.setProgramsOnPath({"hardinfo", "plasma-systemmonitor"});
    QVERIFY(store.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, "software\\microsoft\\shared tools\\msinfo", "Path", path));
    // The preferred program, not the first one installed.
    QCOMPARE(path, QString("/usr/bin/plasma-systemmonitor"));
    QVERIFY(KeyStore::system().GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, LinuxKeyStore::msinfoKey, "PATH", path));
}

void tst_keystore::linuxStoreAnswersNothingElse()
{
    Desktop::Recorder desktop;
    desktop.setProgramsOnPath(LinuxKeyStore::systemInfoPrograms());
    LinuxKeyStore store;
    QString value;
    QVERIFY(!store.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                               value));
    QVERIFY(!store.GetKeyValue(0x80000001u, LinuxKeyStore::msinfoKey, "PATH", value));
    QVERIFY(!store.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, LinuxKeyStore::msinfoKey, "OTHER", value));
}

void tst_keystore::userValues()
{
    KeyStore::Recorder keys;
    KeyStore& store = KeyStore::user();
    QCOMPARE(&store, &keys.store());
    QString strValue = QStringLiteral("old");
    QVERIFY(!store.GetKeyValue(KeyStore::HKEY_CURRENT_USER, "Software\\Torbel", "Name", strValue));
    QCOMPARE(strValue, QString());
    QVERIFY(store.SetKeyValue(KeyStore::HKEY_CURRENT_USER, "Software\\Torbel", "Name", "Торбел"));
    // Key and value names are case-blind, as in the registry.
    QVERIFY(store.GetKeyValue(KeyStore::HKEY_CURRENT_USER, "SOFTWARE\\torbel", "name", strValue));
    QCOMPARE(strValue, QStringLiteral("Торбел"));
    QVERIFY(store.SetKeyValue(KeyStore::HKEY_CURRENT_USER, "Software\\Torbel", "Name", QString()));
    QVERIFY(store.GetKeyValue(KeyStore::HKEY_CURRENT_USER, "Software\\Torbel", "Name", strValue));
    QCOMPARE(strValue, QString());
    {
        // A recorder inside another starts empty and leaves the outer one as it was.
        KeyStore::Recorder inner;
        QVERIFY(!KeyStore::user().GetKeyValue(KeyStore::HKEY_CURRENT_USER, "Software\\Torbel", "Name", strValue));
    }
    QCOMPARE(&KeyStore::user(), &keys.store());
}

void tst_keystore::linuxStoreKeepsUserValuesInItsFile()
{
    // The settings go to a scratch place, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    const QString strDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/torbel");
    QDir(strDir).removeRecursively();
    {
        LinuxKeyStore store;
        QVERIFY(store.SetKeyValue(KeyStore::HKEY_CURRENT_USER, "Software\\Torbel\\Windows", "frmCarry", "980x600"));
        // Nothing of the machine's keys is written.
        QVERIFY(!store.SetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, "Software\\Torbel", "Name", "x"));
    }
    LinuxKeyStore again;
    QString strValue;
    QVERIFY(again.GetKeyValue(KeyStore::HKEY_CURRENT_USER, "Software\\Torbel\\Windows", "frmCarry", strValue));
    QCOMPARE(strValue, QStringLiteral("980x600"));
    QVERIFY(QFile::exists(strDir + QStringLiteral("/torbel.conf")));
    QVERIFY(!again.GetKeyValue(KeyStore::HKEY_LOCAL_MACHINE, "Software\\Torbel", "Name", strValue));
    QDir(strDir).removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
}

QTEST_MAIN(tst_keystore)
#include "tst_keystore.moc"

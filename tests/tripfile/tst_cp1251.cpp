#include "model/Cp1251.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

// The trip file's code page by table must agree with the toolkit's converter, byte for
// byte and character for character: files written before and after must stay the same.
class tst_cp1251 : public QObject
{
    Q_OBJECT

private slots:
    void everyByte();
    void everyCharacter();
    void randomBytes_data();
    void randomBytes();
    void randomTexts();
};

namespace {

// What the converter makes of bytes, and whether it found them all in the code page.
bool qtDecode(const QByteArray& bytes, QString& text)
{
    QStringDecoder decoder("windows-1251");
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

// The converter's bytes of a text, and whether they read back as the text.
bool qtEncode(const QString& text, QByteArray& bytes)
{
    QStringEncoder encoder("windows-1251");
    bytes = encoder.encode(text);
    QStringDecoder decoder("windows-1251");
    return !encoder.hasError() && QString(decoder.decode(bytes)) == text;
}

} // namespace

void tst_cp1251::everyByte()
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        QString expected;
        const bool expectedOk = qtDecode(one, expected);
        QString text;
        QCOMPARE(Cp1251::decode(one, text), expectedOk);
        QCOMPARE(Cp1251::fits(one), expectedOk);
        if (expectedOk)
            QCOMPARE(text, expected);
    }
}

void tst_cp1251::everyCharacter()
{
    int held = 0;
    for (int u = 0; u < 0x10000; ++u) {
        const QString one(QChar(static_cast<char16_t>(u)));
        QByteArray expected;
        const bool expectedOk = qtEncode(one, expected);
        QByteArray bytes;
        QCOMPARE(Cp1251::encode(one, bytes), expectedOk);
        if (expectedOk) {
            QCOMPARE(bytes, expected);
            ++held;
        }
    }
    // ASCII and the Cyrillic letters at least.
    QVERIFY(held >= 128 + 66);
}

void tst_cp1251::randomBytes_data()
{
    QTest::addColumn<int>("length");
    // Around the sixteen-byte blocks the fast paths work in.
    for (int n : {0, 1, 15, 16, 17, 31, 33, 200, 4099})
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

void tst_cp1251::randomBytes()
{
    QFETCH(int, length);
    QRandomGenerator rnd(1251u + quint32(length));
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes(length, Qt::Uninitialized);
        // Mostly ASCII with some Cyrillic, as trip files are; sometimes any byte at all.
        const bool bAny = round % 5 == 0;
        for (char& c : bytes)
            c = static_cast<char>(bAny ? rnd.bounded(256)
                                       : (rnd.bounded(4) == 0 ? 0xC0 + rnd.bounded(64) : 0x20 + rnd.bounded(95)));
        QString expected;
        const bool expectedOk = qtDecode(bytes, expected);
        QString text;
        QCOMPARE(Cp1251::decode(bytes, text), expectedOk);
        QCOMPARE(Cp1251::fits(bytes), expectedOk);
        if (expectedOk)
            QCOMPARE(text, expected);
    }
}

void tst_cp1251::randomTexts()
{
    QRandomGenerator rnd(2024);
    const char16_t pool[] = {u'a', u'Z', u' ',      u'\r',     u'\n',  u'"',   u'Ж',      u'ё',
                             u'№', u'€', u'\u00A0', u'\u0098', 0xD800, 0xDC00, u'\u4E2D', u'\u0490'};
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int len = int(rnd.bounded(40));
        for (int k = 0; k < len; ++k)
            text += QChar(pool[rnd.bounded(int(std::size(pool)))]);
        QByteArray expected;
        const bool expectedOk = qtEncode(text, expected);
        QByteArray bytes;
        QCOMPARE(Cp1251::encode(text, bytes), expectedOk);
        if (expectedOk)
            QCOMPARE(bytes, expected);
    }
}

QTEST_GUILESS_MAIN(tst_cp1251)
#include "tst_cp1251.moc"

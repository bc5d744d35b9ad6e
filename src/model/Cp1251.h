#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The trip file's code page, Windows-1251, by table. A single-byte code page needs no
// converter state, so a table lookup per character does what the toolkit's converter
// does at a fraction of its cost on a full catalog. The tables are taken from the
// toolkit's own converter, so both agree on every byte; where they cannot be made, the
// converter itself is used.
namespace Cp1251 {

// Whether every byte is in the code page, as decode() would find.
bool fits(QByteArrayView bytes);

// The text of the bytes; false when a byte is not in the code page (out is then unusable).
bool decode(QByteArrayView bytes, QString& out);
// The same into dst, which has room for bytes.size() characters.
bool decodeTo(QByteArrayView bytes, char16_t* dst);

// The text of bytes known to be in the code page, as a trip file is once fits() passed.
QString text(QByteArrayView bytes);

// The bytes of the text; false when a character is not in the code page or would not
// read back as itself (out is then unusable).
bool encode(QStringView text, QByteArray& out);
// The same into dst, which has room for text.size() bytes: a writer encodes its pieces
// straight into its buffer.
bool encodeTo(QStringView text, char* dst);
// The bytes of a text of the program's own, known to fit the code page.
QByteArray bytes(QStringView text);

// Runs f on the text of a short field without making a string of it when it is ASCII:
// the trip file's numbers are, and there are tens of thousands of them. Longer fields
// and others are decoded as decode() does (a byte outside the code page gives the
// text decoded so far).
template <qsizetype Room, typename F>
auto withText(QByteArrayView bytes, F f)
{
    if (bytes.size() <= Room) {
        char16_t buffer[Room];
        bool bAscii = true;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<quint8>(bytes[i]);
            bAscii &= b < 0x80;
            buffer[i] = b;
        }
        if (bAscii)
            return f(QStringView(buffer, bytes.size()));
    }
    QString text;
    decode(bytes, text);
    return f(QStringView(text));
}

} // namespace Cp1251

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

// The bytes of the text; false when a character is not in the code page or would not
// read back as itself (out is then unusable).
bool encode(QStringView text, QByteArray& out);
// The same into dst, which has room for text.size() bytes: a writer encodes its pieces
// straight into its buffer.
bool encodeTo(QStringView text, char* dst);

} // namespace Cp1251

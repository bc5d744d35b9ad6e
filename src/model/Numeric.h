#pragma once

#include <QStringView>
#include <QtGlobal>

// Numeric rules shared by the whole program: how text becomes a number and how a
// fraction becomes a whole number.
namespace Numeric {

// The leading number of a text: blanks, tabs and line breaks are skipped anywhere,
// then a sign, digits, a "." with more digits and an exponent (E or D); &H and &O
// read a hexadecimal or octal whole number. Reading stops at the first other
// character; no leading number gives 0.
double leadingNumber(QStringView text);

// Nearest integer, ties to the even one. Values beyond the 64-bit range throw OverflowError.
qint64 roundHalfEven(double value);

// Checked narrowing to 16 bits; throws OverflowError outside -32768..32767.
qint16 toInt16(qint64 value);

// Rounds ties to even and narrows to 16 bits (the conversion of a fraction or a text).
qint16 roundToInt16(double value);

// The whole-number reading of a text: leadingNumber, then roundToInt16.
qint16 textToInt16(QStringView text);

} // namespace Numeric

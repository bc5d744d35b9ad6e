#pragma once

#include <QString>
#include <QtGlobal>

// A weight of the carry split, exact: in ten-thousandths of a gram, the product of two
// values in hundredths (a package of 0.01 units of 0.01 g weighs 1). A product's pieces
// stay within 64 bits, but a full catalog's sum can pass them (32767 products of
// 15 000 t each), so sums are kept in 128.
__extension__ typedef __int128 CarryWeight;

namespace CarryWeights {

constexpr qint64 PerGram = 10000;

// The shortest form in grams: "2.5", "100", "0.0001", "-12.25".
QString text(CarryWeight w);
// In grams, for bars and percentages.
double grams(CarryWeight w);
// Whether w fits 64 bits.
bool fits(CarryWeight w);

} // namespace CarryWeights

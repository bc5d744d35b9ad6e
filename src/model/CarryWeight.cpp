#include "model/CarryWeight.h"

#include <limits>

namespace {

__extension__ typedef unsigned __int128 Unsigned;

} // namespace

namespace CarryWeights {

QString text(CarryWeight w)
{
    const bool blnNegative = w < 0;
    Unsigned u = blnNegative ? 0 - static_cast<Unsigned>(w) : static_cast<Unsigned>(w);
    unsigned fraction = static_cast<unsigned>(u % PerGram);
    u /= PerGram;
    // 128 bits are at most 39 digits.
    char buffer[48];
    char* p = buffer + sizeof buffer;
    do {
        *--p = char('0' + int(u % 10));
        u /= 10;
    } while (u != 0);
    if (blnNegative)
        *--p = '-';
    QString out = QString::fromLatin1(p, buffer + sizeof buffer - p);
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        out += QLatin1Char('.') + QString::number(fraction).rightJustified(digits, QLatin1Char('0'));
    }
    return out;
}

double grams(CarryWeight w)
{
    return static_cast<double>(w) / double(PerGram);
}

bool fits(CarryWeight w)
{
    return w >= std::numeric_limits<qint64>::min() && w <= std::numeric_limits<qint64>::max();
}

} // namespace CarryWeights

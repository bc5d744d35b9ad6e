#include "model/Weights.h"

#include "model/Numeric.h"

namespace Weights {

qint64 perPerson(qint64 intGroupVes, qint16 intCountPeople)
{
    if (intCountPeople < 1)
        return 0;
    return Numeric::roundHalfEven(static_cast<double>(intGroupVes) / static_cast<double>(intCountPeople));
}

QString numberText(qint64 value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

} // namespace Weights

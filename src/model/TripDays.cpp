#include "model/TripDays.h"

#include "model/ModelErrors.h"

namespace TripDays {

qint16 menuOfDay(int intDay, int intPeriod)
{
    if (intDay < 1 || intPeriod < 1)
        throw OutOfRangeError("trip day or periodicity out of range");
    return static_cast<qint16>((intDay - 1) % intPeriod + 1);
}

QDate dateOfDay(const QDate& dtDataBegin, int intDay)
{
    return dtDataBegin.addDays(intDay - 1);
}

qint16 smenaOfDay(int intDay, int intCountSmena)
{
    if (intDay < 1 || intCountSmena < 1)
        throw OutOfRangeError("trip day or number of shifts out of range");
    return static_cast<qint16>((intDay - 1) % intCountSmena + 1);
}

} // namespace TripDays

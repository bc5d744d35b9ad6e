#pragma once

#include <QDate>
#include <QtGlobal>

// How trip day d (1-based) gets its daily menu, date and duty shift.
namespace TripDays {

// ((d - 1) mod intPeriod) + 1
qint16 menuOfDay(int intDay, int intPeriod);
// dtDataBegin + d - 1
QDate dateOfDay(const QDate& dtDataBegin, int intDay);
// ((d - 1) mod intCountSmena) + 1
qint16 smenaOfDay(int intDay, int intCountSmena);

} // namespace TripDays

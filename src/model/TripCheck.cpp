#include "model/TripCheck.h"

namespace TripCheck {

Result check(const QDate& dtDataBegin, const QDate& dtDataEnd, qint16 intCountPeople, qint16 intCountSmena)
{
    Result r;
    // Invalid dates count as no dates at all: a trip needs both.
    const qint64 intApart = dtDataBegin.isValid() && dtDataEnd.isValid() ? dtDataBegin.daysTo(dtDataEnd) : -1;
    if (intApart > 50 || intApart < 0) {
        r.field = Field::DataBegin;
        r.strMessage = QStringLiteral("Некорректные даты проведения похода!");
    } else if (intCountPeople < 1 || intCountPeople > 30) {
        r.field = Field::CountPeople;
        r.strMessage = QStringLiteral("Некорректные данные!");
    } else if (intCountSmena < 1) {
        r.field = Field::CountSmena;
        r.strMessage = QStringLiteral("Некорректные данные!");
    } else {
        r.intCountDay = static_cast<qint16>(intApart + 1);
    }
    return r;
}

} // namespace TripCheck

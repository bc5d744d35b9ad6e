#include "model/clsRasklad.h"

#include "model/ModelErrors.h"
#include "model/TripDays.h"
#include "model/clsCatalog.h"
#include "model/clsMenuList.h"

qint16 clsRasklad::GetMenu(qint16 intDay) const
{
    if (intDay < 1 || intDay > m_days.size())
        throw OutOfRangeError("trip day out of range");
    return m_days.at(intDay - 1);
}

void clsRasklad::Build(qint16 intCountDay, qint16 intPeriod)
{
    ClearRasklad();
    for (int d = 1; d <= intCountDay; ++d)
        AddDay(TripDays::menuOfDay(d, intPeriod));
}

QList<QStringList> clsRasklad::ViewRasklad(qint16 intDay, qint16 intMeal, qint16 intPeriod,
                                           const clsMenuList& objMenuList, const clsCatalog& objCatalog,
                                           qint16 intCountPeople) const
{
    const clsTrapeza* objTrapeza = objMenuList.GetMenu(TripDays::menuOfDay(intDay, intPeriod)).GetTrapeza(intMeal);
    if (!objTrapeza)
        throw OutOfRangeError("meal index out of range");
    return objTrapeza->ViewRasklad(objCatalog, intCountPeople);
}

qint64 clsRasklad::GetVes(const clsMenuList& objMenuList, const clsCatalog& objCatalog, qint16 intCountPeople) const
{
    qint64 intVes = 0;
    for (qint16 intMenu : m_days)
        intVes += objMenuList.GetMenu(intMenu).GetVes(objCatalog, intCountPeople);
    return intVes;
}

#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

class clsCatalog;
class clsMenuList;

// The trip layout: the daily menu served on each trip day, day 1 first.
class clsRasklad
{
public:
    // Throws OutOfRangeError outside 1..number of days.
    qint16 GetMenu(qint16 intDay) const;
    void AddDay(qint16 intMenu) { m_days.append(intMenu); }
    void ClearRasklad() { m_days.clear(); }
    qint16 CountDay() const { return static_cast<qint16>(m_days.size()); }

    // Clears the layout and lays the menus cyclically over intCountDay days.
    void Build(qint16 intCountDay, qint16 intPeriod);

    // Grid rows of one meal of a trip day, from the menu the current periodicity gives that day.
    QList<QStringList> ViewRasklad(qint16 intDay, qint16 intMeal, qint16 intPeriod, const clsMenuList& objMenuList,
                                   const clsCatalog& objCatalog, qint16 intCountPeople) const;

    // Total weight of the trip for the group in grams.
    qint64 GetVes(const clsMenuList& objMenuList, const clsCatalog& objCatalog, qint16 intCountPeople) const;

private:
    QList<qint16> m_days;
};

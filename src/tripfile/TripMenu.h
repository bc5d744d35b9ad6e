#pragma once

#include <QList>
#include <QtGlobal>

#include <array>

// One daily menu as a trip file holds it: the catalog positions of each meal, in meal
// order. meals[0], [1], [2] are lunch, dinner and breakfast (meal indices 1, 2, 3).
struct TripMenu
{
    std::array<QList<qint16>, 3> meals;

    bool operator==(const TripMenu&) const = default;
};

#pragma once

#include <QString>
#include <QtGlobal>

// Meal indices, in this order everywhere: tabs, file, documents.
namespace Meals {

constexpr qint16 Lunch = 1;
constexpr qint16 Dinner = 2;
constexpr qint16 Breakfast = 3; // of the following morning
constexpr qint16 Count = 3;

// "Обед", "Ужин", "Завтрак"; an empty text outside 1..3.
QString label(int intMeal);

} // namespace Meals

#pragma once

#include <QString>
#include <QtGlobal>

struct GlobalVariable;

// The trips the benchmarks run on, made here so that every run measures the same data.
namespace BenchTrip {

struct Shape
{
    const char* name;
    int intProducts;
    int intMenus;
    int intPerMeal;
    qint16 intDays;
    qint16 intPeople;
    qint16 intSmena;
};

// 300 products, 14 daily menus of 12 products a meal, 51 days, 30 people, 15 shifts.
const Shape& realistic();
// A full catalog: 32767 products, 100 daily menus of 30 products a meal, 51 days, 30 people.
const Shape& large();

// Fills a freshly initialised trip state with a trip of this shape (the same one on
// every call) and builds its layout, as the layout button would.
void fill(GlobalVariable& g, const Shape& shape);

// The trip of this shape saved as a .trb file in dir; returns its path (empty on failure).
QString writeFile(const Shape& shape, const QString& dir);

} // namespace BenchTrip

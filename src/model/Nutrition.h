#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct GlobalVariable;
class clsCatalog;
class clsProduct;

// Energy, nutrients and full weight per participant, day by day. The nutrition window,
// its chart and "--list nutrition" all take their figures from here.
namespace Nutrition {

// Per participant: kcal, grams of proteins, fats and carbohydrates, full weight in g.
struct Figures
{
    double kcal = 0;
    double proteins = 0;
    double fats = 0;
    double carbohydrates = 0;
    double grams = 0;

    bool operator==(const Figures&) const = default;
};

// How a day's energy compares with the aim.
enum class Mark
{
    None, // no aim, or within 90..115 %
    Low,  // below 90 % of the aim
    High  // above 115 % of the aim
};
Mark mark(double kcal, qint32 intAim);

struct Day
{
    qint16 intDay = 0;
    QDate dtDate;
    Figures perPerson;
    // Distinct products of the day's three meals that lack grams per unit or one of
    // the four values, and their catalog positions in the order first served.
    int intMissing = 0;
    QList<qint16> missing;
    Mark mark = Mark::None;
};

struct Table
{
    QList<Day> days;
    Figures average;    // over the trip days, of the unrounded figures
    int intMissing = 0; // distinct products of the whole trip lacking something
    QList<qint16> missing;
    qint32 intAim = 0;
};

// Trip days 1..intCountDay, each served the daily menu the periodicity gives it (as the
// layout window shows it), dated from the trip's start. Entries that name no catalog
// product and days whose menu the ration lacks add nothing.
Table build(const GlobalVariable& g, qint16 intCountDay);

// What a product lacks for the figures: "вес единицы", "ккал", "белки", "жиры",
// "углеводы", in this order; empty when nothing.
QStringList lacks(const clsProduct& p);

// The tooltip of a "Без данных" cell: the products at these catalog positions by name,
// each with what it lacks. Past MaxNamed products the rest are counted, not named.
constexpr int MaxNamed = 25;
QString missingText(const clsCatalog& catalog, const QList<qint16>& positions);

// The figures as printed: kcal and grams "%.0f", nutrients "%.1f".
QString kcalText(double v);
QString nutrientText(double v);
QString gramsText(double v);

// "--list nutrition": one row per day (day, date, kcal, proteins, fats, carbohydrates,
// grams, missing), then "в среднем", an empty field, the averages and the trip's missing.
QList<QStringList> rows(const Table& t);

} // namespace Nutrition

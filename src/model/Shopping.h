#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

struct GlobalVariable;

// The purchase list in whole packages with its cost. The nutrition window, the shopping
// document and "--list shopping" all take it from here.
namespace Shopping {

struct Row
{
    qint16 intIndex = 0; // catalog position
    QString strName;
    qint32 intAmount = 0; // in the product's unit, as the purchase list has it
    QString strEdin;
    std::optional<qint64> package;  // hundredths of the unit
    std::optional<qint64> packages; // whole packages to buy
    std::optional<qint64> cost;     // hundredths of a rouble
    std::optional<qint64> leftOver; // hundredths of the unit

    bool operator==(const Row&) const = default;
};

struct List
{
    QList<Row> rows;     // the products of the purchase list, in its order
    qint64 intTotal = 0; // sum of the known costs, hundredths of a rouble
    qint16 intCountPeople = 0;

    // The total per participant in roubles; the whole total when there is nobody.
    double perPerson() const;
    // Products of the list whose cost is unknown, so missing from the total.
    qsizetype countNoPrice() const;
};

// The purchase list of trip days 1..intCountDay (all of them, or the days of duty
// shift intSmen), each served the daily menu the periodicity gives it. Throws
// OverflowError when an amount passes 32 bits, CostOverflowError when a cost or the
// total passes 64 bits.
List build(const GlobalVariable& g, qint16 intCountDay, bool blnViewAll, qint16 intSmen);

// Roubles in hundredths as "%.2f": "1234.50".
QString moneyText(qint64 hundredths);

// "без цены: N", or empty when every product has its price.
QString noPriceText(qsizetype intCount);

// "--list shopping": name, quantity, unit, package, packages, cost, left over per
// product; then "ИТОГО:" and "На участника:" with the money in the cost column. When
// some products have no price, the total says so in the last column: "без цены: N".
QList<QStringList> rows(const List& list);

inline const QString TotalName = QStringLiteral("ИТОГО:");
inline const QString PerPersonName = QStringLiteral("На участника:");

} // namespace Shopping

#include "model/Shopping.h"

#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/ModelErrors.h"
#include "model/NameOrder.h"
#include "model/ProductGrams.h"
#include "model/PurchaseList.h"
#include "model/TripDays.h"

#include <cstdio>
#include <limits>

namespace Shopping {

double List::perPerson() const
{
    const double total = static_cast<double>(intTotal) / 100.0;
    return intCountPeople > 0 ? total / intCountPeople : total;
}

qsizetype List::countNoPrice() const
{
    qsizetype n = 0;
    for (const Row& r : rows)
        n += r.cost ? 0 : 1;
    return n;
}

QString noPriceText(qsizetype intCount)
{
    return intCount > 0 ? QStringLiteral("без цены: ") + QString::number(intCount) : QString();
}

namespace {

qint64 times(qint64 a, qint64 b)
{
    qint64 out = 0;
    if (__builtin_mul_overflow(a, b, &out))
        throw CostOverflowError("cost outside the 64-bit range");
    return out;
}

} // namespace

List build(const GlobalVariable& g, qint16 intCountDay, bool blnViewAll, qint16 intSmen)
{
    List list;
    list.intCountPeople = g.intCountPeople;
    const qint16 n = g.objCatalog.size();
    if (n < 1)
        return list;

    // The purchase list's sums: by catalog position, every entry of every taken day.
    QList<qint64> amounts(n + 1, 0);
    for (qint16 d : PurchaseList::takenDays(intCountDay, g.intCountSmena, blnViewAll, intSmen)) {
        const qint16 intMenu = g.intPeriod >= 1 ? TripDays::menuOfDay(d, g.intPeriod) : 0;
        if (intMenu < 1 || intMenu > g.objMenuList.size())
            continue;
        const clsMenuOfDay& objMenu = g.objMenuList.GetMenu(intMenu);
        for (int m = 1; m <= Meals::Count; ++m) {
            const clsTrapeza* objTrapeza = objMenu.GetTrapeza(m);
            for (int k = 1; objTrapeza && k <= objTrapeza->GetCountProduct(); ++k) {
                const qint16 p = objTrapeza->GetIndexProduct(k);
                if (p < 1 || p > n)
                    continue;
                qint64& amount = amounts[p];
                amount += clsTrapeza::groupAmount(g.objCatalog.GetProduct(p).Norma(), g.intCountPeople);
                if (amount > std::numeric_limits<qint32>::max())
                    throw OverflowError("purchase amount outside the 32-bit range");
            }
        }
    }

    QList<qint16> bought;
    for (int p = 1; p <= n; ++p) {
        if (amounts[p] >= 1)
            bought.append(p);
    }
    NameOrder::sortByName(g.objCatalog, bought);
    list.rows.reserve(bought.size());
    for (qint16 p : bought) {
        const clsProduct& objProduct = g.objCatalog.GetProduct(p);
        const ProductFacts& f = objProduct.facts;
        Row row;
        row.intIndex = p;
        row.strName = objProduct.Name();
        row.intAmount = static_cast<qint32>(amounts[p]);
        row.strEdin = objProduct.strProductEdin;
        row.package = f.package;
        if (f.package && *f.package > 0) {
            row.packages = ProductGrams::packagesToBuy(row.intAmount, *f.package);
            row.leftOver = *row.packages * *f.package - static_cast<qint64>(row.intAmount) * 100;
            if (f.price)
                row.cost = times(*row.packages, *f.price);
        } else if (f.price) {
            row.cost = times(row.intAmount, *f.price);
        }
        if (row.cost && __builtin_add_overflow(list.intTotal, *row.cost, &list.intTotal))
            throw CostOverflowError("total cost outside the 64-bit range");
        list.rows.append(row);
    }
    return list;
}

QString moneyText(qint64 hundredths)
{
    // Thousands of rows on a long trip: formatted plainly, not through arg().
    const bool blnNegative = hundredths < 0;
    const quint64 u = blnNegative ? 0 - static_cast<quint64>(hundredths) : static_cast<quint64>(hundredths);
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%s%llu.%02llu", blnNegative ? "-" : "",
                                static_cast<unsigned long long>(u / 100), static_cast<unsigned long long>(u % 100));
    return QString::fromLatin1(buffer, n);
}

QList<QStringList> rows(const List& list)
{
    QList<QStringList> out;
    out.reserve(list.rows.size() + 2);
    for (const Row& r : list.rows) {
        out.append({r.strName, QString::number(r.intAmount), r.strEdin, FactsText::format(r.package),
                    r.packages ? QString::number(*r.packages) : QString(), r.cost ? moneyText(*r.cost) : QString(),
                    FactsText::format(r.leftOver)});
    }
    out.append({TotalName, QString(), QString(), QString(), QString(), moneyText(list.intTotal),
                noPriceText(list.countNoPrice())});
    out.append({PerPersonName, QString(), QString(), QString(), QString(), QString::asprintf("%.2f", list.perPerson()),
                QString()});
    return out;
}

} // namespace Shopping

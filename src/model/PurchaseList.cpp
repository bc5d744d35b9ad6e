#include "model/PurchaseList.h"

#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/ModelErrors.h"
#include "model/NameOrder.h"
#include "model/TripDays.h"
#include "model/clsTrapeza.h"

#include <limits>

QList<qint16> PurchaseList::takenDays(qint16 intCountDay, qint16 intCountSmena, bool blnViewAll, qint16 intSmen)
{
    QList<qint16> days;
    for (int d = 1; d <= intCountDay; ++d) {
        if (blnViewAll || TripDays::smenaOfDay(d, intCountSmena) == intSmen)
            days.append(static_cast<qint16>(d));
    }
    return days;
}

bool PurchaseList::isGramUnit(const QString& strEdin)
{
    static const QStringList words{QStringLiteral("гр."), QStringLiteral("гр"), QStringLiteral("г"),
                                   QStringLiteral("г."),  QStringLiteral("g"),  QStringLiteral("g.")};
    return words.contains(strEdin, Qt::CaseSensitive);
}

PurchaseList PurchaseList::build(const GlobalVariable& g, bool blnViewAll, qint16 intSmen)
{
    PurchaseList list;
    const qint16 n = g.objCatalog.size();
    list.blnEmptyCatalog = n < 1;
    if (list.blnEmptyCatalog)
        return list;

    // Summed by catalog position in 64 bits, so that a too large amount is reported, not
    // wrapped; only the products bought are put in name order.
    QList<qint64> amounts(n + 1, 0);
    for (qint16 d : takenDays(g.intCountDay, g.intCountSmena, blnViewAll, intSmen)) {
        const clsMenuOfDay& objMenu = g.objMenuList.GetMenu(g.objRasklad.GetMenu(d));
        for (int m = 1; m <= Meals::Count; ++m) {
            const clsTrapeza* objTrapeza = objMenu.GetTrapeza(m);
            for (int k = 1; k <= objTrapeza->GetCountProduct(); ++k) {
                const qint16 p = objTrapeza->GetIndexProduct(k);
                if (p < 1 || p > n) {
                    ++list.intUnknownEntries;
                    continue;
                }
                qint64& amount = amounts[p];
                amount += clsTrapeza::groupAmount(g.objCatalog.GetProduct(p).Norma(), g.intCountPeople);
                if (amount > std::numeric_limits<qint32>::max() || amount < std::numeric_limits<qint32>::min())
                    throw OverflowError("purchase amount outside the 32-bit range");
            }
        }
    }

    QList<qint16> bought;
    for (int p = 1; p <= n; ++p) {
        if (amounts[p] >= 1)
            bought.append(static_cast<qint16>(p));
    }
    NameOrder::sortByName(g.objCatalog, bought);
    list.rows.reserve(bought.size());
    for (qint16 p : bought) {
        const qint64 amount = amounts[p];
        const clsProduct& objProduct = g.objCatalog.GetProduct(p);
        list.rows.append({objProduct.Name(), static_cast<qint32>(amount), objProduct.strProductEdin});
        if (isGramUnit(objProduct.strProductEdin))
            list.intGramTotal += amount;
    }
    return list;
}

QList<QStringList> PurchaseList::gridRows() const
{
    if (blnEmptyCatalog)
        return {QStringList{QString(), QString(), QString()}};
    QList<QStringList> grid;
    grid.reserve(rows.size() + 1);
    for (const PurchaseRow& row : rows)
        grid.append({row.strName, QString::number(row.intAmount), row.strEdin});
    if (hasTotal())
        grid.append({TotalName, QString::number(intGramTotal), TotalUnit});
    return grid;
}

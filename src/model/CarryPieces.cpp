#include "model/CarryPieces.h"

#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/NameOrder.h"
#include "model/ProductGrams.h"
#include "model/TripDays.h"
#include "model/clsTrapeza.h"

CarryPieces CarryPieces::build(const GlobalVariable& g, int intCountDay)
{
    CarryPieces out;
    const qint16 n = g.objCatalog.size();
    if (n < 1 || g.objMenuList.size() < 1)
        return out;
    QList<qint64> amounts(n + 1, 0);
    QList<qint64> meals(n + 1, 0);
    const int intPeriod = qMax<int>(1, g.intPeriod);
    for (int d = 1; d <= intCountDay; ++d) {
        const qint16 intMenu = TripDays::menuOfDay(d, intPeriod);
        if (intMenu > g.objMenuList.size())
            continue; // a ration shorter than its periodicity has nothing more to serve
        const clsMenuOfDay& objMenu = g.objMenuList.GetMenu(intMenu);
        for (int m = 1; m <= Meals::Count; ++m) {
            const clsTrapeza* objTrapeza = objMenu.GetTrapeza(m);
            for (int k = 1; k <= objTrapeza->GetCountProduct(); ++k) {
                const qint16 p = objTrapeza->GetIndexProduct(k);
                if (p < 1 || p > n)
                    continue;
                const qint32 intAmount = clsTrapeza::groupAmount(g.objCatalog.GetProduct(p).Norma(), g.intCountPeople);
                amounts[p] += intAmount;
                if (intAmount > 0)
                    ++meals[p];
            }
        }
    }

    QList<qint16> used;
    for (int p = 1; p <= n; ++p) {
        if (amounts[p] >= 1)
            used.append(static_cast<qint16>(p));
    }
    NameOrder::sortByName(g.objCatalog, used);
    for (qint16 p : used) {
        const clsProduct& objProduct = g.objCatalog.GetProduct(p);
        const std::optional<qint64> gramsPerUnit = ProductGrams::gramsPerUnit(objProduct);
        if (!gramsPerUnit) {
            out.unknown.append({objProduct.Name(), amounts[p], objProduct.strProductEdin});
            continue;
        }
        CarryProduct c;
        c.intProduct = p;
        c.strName = objProduct.Name();
        c.strEdin = objProduct.strProductEdin;
        c.intQuantity = amounts[p];
        const std::optional<qint64> package = objProduct.facts.package;
        if (package && *package > 0) {
            // The group carries what it bought: whole packages, all of them full.
            c.blnPackages = true;
            c.intPieces = ProductGrams::packagesToBuy(amounts[p], *package);
            c.intPieceWeight = *package * *gramsPerUnit;
        } else {
            c.intPieces = meals[p];
            const qint64 intBag = clsTrapeza::groupAmount(objProduct.Norma(), g.intCountPeople);
            c.intPieceWeight = intBag * *gramsPerUnit * 100;
        }
        out.products.append(c);
    }
    return out;
}

qint64 CarryPieces::pieceCount() const
{
    qint64 n = 0;
    for (const CarryProduct& p : products)
        n += p.intPieces;
    return n;
}

CarryWeight CarryPieces::totalWeight() const
{
    CarryWeight total = 0;
    for (const CarryProduct& p : products)
        total += p.weight();
    return total;
}

#include "model/CarryPieces.h"

#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/NameOrder.h"
#include "model/ProductGrams.h"
#include "model/TripDays.h"
#include "model/clsTrapeza.h"

namespace {

// a / b to the nearest whole, ties to even; a >= 0, b > 0.
qint64 roundedQuotient(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    const qint64 r = a % b;
    if (2 * r > b || (2 * r == b && (q % 2) != 0))
        return q + 1;
    return q;
}

} // namespace

CarryPieces CarryPieces::build(const GlobalVariable& g, int intCountDay)
{
    CarryPieces out;
    const qint16 n = g.objCatalog.size();
    if (n < 1 || g.objMenuList.size() < 1)
        return out;
    QList<qint64> amounts(n + 1, 0);
    QList<int> meals(n + 1, 0);
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
            c.intPieces = static_cast<int>(ProductGrams::packagesToBuy(amounts[p], *package));
            c.intPieceGrams = roundedQuotient(*package * *gramsPerUnit, 10000);
        } else {
            c.intPieces = meals[p];
            const qint64 intBag = clsTrapeza::groupAmount(objProduct.Norma(), g.intCountPeople);
            c.intPieceGrams = roundedQuotient(intBag * *gramsPerUnit, 100);
        }
        out.products.append(c);
    }
    return out;
}

int CarryPieces::pieceCount() const
{
    int n = 0;
    for (const CarryProduct& p : products)
        n += p.intPieces;
    return n;
}

qint64 CarryPieces::totalGrams() const
{
    qint64 total = 0;
    for (const CarryProduct& p : products)
        total += p.grams();
    return total;
}

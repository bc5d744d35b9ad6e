// libFuzzer target for the figures of a trip: whatever trip file the reader accepts and
// the layout button would let through, the nutrition table, the shopping list and the
// carry split must come out without a crash, a sanitizer report or a hang; every piece
// the shopping list buys is carried exactly once, the loads add up to the food's weight,
// and the split stays within its bounds of work and memory.
#include "model/CarryPlan.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Nutrition.h"
#include "model/Shopping.h"
#include "model/TripCheck.h"
#include "tripfile/TripFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool blnOk)
{
    if (!blnOk)
        std::abort();
}

void carry(const GlobalVariable& g, qint16 intCountDay)
{
    const CarryPlan plan = CarryPlan::make(g, intCountDay);
    const QList<CarryProduct>& products = plan.pieces.products;
    check(plan.packs.size() == g.intCountPeople);
    QList<qint64> carried(products.size(), 0);
    CarryWeight sum = 0;
    for (const CarryPack& pack : plan.packs) {
        CarryWeight load = 0;
        for (const CarryLine& line : pack.lines) {
            check(line.intPieces > 0 && line.intProduct >= 0 && line.intProduct < products.size());
            check(line.weight == CarryWeight(products.at(line.intProduct).intPieceWeight) * line.intPieces);
            carried[line.intProduct] += line.intPieces;
            load += line.weight;
        }
        check(load == pack.load);
        sum += load;
    }
    for (qsizetype k = 0; k < products.size(); ++k)
        check(carried.at(k) == products.at(k).intPieces);
    check(sum == plan.total && sum == plan.pieces.totalWeight());
    check(plan.cost.intWork <= CarrySplit::WorkBudget + CarrySplit::WorkBudget / 10);
    check(plan.cost.intBytes <= CarrySplit::MemoryBudget);
    check(plan.fValue >= plan.fBound * (1 - 1e-9));

    // The shopping list buys what is carried: each product it lists is carried or of
    // unknown weight, and a product in packages is carried by the package bought.
    const Shopping::List list = Shopping::build(g, intCountDay, true, 1);
    check(list.rows.size() == products.size() + plan.pieces.unknown.size());
    qsizetype k = 0;
    for (const Shopping::Row& row : list.rows) {
        if (k < products.size() && products.at(k).intProduct == row.intIndex) {
            check(products.at(k).intQuantity == row.intAmount);
            if (products.at(k).blnPackages)
                check(row.packages && *row.packages == products.at(k).intPieces);
            ++k;
        }
    }
    check(k == products.size());
    plan.rows();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TripData trip;
    QString strError;
    if (!TripFile::read(bytes, trip, strError))
        return 0;
    GlobalVariable g;
    InitGlobalVariable(g);
    if (!TripFile::apply(std::move(trip), g, strError))
        return 0;
    // The figures are made only for a trip the layout button lets through.
    const TripCheck::Result tripCheck = TripCheck::check(g.dtDataBegin, g.dtDataEnd, g.intCountPeople, g.intCountSmena);
    if (!tripCheck.ok())
        return 0;
    g.intCountDay = tripCheck.intCountDay;
    try {
        g.objRasklad.Build(g.intCountDay, g.intPeriod);
        Nutrition::rows(Nutrition::build(g, g.intCountDay));
        for (qint16 s = 0; s <= g.intCountSmena && s <= 3; ++s)
            Shopping::rows(Shopping::build(g, g.intCountDay, s == 0, qMax<qint16>(1, s)));
        carry(g, g.intCountDay);
    } catch (const ModelError&) {
        // Refused with a message of its own where the program shows them.
    }
    return 0;
}

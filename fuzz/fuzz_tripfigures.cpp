// libFuzzer target for the figures of a trip: whatever trip file the reader accepts and
// the layout button would let through, the nutrition table, the shopping list and the
// carry split must come out without a crash, a sanitizer report or a hang; every piece
// the shopping list buys is carried exactly once, the loads add up to the food's weight,
// and the split stays within its bounds of work and memory. Changes made to the trip are
// taken back and made again to the very bytes the trip file would hold.
#include "model/CarryPlan.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Nutrition.h"
#include "model/Participants.h"
#include "model/Shopping.h"
#include "model/TripCheck.h"
#include "tripfile/TripFile.h"

#include <algorithm>
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

QByteArray tripBytes(const GlobalVariable& g)
{
    QByteArray out;
    QString strError;
    // A trip whose texts Windows-1251 cannot hold is refused alike every time.
    if (!TripFile::write(TripFile::fromState(g), out, strError))
        out = strError.toUtf8();
    return out;
}

// Changes chosen by the input's first bytes, each refused whole or made; then all of them
// taken back and made again.
void edits(GlobalVariable& g, const QByteArray& bytes)
{
    std::vector<TripChange> made;
    QObject::connect(&g.edits, &TripEditor::made, [&](const TripChange& c) { made.push_back(c); });
    const QByteArray start = tripBytes(g);
    for (qsizetype i = 0; i + 1 < bytes.size() && i < 24; i += 2) {
        const auto op = static_cast<unsigned char>(bytes.at(i));
        const auto arg = static_cast<unsigned char>(bytes.at(i + 1));
        const auto days = g.objMenuList.size();
        const auto day = static_cast<qint16>(days > 0 ? 1 + arg % days : 1);
        const QByteArray before = tripBytes(g);
        try {
            switch (op % 9) {
            case 0:
                g.edits.addDay();
                break;
            case 1:
                g.edits.deleteDay(day);
                break;
            case 2:
                g.edits.exchangeDays(day, static_cast<qint16>(days));
                break;
            case 3: {
                QList<qint16> meal = g.objMenuList.GetMenu(day).GetTrapeza(1 + arg % 3)->Products();
                std::reverse(meal.begin(), meal.end());
                if (g.objCatalog.size() > 0)
                    meal.append(static_cast<qint16>(1 + arg % g.objCatalog.size()));
                g.edits.setMeal(day, static_cast<qint16>(1 + arg % 3), meal, QString());
                break;
            }
            case 4: {
                if (g.objCatalog.size() == 0)
                    break;
                const auto index = static_cast<qint16>(1 + arg % g.objCatalog.size());
                clsProduct p = g.objCatalog.GetProduct(index);
                p.setNorma(static_cast<qint16>(arg * 128));
                p.facts.energy.reset();
                g.edits.setProduct(index, p, QString());
                break;
            }
            case 5: {
                clsProduct p;
                p.setName(QStringLiteral("Новый %1").arg(arg));
                g.edits.appendProducts({p}, QString());
                break;
            }
            case 6:
                g.edits.setAim(arg * 50);
                break;
            case 7: {
                TripSettings s = g;
                s.intCountPeople = static_cast<qint16>(1 + arg % 50);
                g.edits.setCountPeople(s, QString());
                break;
            }
            default: {
                QList<Participant> people = g.participants;
                if (!people.isEmpty())
                    people[arg % people.size()].intShare = 10 + arg;
                g.edits.setParticipants(people, QString());
            }
            }
        } catch (const ModelError&) {
            check(tripBytes(g) == before);
        }
    }
    const QByteArray end = tripBytes(g);
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        g.edits.undo(*it);
    check(tripBytes(g) == start);
    for (const TripChange& c : made)
        g.edits.redo(c);
    check(tripBytes(g) == end);
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
    {
        GlobalVariable edited;
        InitGlobalVariable(edited);
        TripData again;
        if (TripFile::read(bytes, again, strError) && TripFile::apply(std::move(again), edited, strError))
            edits(edited, bytes);
    }
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

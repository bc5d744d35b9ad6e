#include "model/CarryPlan.h"

#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Participants.h"

#include <algorithm>
#include <numeric>

namespace {

// The split's own arithmetic (loads times shares) stays exact in 64 bits below this
// many units in all; a heavier trip is split on weights scaled down to it.
constexpr qint64 SplitUnits = qint64(1) << 50;

// a / sa < b / sb, exactly.
bool below(CarryWeight a, qint64 sa, CarryWeight b, qint64 sb)
{
    return a * sb < b * sa;
}

// Grams per unit of share (a share of 1 is 100).
double perShare(CarryWeight w, qint64 share)
{
    return CarryWeights::grams(w) * 100.0 / double(share);
}

} // namespace

CarryPlan CarryPlan::make(const GlobalVariable& g, int intCountDay, const QHash<qint16, int>& pins)
{
    CarryPlan plan;
    plan.pieces = CarryPieces::build(g, intCountDay);
    const QList<Participant> people = Participants::fitted(g.participants, g.intCountPeople);
    const QList<CarryProduct>& products = plan.pieces.products;

    QList<qint32> shares;
    for (const Participant& p : people)
        shares.append(qMax<qint32>(1, p.intShare));

    // The split counts in the largest unit every piece is a whole number of (1 g for a
    // trip of whole grams), and no finer than the sum allows.
    qint64 unit = 0;
    qint64 count = 0;
    for (const CarryProduct& product : products) {
        unit = std::gcd(unit, product.intPieceWeight);
        if (__builtin_add_overflow(count, product.intPieces, &count) || count > SplitUnits)
            throw OverflowError("too many pieces to split");
    }
    unit = qMax<qint64>(1, unit);
    CarryWeight units = 0;
    for (const CarryProduct& product : products)
        units += CarryWeight(product.intPieceWeight / unit) * product.intPieces;
    const qint64 scale = units > SplitUnits ? qint64((units + SplitUnits - 1) / SplitUnits) : 1;

    // Each product one run of equal pieces.
    QList<CarryRun> runs;
    runs.reserve(products.size());
    for (qsizetype k = 0; k < products.size(); ++k) {
        const CarryProduct& product = products.at(k);
        const int j = pins.value(product.intProduct, -1);
        const qint64 w = product.intPieceWeight / unit;
        runs.append({scale == 1 ? w : qMax<qint64>(1, (w + scale / 2) / scale), product.intPieces, int(k),
                     j < people.size() ? j : -1});
    }
    // Among thousands of pieces, less than a gram, or a millionth of a participant's
    // part, is no gain worth a step, nor worth a product divided among many.
    qint64 splitTotal = 0;
    for (const CarryRun& run : runs)
        splitTotal += run.grams * run.count;
    const qint64 crumb = qMax(scale == 1 ? CarryWeights::PerGram / unit - 1 : 0,
                              splitTotal / qMax<qint64>(1, people.size()) / 1'000'000);
    const CarryRunResult split = CarrySplit::solveRuns(runs, shares, crumb);
    plan.cost = split.cost;
    plan.total = plan.pieces.totalWeight();

    qint64 shareSum = 0;
    for (qint32 s : shares)
        shareSum += s;
    for (qsizetype j = 0; j < people.size(); ++j) {
        CarryPack pack;
        pack.strName = people.at(j).strName;
        pack.intShare = people.at(j).intShare;
        pack.fTarget = CarryWeights::grams(plan.total) * double(shares.at(j)) / double(shareSum);
        plan.packs.append(pack);
    }
    // Products come in name order, so each pack's lines do too. Loads are the sums of
    // the exact weights, whatever units the split counted in.
    for (qsizetype k = 0; k < runs.size(); ++k) {
        QList<std::pair<int, qint64>> taken = split.taken.value(k);
        std::sort(taken.begin(), taken.end());
        for (const auto& [j, n] : taken) {
            if (j >= 0 && j < plan.packs.size() && n > 0) {
                const CarryWeight w = CarryWeight(products.at(k).intPieceWeight) * n;
                plan.packs[j].lines.append({int(k), n, w});
                plan.packs[j].load += w;
            }
        }
    }

    // The value and its lower bound, compared exactly.
    if (people.isEmpty())
        return plan;
    CarryWeight valueLoad = 0, boundLoad = plan.total;
    qint64 valueShare = 1, boundShare = std::max<qint64>(1, shareSum);
    for (qsizetype j = 0; j < plan.packs.size(); ++j) {
        if (below(valueLoad, valueShare, plan.packs.at(j).load, shares.at(j)))
            valueLoad = plan.packs.at(j).load, valueShare = shares.at(j);
    }
    const qint32 largest = *std::max_element(shares.begin(), shares.end());
    QList<CarryWeight> pinned(people.size(), 0);
    for (qsizetype k = 0; k < runs.size(); ++k) {
        if (runs.at(k).pinned >= 0)
            pinned[runs.at(k).pinned] += products.at(k).weight();
        else if (products.at(k).intPieces > 0 && below(boundLoad, boundShare, products.at(k).intPieceWeight, largest))
            boundLoad = products.at(k).intPieceWeight, boundShare = largest;
    }
    for (qsizetype j = 0; j < people.size(); ++j) {
        if (below(boundLoad, boundShare, pinned.at(j), shares.at(j)))
            boundLoad = pinned.at(j), boundShare = shares.at(j);
    }
    plan.fValue = perShare(valueLoad, valueShare);
    plan.fBound = perShare(boundLoad, boundShare);
    // A split on scaled weights is proven best only where it meets the bound.
    plan.blnExact = (split.blnExact && scale == 1) || !below(boundLoad, boundShare, valueLoad, valueShare);
    return plan;
}

double CarryPlan::gapPercent() const
{
    if (fBound <= 0)
        return 0;
    return (fValue / fBound - 1.0) * 100.0;
}

QString CarryPlan::piecesText(const CarryLine& line) const
{
    const CarryProduct& p = pieces.products.at(line.intProduct);
    return QStringLiteral("%1 %2 по %3 гр, %4 гр")
        .arg(line.intPieces)
        .arg(p.blnPackages ? QStringLiteral("уп.") : QStringLiteral("пак."))
        .arg(CarryWeights::text(p.intPieceWeight), CarryWeights::text(line.weight));
}

QString CarryPlan::lineText(const CarryLine& line) const
{
    return pieces.products.at(line.intProduct).strName + QStringLiteral(" — ") + piecesText(line);
}

QList<QStringList> CarryPlan::rows() const
{
    QList<QStringList> out;
    for (qsizetype j = 0; j < packs.size(); ++j)
        out += packRows(j);
    out += unknownRows();
    return out;
}

QList<QStringList> CarryPlan::packRows(qsizetype j) const
{
    QList<QStringList> out;
    const CarryPack& pack = packs.at(j);
    const QString strNumber = QString::number(j + 1);
    out.reserve(pack.lines.size() + 1);
    for (const CarryLine& line : pack.lines)
        out.append({strNumber, pack.strName, pieces.products.at(line.intProduct).strName,
                    QString::number(line.intPieces), CarryWeights::text(line.weight)});
    out.append({strNumber, pack.strName, TotalName, QString(), CarryWeights::text(pack.load)});
    return out;
}

QList<QStringList> CarryPlan::unknownRows() const
{
    QList<QStringList> out;
    for (const CarryUnknown& u : pieces.unknown)
        out.append({UnknownName, QString(), u.strName, QString::number(u.intQuantity), u.strEdin});
    return out;
}

#include "model/CarryPlan.h"

#include "model/GlobalVariable.h"
#include "model/Participants.h"

#include <algorithm>

namespace {

QString gramsText(double fGrams)
{
    return QString::asprintf("%.0f", fGrams);
}

} // namespace

CarryPlan CarryPlan::make(const GlobalVariable& g, int intCountDay, const QHash<qint16, int>& pins)
{
    CarryPlan plan;
    plan.pieces = CarryPieces::build(g, intCountDay);
    const QList<Participant> people = Participants::fitted(g.participants, g.intCountPeople);

    // Each product one run of equal pieces.
    QList<qint32> shares;
    for (const Participant& p : people)
        shares.append(qMax<qint32>(1, p.intShare));
    QList<CarryRun> runs;
    runs.reserve(plan.pieces.products.size());
    for (qsizetype k = 0; k < plan.pieces.products.size(); ++k) {
        const CarryProduct& product = plan.pieces.products.at(k);
        const int j = pins.value(product.intProduct, -1);
        runs.append({product.intPieceGrams, product.intPieces, int(k), j < people.size() ? j : -1});
    }
    const CarryRunResult split = CarrySplit::solveRuns(runs, shares);
    plan.intTotal = plan.pieces.totalGrams();
    plan.blnExact = split.blnExact;
    plan.fBound = people.isEmpty() ? 0 : CarrySplit::lowerBound(runs, shares);

    qint64 shareSum = 0;
    for (qint32 s : shares)
        shareSum += s;
    for (qsizetype j = 0; j < people.size(); ++j) {
        CarryPack pack;
        pack.strName = people.at(j).strName;
        pack.intShare = people.at(j).intShare;
        pack.intLoad = split.loads.value(j);
        pack.fTarget = double(plan.intTotal) * double(shares.at(j)) / double(shareSum);
        plan.packs.append(pack);
        plan.fValue = qMax(plan.fValue, double(pack.intLoad) * 100.0 / double(shares.at(j)));
    }
    // Products come in name order, so each pack's lines do too.
    for (qsizetype k = 0; k < runs.size(); ++k) {
        QList<std::pair<int, int>> taken = split.taken.value(k);
        std::sort(taken.begin(), taken.end());
        for (const auto& [j, n] : taken) {
            if (j >= 0 && j < plan.packs.size() && n > 0)
                plan.packs[j].lines.append({int(k), n, runs.at(k).grams * n});
        }
    }
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
        .arg(p.intPieceGrams)
        .arg(line.intGrams);
}

QString CarryPlan::lineText(const CarryLine& line) const
{
    return pieces.products.at(line.intProduct).strName + QStringLiteral(" — ") + piecesText(line);
}

QList<QStringList> CarryPlan::rows() const
{
    QList<QStringList> out;
    for (qsizetype j = 0; j < packs.size(); ++j) {
        const CarryPack& pack = packs.at(j);
        const QString strNumber = QString::number(j + 1);
        for (const CarryLine& line : pack.lines)
            out.append({strNumber, pack.strName, pieces.products.at(line.intProduct).strName,
                        QString::number(line.intPieces), gramsText(double(line.intGrams))});
        out.append({strNumber, pack.strName, TotalName, QString(), gramsText(double(pack.intLoad))});
    }
    for (const CarryUnknown& u : pieces.unknown)
        out.append({UnknownName, QString(), u.strName, QString::number(u.intQuantity), u.strEdin});
    return out;
}

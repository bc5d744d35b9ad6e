#include "model/CarryPlan.h"

#include "model/GlobalVariable.h"
#include "model/Participants.h"

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

    CarryTask task;
    task.grams = plan.pieces.pieceGrams();
    task.product = plan.pieces.pieceProducts();
    for (const Participant& p : people)
        task.shares.append(qMax<qint32>(1, p.intShare));
    if (!pins.isEmpty()) {
        task.pinned.reserve(task.product.size());
        for (int product : task.product) {
            const int j = pins.value(plan.pieces.products.at(product).intProduct, -1);
            task.pinned.append(j < people.size() ? j : -1);
        }
    }
    const CarryResult split = CarrySplit::solve(task);
    plan.intTotal = plan.pieces.totalGrams();
    plan.blnExact = split.blnExact;
    plan.fValue = people.isEmpty() ? 0 : split.value(task.shares);
    plan.fBound = people.isEmpty() ? 0 : CarrySplit::lowerBound(task);

    qint64 shareSum = 0;
    for (qint32 s : task.shares)
        shareSum += s;
    for (qsizetype j = 0; j < people.size(); ++j) {
        CarryPack pack;
        pack.strName = people.at(j).strName;
        pack.intShare = people.at(j).intShare;
        pack.intLoad = split.loads.value(j);
        pack.fTarget = double(plan.intTotal) * double(task.shares.at(j)) / double(shareSum);
        plan.packs.append(pack);
    }
    // Pieces come product by product, so each pack's lines fall in name order.
    for (qsizetype i = 0; i < split.owner.size(); ++i) {
        const int j = split.owner.at(i);
        if (j < 0)
            continue;
        QList<CarryLine>& lines = plan.packs[j].lines;
        const int product = task.product.at(i);
        if (lines.isEmpty() || lines.last().intProduct != product)
            lines.append({product, 0, 0});
        ++lines.last().intPieces;
        lines.last().intGrams += task.grams.at(i);
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

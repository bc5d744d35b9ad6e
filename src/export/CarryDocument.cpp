#include "export/CarryDocument.h"

#include "export/PurchaseListDocument.h"
#include "export/clsRKWord.h"
#include "model/CarryPlan.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Participants.h"
#include "platform/MessageBox.h"

#include <exception>

namespace CarryDocument {

namespace {

const QString Left = QStringLiteral("left");
const QString Right = QStringLiteral("right");
const QString Down = QStringLiteral("down");

QString grams(CarryWeight weight)
{
    return CarryWeights::text(weight);
}

// A table of three columns under a bold header row, the last row bold, as the purchase
// list's; the cursor ends below it.
bool writeTable(clsRKWord& w, const QStringList& header, const QList<QStringList>& rows)
{
    w.InsertTable(qint32(rows.size()) + 1, 3);
    for (int c = 0; c < 3; ++c) {
        if (c > 0)
            w.Move(Right);
        w.SetFontSize(14);
        w.Bold(true);
        w.SetAlign(QStringLiteral("Center"));
        if (!w.InsertText(header.at(c)) && c == 0)
            return false;
    }
    w.Move(Down);
    for (int i = 0; i < rows.size(); ++i) {
        w.Move(Left);
        w.Move(Left);
        for (int c = 0; c < 3; ++c) {
            w.SetFontSize(14);
            w.Bold(i == rows.size() - 1);
            w.SetAlign(c == 0 ? QStringLiteral("Left") : QStringLiteral("Right"));
            if (!w.InsertText(rows.at(i).value(c)) && c == 0)
                return false;
            if (c < 2)
                w.Move(Right);
        }
        w.Move(Down);
    }
    return true;
}

void heading(clsRKWord& w, const QString& strText)
{
    w.SetAlign(QStringLiteral("Left"));
    w.SetFontSize(14);
    w.Bold(true);
    w.InsertText(strText);
    w.Enter();
    w.Bold(false);
}

} // namespace

QString title()
{
    return QStringLiteral("Раздача по рюкзакам");
}

bool writeTables(clsRKWord& w, const CarryPlan& plan)
{
    const QStringList header{QStringLiteral("Продукт"), QStringLiteral("Штук"), QStringLiteral("Вес, гр")};
    for (qsizetype j = 0; j < plan.packs.size(); ++j) {
        const CarryPack& pack = plan.packs.at(j);
        heading(w, QStringLiteral("%1. %2 (доля %3): %4 гр, по доле %5 гр")
                       .arg(j + 1)
                       .arg(pack.strName, Participants::shareText(pack.intShare), grams(pack.load))
                       .arg(QString::asprintf("%.0f", pack.fTarget)));
        QList<QStringList> rows;
        for (const CarryLine& line : pack.lines)
            rows.append({plan.pieces.products.at(line.intProduct).strName, plan.piecesText(line).section(u',', 0, 0),
                         grams(line.weight)});
        rows.append({CarryPlan::TotalName, QString(), grams(pack.load)});
        if (!writeTable(w, header, rows))
            return false;
        w.Enter();
    }
    if (!plan.pieces.unknown.isEmpty()) {
        heading(w, QStringLiteral("Не распределено (вес неизвестен)"));
        QList<QStringList> rows;
        for (const CarryUnknown& u : plan.pieces.unknown)
            rows.append({u.strName, QString::number(u.intQuantity), u.strEdin});
        // The last row is bold in every table: an empty one keeps the list plain.
        rows.append({QString(), QString(), QString()});
        if (!writeTable(w, {QStringLiteral("Продукт"), QStringLiteral("Количество"), QStringLiteral("Ед.")}, rows))
            return false;
    }
    return true;
}

TripDocuments::ExportResult exportPlan(GlobalVariable& g, const CarryPlan& plan)
{
    bool ok = PurchaseListDocument::PrintTitule(g, title());
    if (ok && !writeTables(objWord(g), plan)) {
        PurchaseListDocument::ShowNoWord();
        ok = false;
    }
    return TripDocuments::finish(g, ok);
}

TripDocuments::ExportResult exportCarry(GlobalVariable& g)
{
    CarryPlan plan;
    try {
        plan = CarryPlan::make(g, g.intCountDay);
    } catch (const OverflowError&) {
        MessageBox::show(nullptr, CarryPlan::TooManyText, QStringLiteral("Раскладка"), MessageBox::OkOnly,
                         MessageBox::Warning);
        return {};
    } catch (const std::exception&) {
        MessageBox::show(nullptr, QStringLiteral("Раскладка не согласуется с параметрами похода: раздача не записана."),
                         QStringLiteral("Раскладка"), MessageBox::OkOnly, MessageBox::Warning);
        return {};
    }
    return exportPlan(g, plan);
}

} // namespace CarryDocument

#include "export/ShoppingDocument.h"

#include "export/PurchaseListDocument.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Shopping.h"
#include "platform/MessageBox.h"

namespace ShoppingDocument {

QString title(bool blnViewAll, qint16 intSmen)
{
    return blnViewAll ? QStringLiteral("Закупка продуктов с упаковками и стоимостью")
                      : QStringLiteral("Закупка продуктов дежурной смены №") + QString::number(intSmen);
}

bool writeList(clsRKWord& w, const Shopping::List& list)
{
    const QList<QStringList> rows = Shopping::rows(list);
    constexpr int Columns = 7;
    w.InsertTable(qint32(rows.size()) + 1, Columns);
    const QString header[Columns] = {QStringLiteral("Наименование"), QStringLiteral("Количество"),
                                     QStringLiteral("Ед."),          QStringLiteral("Упаковка"),
                                     QStringLiteral("Упаковок"),     QStringLiteral("Стоимость, руб."),
                                     QStringLiteral("Остаток")};
    for (int c = 0; c < Columns; ++c) {
        if (c > 0)
            w.MoveRightCell(1);
        w.SetFontSize(12);
        w.Bold(true);
        w.SetAlign(QStringLiteral("Center"));
        if (!w.InsertText(header[c]) && c == 0)
            return false;
    }
    // The two total rows close the list, in bold.
    const qsizetype intFirstTotal = rows.size() - 2;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        for (int c = 0; c < Columns; ++c) {
            w.MoveRightCell(1);
            w.SetFontSize(12);
            w.Bold(i >= intFirstTotal);
            w.SetAlign(c == 0 || c == 2 ? QStringLiteral("Left") : QStringLiteral("Right"));
            w.InsertText(rows.at(i).value(c));
        }
    }
    return true;
}

TripDocuments::ExportResult exportShopping(GlobalVariable& g, bool blnViewAll, qint16 intSmen)
{
    Shopping::List list;
    try {
        list = Shopping::build(g, g.intCountDay, blnViewAll, intSmen);
    } catch (const CostOverflowError&) {
        MessageBox::show(nullptr, QStringLiteral("Стоимость закупки слишком велика: список не записан."),
                         QStringLiteral("Раскладка"), MessageBox::OkOnly, MessageBox::Warning);
        return {};
    } catch (const OverflowError&) {
        MessageBox::show(nullptr, QStringLiteral("Количество продукта слишком велико: список не записан."),
                         QStringLiteral("Раскладка"), MessageBox::OkOnly, MessageBox::Warning);
        return {};
    }
    return exportList(g, list, blnViewAll, intSmen);
}

TripDocuments::ExportResult exportList(GlobalVariable& g, const Shopping::List& list, bool blnViewAll, qint16 intSmen)
{
    bool ok = PurchaseListDocument::PrintTitule(g, title(blnViewAll, intSmen));
    if (ok) {
        ok = writeList(objWord(g), list);
        if (!ok)
            PurchaseListDocument::ShowNoWord();
    }
    return TripDocuments::finish(g, ok);
}

} // namespace ShoppingDocument

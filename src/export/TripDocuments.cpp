#include "export/TripDocuments.h"

#include "export/LayoutDocument.h"
#include "export/PurchaseListDocument.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/PurchaseList.h"
#include "platform/MessageBox.h"

namespace TripDocuments {

namespace {

const QString Caption = QStringLiteral("Раскладка");

void showTripError(const QString& strText)
{
    MessageBox::show(nullptr, strText, Caption, MessageBox::OkOnly, MessageBox::Warning);
}

} // namespace

// Hands the document out, whatever happened to its body, and tells where it went.
ExportResult finish(GlobalVariable& g, bool blnComplete)
{
    clsRKWord& w = objWord(g);
    const bool blnOpen = w.isOpen();
    w.CloseWord();
    ExportResult r;
    r.blnComplete = blnComplete;
    if (blnOpen)
        r.strFile = w.lastSavedFile();
    return r;
}

QString layoutTitle(bool blnAll, qint32 intSmena)
{
    return blnAll ? QStringLiteral("Раскладка")
                  : QStringLiteral("Раскладка дежурной смены №") + QString::number(intSmena);
}

QString purchasesTitle(bool blnViewAll, qint16 intSmen)
{
    return blnViewAll ? QStringLiteral("Общий список закупок по раскладке")
                      : QStringLiteral("Список закупок продуктов дежурной смены №") + QString::number(intSmen);
}

ExportResult exportLayout(GlobalVariable& g, bool blnAll, qint32 intSmena)
{
    bool ok = PurchaseListDocument::PrintTitule(g, layoutTitle(blnAll, intSmena));
    for (int d = 1; ok && d <= g.intCountDay; ++d) {
        // The duty-shift rotation: shift k cooks days k, k + shifts, ...
        if (!blnAll && (g.intCountSmena < 1 || (d - 1) % g.intCountSmena + 1 != intSmena))
            continue;
        QString strWhy;
        ok = LayoutDocument::PrintWord(g, static_cast<qint16>(d), blnAll ? 0 : 1, &strWhy);
        // The writer tells its own failures; a day the trip does not hold would end
        // the document without a word.
        if (!ok && !strWhy.isEmpty())
            showTripError(QStringLiteral("День %1 не записан: раскладка не согласуется с параметрами похода. "
                                         "Документ записан до этого дня.")
                              .arg(d));
    }
    return finish(g, ok);
}

ExportResult exportPurchases(GlobalVariable& g, bool blnViewAll, qint16 intSmen)
{
    QList<QStringList> rows;
    try {
        rows = PurchaseList::build(g, blnViewAll, intSmen).gridRows();
    } catch (const OverflowError&) {
        showTripError(QStringLiteral("Количество продукта слишком велико: список закупок не записан."));
        return {};
    } catch (const std::exception&) {
        showTripError(QStringLiteral("Раскладка не согласуется с параметрами похода: список закупок не записан."));
        return {};
    }
    return exportPurchaseRows(g, purchasesTitle(blnViewAll, intSmen), rows);
}

ExportResult exportPurchaseRows(GlobalVariable& g, const QString& strHeader, const QList<QStringList>& rows)
{
    bool ok = PurchaseListDocument::PrintTitule(g, strHeader);
    if (ok)
        ok = PurchaseListDocument::PrintList(g, rows);
    return finish(g, ok);
}

} // namespace TripDocuments

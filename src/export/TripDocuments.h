#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct GlobalVariable;

// The two documents of a trip, each written whole through the trip's writer
// objWord(g): the title block, then the layout days or the purchase list table, then
// CloseWord. The layout window, the export options dialog and the command line all
// come here.
//
// Where the document goes is the writer's business: by default CloseWord saves it under
// a new name in the documents folder and hands it to the desktop's word processor;
// after objWord(g).setOutputFile(path) it replaces exactly that file and opens nothing.
// Failures are told with message boxes (platform/MessageBox: recorded, not shown, when
// headless) and in the result; nothing here throws.
//
// The trip's layout must be built for the current trip (objRasklad.Build), as the
// layout button and the command line do before they export.
namespace TripDocuments {

struct ExportResult
{
    // The title block and the whole body were written.
    bool blnComplete = false;
    // The saved file; empty when nothing was saved (the writer could not start, or the
    // save failed at the end). A document stopped half way is still saved.
    QString strFile;

    bool ok() const { return blnComplete && !strFile.isEmpty(); }
};

// "Раскладка", or "Раскладка дежурной смены №" and the shift.
QString layoutTitle(bool blnAll, qint32 intSmena);
// "Общий список закупок по раскладке", or "Список закупок продуктов дежурной смены №"
// and the shift.
QString purchasesTitle(bool blnViewAll, qint16 intSmen);

// The layout document: every trip day (blnAll), or the days that shift intSmena cooks,
// one day table each in day order. A shift that cooks no day gives the title block
// alone. Stops at the first day that cannot be written.
ExportResult exportLayout(GlobalVariable& g, bool blnAll, qint32 intSmena);

// The purchase list document of all trip days (blnViewAll) or of the days of shift
// intSmen, built from the trip as the layout window's report shows it.
ExportResult exportPurchases(GlobalVariable& g, bool blnViewAll, qint16 intSmen);

// The same with the list given: the grid rows below the header (name, amount, unit),
// as the layout window shows them (PurchaseList::gridRows()).
// Closes the trip's writer, which saves or hands out the document whatever happened to
// its body, and tells where it went. Every document ends here.
ExportResult finish(GlobalVariable& g, bool blnComplete);

ExportResult exportPurchaseRows(GlobalVariable& g, const QString& strHeader, const QList<QStringList>& rows);

} // namespace TripDocuments

#pragma once

#include "export/TripDocuments.h"

#include <QString>
#include <QtGlobal>

class clsRKWord;
struct GlobalVariable;
namespace Shopping {
struct List;
}

// The shopping list as a document: the title block of the purchase list, then one
// table of the products with package, packages, cost and what is left over, and the
// trip's and each participant's total.
namespace ShoppingDocument {

// "Закупка продуктов с упаковками и стоимостью", or "... дежурной смены №" and the shift.
QString title(bool blnViewAll, qint16 intSmen);

// The table at the cursor. False when its header could not be written.
bool writeList(clsRKWord& w, const Shopping::List& list);

// The whole document through objWord(g), for trip days 1..g.intCountDay (the layout
// must be built): all of them or the days of shift intSmen.
TripDocuments::ExportResult exportShopping(GlobalVariable& g, bool blnViewAll, qint16 intSmen);

// The same of a list already made, as a window shows it.
TripDocuments::ExportResult exportList(GlobalVariable& g, const Shopping::List& list, bool blnViewAll, qint16 intSmen);

} // namespace ShoppingDocument

#pragma once

#include "export/TripDocuments.h"

class clsRKWord;
struct CarryPlan;
struct GlobalVariable;

// The carry split as a document: the title block, then one table per participant with
// the products, pieces and grams they carry and their load, then what could not be
// split for want of a weight.
namespace CarryDocument {

QString title(); // "Раздача по рюкзакам"

// The tables of the plan at the writer's cursor. False when a table could not be written.
bool writeTables(clsRKWord& w, const CarryPlan& plan);

// The whole document of the plan through objWord(g), as the other documents are written.
TripDocuments::ExportResult exportPlan(GlobalVariable& g, const CarryPlan& plan);

// The trip's split (no pins) over its intCountDay days.
TripDocuments::ExportResult exportCarry(GlobalVariable& g);

} // namespace CarryDocument

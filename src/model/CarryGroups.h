#pragma once

#include "model/CarrySplit.h"

// The split of a trip with very many pieces. A product's packages or meal bags all weigh
// the same, so the pieces are handled as groups (a product's run of equal pieces) and
// the work grows with the products, not with the pieces: longest piece first, given out
// a group at a time; then single moves and swaps between the most loaded participant
// and another while one lowers the larger of the two; then fewer carriers per product
// where that raises no load above the split's value.
namespace CarryGroups {

// Needs at least one participant; pinned runs go to their participant. The work it
// costs is added to cost, and stops growing past CarrySplit::WorkBudget. A move or swap
// must lower a load by more than intCrumb units to count.
CarryRunResult solve(const QList<CarryRun>& runs, const QList<qint32>& shares, CarryCost& cost, qint64 intCrumb = 0);

} // namespace CarryGroups

#pragma once

#include "model/CarryRatio.h"
#include "model/CarrySplit.h"

#include <vector>

// The exact searches of a split of pieces one by one: the two-carrier re-split by the
// sums of their pieces, and the search of every assignment of a few pieces.
namespace CarryExact {

// The split being searched: owner per piece, loads per participant; only the free
// pieces move. The work is added to cost.
struct Split
{
    const CarryTask& task;
    const std::vector<int>& freePieces;
    std::vector<int>& owner;
    std::vector<qint64>& loads;
    CarryCost& cost;
};

// The free pieces of a and b split between them exactly, by the sums their pieces can
// make. False, changing nothing, when that does not lower the larger of the two loads
// per share, or when the table's work added to work would pass CarryPair::WorkLimit.
bool pair(Split s, int a, int b, qint64& work);

// Every assignment of the free pieces, heaviest first, cut wherever it cannot beat the
// best split found, starting from the split given; the split becomes the best found.
// True when it ran to the end: not stopped by nodeCap nodes or CarrySplit::WorkBudget.
// Splits whose value reaches bound end it at once.
bool all(Split s, const CarryRatio& bound, qint64 nodeCap);

} // namespace CarryExact

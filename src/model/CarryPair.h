#pragma once

#include "model/CarrySplit.h"

#include <optional>
#include <vector>

// Two carriers and many pieces: the sums the free pieces can make, found with each
// weight's pieces taken in binary parts (1, 2, 4, ... of them), so that the work grows
// with the weights and the logarithm of their counts, never with the pieces. The best
// sum gives the best split outright.
namespace CarryPair {

// Free pieces of at most this many units in all...
constexpr qint64 LimitUnits = 200000;
// ...and at most this many machine words of table work.
constexpr qint64 WorkLimit = 40'000'000;

// Nothing, having cost nothing, when the table would pass either limit; shares has two
// entries.
std::optional<CarryRunResult> solve(const QList<CarryRun>& runs, const QList<qint32>& shares, CarryCost& cost);

// The sums up to total that some of the weights make, each weight used once at most, a
// machine word of sums at a time: per sum, the index of the weight that first reached
// it, or -1 where none does. Weights of 0 are passed over.
std::vector<int> sums(const std::vector<qint64>& weights, qint64 total);
inline bool reached(const std::vector<int>& via, qint64 s)
{
    return s == 0 || via[size_t(s)] >= 0;
}

} // namespace CarryPair

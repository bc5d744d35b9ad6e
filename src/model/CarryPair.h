#pragma once

#include "model/CarryRatio.h"
#include "model/CarrySplit.h"

#include <optional>
#include <utility>
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

// Pieces of one weight taken in binary parts (1, 2, 4, ... of them): a part's weight,
// the group of equal pieces it is of, and how many pieces it holds.
struct Part
{
    qint64 weight = 0;
    int group = 0;
    qint64 count = 0;
};
// The parts of groups given as (weight of a piece, pieces); weightless pieces make none,
// since they change no sum.
std::vector<Part> parts(const std::vector<std::pair<qint64, qint64>>& groups);

// The sum s of the first carrier's free pieces, 0 to total, that makes the larger of the
// two loads per share smallest, strictly below best (which it then becomes); -1 where
// none is. fixed: what each carries already.
qint64 bestSum(const std::vector<int>& via, qint64 total, const qint64 (&fixed)[2], const qint32 (&share)[2],
               CarryRatio& best);

// Per group (there are groups of them), how many of its pieces sum s takes, read back
// from sums().
std::vector<qint64> taken(const std::vector<Part>& parts, const std::vector<int>& via, qint64 s, size_t groups);

// The sums up to total that some of the parts make, each part used once at most, a
// machine word of sums at a time: per sum, the index of the part that first reached it,
// or -1 where none does.
std::vector<int> sums(const std::vector<Part>& parts, qint64 total);
// The bytes the table of sums up to total takes.
inline qint64 tableBytes(qint64 total)
{
    return (total / 64 + 1) * 16 + (total + 1) * qint64(sizeof(int));
}
inline bool reached(const std::vector<int>& via, qint64 s)
{
    return s == 0 || via[size_t(s)] >= 0;
}

} // namespace CarryPair

#pragma once

#include <QList>
#include <QtGlobal>

#include <utility>

// Who carries which piece: scheduling on machines of different speeds. Each piece goes
// to one participant so that the largest load divided by its carry share is as small
// as it can be made; among splits with that value, one keeping each product's pieces
// with fewer participants is preferred.
struct CarryTask
{
    QList<qint64> grams;  // per piece, whole grams, >= 0
    QList<int> product;   // per piece: pieces with the same number belong together
    QList<qint32> shares; // per participant, hundredths, > 0
    QList<int> pinned;    // per piece: the participant it must go to, or -1; empty: none
};

struct CarryResult
{
    QList<int> owner;      // per piece, the participant (-1 only when there is none)
    QList<qint64> loads;   // per participant, grams
    bool blnExact = false; // proven the smallest possible value

    // The largest load per unit of share, in grams (a share of 1 carries this much).
    double value(const QList<qint32>& shares) const;
};

// Pieces as a trip has them: runs of equal pieces, such as a product's packages.
struct CarryRun
{
    qint64 grams = 0; // each piece, in whole units of weight, >= 0
    qint64 count = 0; // billions where a package is tiny: never handed out one by one
    int product = 0;  // runs with the same number belong together
    int pinned = -1;  // the participant all of it must go to, or -1
};

// What a split cost, for the tests to hold it to its bounds: steps of work (a piece or
// group looked at, a word of the two-carrier table) and the most bytes its tables held.
struct CarryCost
{
    qint64 intWork = 0;
    qint64 intBytes = 0;

    void table(qint64 bytes) { intBytes = qMax(intBytes, bytes); }
};

struct CarryRunResult
{
    QList<QList<std::pair<int, qint64>>> taken; // per run: (participant, pieces), each participant once
    QList<qint64> loads;                        // per participant, in the runs' units
    bool blnExact = false;                      // proven the smallest possible value
    CarryCost cost;
};

namespace CarrySplit {

// Bounds of the work of one split, whatever the trip: past WorkBudget steps every search
// stops with the best split found so far, and no table passes MemoryBudget bytes (every
// group of a full catalog held by all 30 participants takes 32 MB).
constexpr qint64 WorkBudget = 60'000'000;
constexpr qint64 MemoryBudget = 40'000'000;
// Runs of at most this many free pieces are split one by one (solve), for the exact
// searches; beyond it, on groups of equal pieces, however many a group has.
constexpr qint64 PiecesOneByOne = 1000;

// The same split for pieces given as runs; the work grows with the runs, not with the
// pieces, where there are many. The runs' weights times their counts, summed, must stay
// below 2^53 (CarryPlan scales a trip's weights to that). Where the pieces are many, a
// gain of intCrumb units or less counts for nothing (a trip's fractions of a gram).
CarryRunResult solveRuns(const QList<CarryRun>& runs, const QList<qint32>& shares, qint64 intCrumb = 0);
double lowerBound(const QList<CarryRun>& runs, const QList<qint32>& shares);

// Pieces one by one (solveRuns hands it at most PiecesOneByOne free pieces): exact for
// up to 12 free pieces and for two participants carrying at most 200 000 units of them;
// otherwise the greedy split and its local search below, then a pairwise re-split of the most
// loaded participant with each other one while that helps; never worse than greedy().
// cost, when given, gets what the split cost.
CarryResult solve(const CarryTask& task, CarryCost* cost = nullptr);

// Longest piece first to whoever ends lowest relative to their share, then single
// moves and swaps of pieces between the most loaded participant and another while one
// lowers the larger of the two.
CarryResult greedy(const CarryTask& task);

// No split can do better: max(total / sum of shares, heaviest free piece / largest
// share, a participant's pinned pieces / their share), in grams per unit of share.
double lowerBound(const CarryTask& task);

// How many different (product, participant) pairs the split has.
int spread(const CarryTask& task, const QList<int>& owner);

// Whether a is a smaller value than b (compared exactly, not in floating point).
bool better(const CarryResult& a, const CarryResult& b, const QList<qint32>& shares);

} // namespace CarrySplit

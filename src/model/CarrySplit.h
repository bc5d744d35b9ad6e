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
    qint64 grams = 0; // each piece, whole grams, >= 0
    int count = 0;
    int product = 0; // runs with the same number belong together
    int pinned = -1; // the participant all of it must go to, or -1
};

struct CarryRunResult
{
    QList<QList<std::pair<int, int>>> taken; // per run: (participant, pieces), each participant once
    QList<qint64> loads;                     // per participant, grams
    bool blnExact = false;                   // proven the smallest possible value
};

namespace CarrySplit {

// The same split for pieces given as runs; the work grows with the runs, not with the
// pieces, where there are many.
CarryRunResult solveRuns(const QList<CarryRun>& runs, const QList<qint32>& shares);
double lowerBound(const QList<CarryRun>& runs, const QList<qint32>& shares);

// Runs within a few milliseconds on a trip's worth of pieces: exact for up to 12 free
// pieces and for two participants carrying at most 200 kg of free pieces; otherwise
// the greedy split and its local search below, then a pairwise re-split of the most
// loaded participant with each other one while that helps; never worse than greedy().
CarryResult solve(const CarryTask& task);

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

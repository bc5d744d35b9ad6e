#include "model/CarrySplit.h"

#include "model/CarryExact.h"
#include "model/CarryGroups.h"
#include "model/CarryPair.h"
#include "model/CarryRatio.h"
#include "model/CarryTrades.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace {

// Exhaustive search for this many free pieces or fewer, and at most this many nodes.
constexpr int ExactPieces = 12;
constexpr qint64 ExactNodeCap = 50'000'000;
// A few more pieces are searched too, with a smaller cap, keeping the best found.
constexpr int SearchPieces = 16;
constexpr qint64 SearchNodeCap = 2'000'000;
// Pieces looked at by the sweeps over all pairs.
constexpr qint64 SweepWorkBudget = 20'000'000;
// Splits of up to this many free pieces also try the plain local search.
constexpr int PlainPieces = 250;

class Solver
{
public:
    Solver(const CarryTask& split, CarryCost& spent)
        : task(split)
        , pieceCount(int(task.grams.size()))
        , carriers(int(task.shares.size()))
        , cost(spent)
    {
        cost.table(qint64(pieceCount) * qint64(sizeof(int) * 2 + sizeof(qint64)));
        owner.assign(size_t(pieceCount), -1);
        loads.assign(size_t(carriers), 0);
        for (int i = 0; i < pieceCount; ++i) {
            const int p = pinnedOf(i);
            if (p >= 0) {
                owner[size_t(i)] = p;
                loads[size_t(p)] += task.grams.at(i);
            } else {
                freePieces.push_back(i);
            }
        }
    }

    // Past the budget every search stops with the best split it has.
    bool spent() const { return cost.intWork > CarrySplit::WorkBudget; }

    int pinnedOf(int i) const
    {
        if (i >= task.pinned.size())
            return -1;
        const int p = task.pinned.at(i);
        return p >= 0 && p < carriers ? p : -1;
    }

    CarryRatio ratio(int j) const { return {loads[size_t(j)], task.shares.at(j)}; }
    CarryRatio ratioWith(int j, qint64 delta) const { return {loads[size_t(j)] + delta, task.shares.at(j)}; }

    int critical() const { return mostLoaded(loads, task.shares); }

    CarryRatio worst() const { return ratio(critical()); }

    void put(int i, int j)
    {
        const int old = owner[size_t(i)];
        if (old >= 0)
            loads[size_t(old)] -= task.grams.at(i);
        owner[size_t(i)] = j;
        loads[size_t(j)] += task.grams.at(i);
    }

    // Longest piece first, each to whoever ends lowest; a tie goes to the one that
    // already carries the product.
    void greedy()
    {
        std::vector<int> order = freePieces;
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            if (task.grams.at(x) != task.grams.at(y))
                return task.grams.at(x) > task.grams.at(y);
            return task.product.at(x) < task.product.at(y);
        });
        QHash<int, int> lastOwner;
        cost.intWork += qint64(order.size()) * (carriers + 1);
        for (int i : order) {
            const qint64 w = task.grams.at(i);
            const int intLast = lastOwner.value(task.product.at(i), -1);
            int best = 0;
            for (int j = 1; j < carriers; ++j) {
                const CarryRatio rj = ratioWith(j, w);
                const CarryRatio rb = ratioWith(best, w);
                if (rj < rb || (!(rb < rj) && j == intLast))
                    best = j;
            }
            put(i, best);
            lastOwner.insert(task.product.at(i), best);
        }
    }

    // Free pieces of participant j by weight, lightest first.
    std::vector<std::pair<qint64, int>> piecesOf(int j) const
    {
        std::vector<std::pair<qint64, int>> out;
        for (int i : freePieces) {
            if (owner[size_t(i)] == j)
                out.emplace_back(task.grams.at(i), i);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    // The plain local search, word for word: the single move or swap between any two
    // participants that lowers the larger of their two values the most, until none
    // does. Costs pieces squared a step, so it is the baseline of small splits only.
    void plainSearch()
    {
        auto r = [&](int j, qint64 load) { return double(load) * 100.0 / task.shares.at(j); };
        for (int step = 0; step < 100000 && !spent(); ++step) {
            cost.intWork += qint64(freePieces.size()) * (carriers + qint64(freePieces.size()));
            double gain = 0;
            int bx = -1, by = -1, bc = -1;
            for (int x : freePieces) {
                const int a = owner[size_t(x)];
                for (int c = 0; c < carriers; ++c) {
                    if (c == a)
                        continue;
                    const qint64 d = task.grams.at(x);
                    const double before = std::max(r(a, loads[size_t(a)]), r(c, loads[size_t(c)]));
                    const double after = std::max(r(a, loads[size_t(a)] - d), r(c, loads[size_t(c)] + d));
                    if (before - after > gain + 1e-9) {
                        gain = before - after;
                        bx = x;
                        by = -1;
                        bc = c;
                    }
                }
                for (int y : freePieces) {
                    const int c = owner[size_t(y)];
                    if (c == a)
                        continue;
                    const qint64 d = task.grams.at(x) - task.grams.at(y);
                    const double before = std::max(r(a, loads[size_t(a)]), r(c, loads[size_t(c)]));
                    const double after = std::max(r(a, loads[size_t(a)] - d), r(c, loads[size_t(c)] + d));
                    if (before - after > gain + 1e-9) {
                        gain = before - after;
                        bx = x;
                        by = y;
                        bc = c;
                    }
                }
            }
            if (bx < 0)
                return;
            const int a = owner[size_t(bx)];
            put(bx, bc);
            if (by >= 0)
                put(by, a);
        }
    }

    using Lists = std::vector<std::vector<std::pair<qint64, int>>>;

    Lists allLists() const
    {
        Lists lists(static_cast<size_t>(carriers));
        for (int j = 0; j < carriers; ++j)
            lists[size_t(j)] = piecesOf(j);
        return lists;
    }

    // The move of one piece from a to b, or swap of a piece of a with a lighter one of
    // b, that lowers max(a, b) the most below bestValue; a is the higher of the two.
    void bestTrade(int a, int b, const Lists& lists, CarryRatio& bestValue, int& bestX, int& bestY, int& bestB) const
    {
        using Entry = std::pair<qint64, int>;
        CarryTrades::best(
            lists[size_t(a)], lists[size_t(b)], loads[size_t(a)], task.shares.at(a), loads[size_t(b)],
            task.shares.at(b), bestValue, [](const Entry& e) { return e.first; },
            [](const Entry& e) { return e.second; },
            [&](int x, int y) {
                bestX = x;
                bestY = y;
                bestB = b;
            });
    }

    void trade(int a, int b, int x, int y, Lists& lists)
    {
        put(x, b);
        if (y >= 0)
            put(y, a);
        lists[size_t(a)] = piecesOf(a);
        lists[size_t(b)] = piecesOf(b);
        cost.intWork += 2 * qint64(freePieces.size());
    }

    // Moves and swaps between the most loaded participant and any other, the best one
    // each time, while one lowers the larger of the two. Ends when the most loaded
    // participant has none: no single move or swap then lowers the largest value.
    void localSearch()
    {
        if (carriers < 2)
            return;
        Lists lists = allLists();
        cost.intWork += qint64(carriers) * qint64(freePieces.size());
        for (int step = 0; step < 100000 && !spent(); ++step) {
            const int a = critical();
            // Each pair's search walks both lists.
            cost.intWork += qint64(lists[size_t(a)].size()) * (carriers - 1) + qint64(freePieces.size()) + carriers;
            CarryRatio bestValue = ratio(a);
            int bestX = -1, bestY = -1, bestB = -1;
            for (int b = 0; b < carriers; ++b) {
                if (b != a)
                    bestTrade(a, b, lists, bestValue, bestX, bestY, bestB);
            }
            if (bestX < 0)
                return;
            trade(a, bestB, bestX, bestY, lists);
        }
    }

    // The same between every two participants, not only the most loaded: evens out the
    // loads below the top, which gives the top's pieces more places to go. True when
    // anything moved.
    bool pairSweep(qint64& work)
    {
        if (carriers < 2)
            return false;
        Lists lists = allLists();
        bool moved = false;
        for (int sweep = 0; sweep < 50; ++sweep) {
            bool any = false;
            for (int a = 0; a < carriers; ++a) {
                for (int b = 0; b < carriers; ++b) {
                    if (a == b || !(ratio(b) < ratio(a)))
                        continue;
                    work += qint64(lists[size_t(a)].size()) + 1;
                    cost.intWork += qint64(lists[size_t(a)].size()) + 1;
                    if (work > SweepWorkBudget || spent())
                        return moved;
                    CarryRatio bestValue = ratio(a);
                    int bestX = -1, bestY = -1, bestB = -1;
                    bestTrade(a, b, lists, bestValue, bestX, bestY, bestB);
                    if (bestX >= 0) {
                        work += pieceCount; // the two lists made again
                        cost.intWork += pieceCount;
                        trade(a, b, bestX, bestY, lists);
                        any = moved = true;
                    }
                }
            }
            if (!any)
                break;
        }
        return moved;
    }

    CarryExact::Split exact() { return {task, freePieces, owner, loads, cost}; }

    // Re-splits the most loaded participant with each other one, lightest first, and
    // runs the local search again after every gain.
    void polish()
    {
        qint64 work = 0;
        for (int round = 0; round < 1000 && carriers >= 2; ++round) {
            const int a = critical();
            std::vector<int> others;
            for (int j = 0; j < carriers; ++j) {
                if (j != a)
                    others.push_back(j);
            }
            std::stable_sort(others.begin(), others.end(), [&](int x, int y) { return ratio(x) < ratio(y); });
            bool gained = false;
            for (int b : others) {
                if (CarryExact::pair(exact(), a, b, work)) {
                    gained = true;
                    break;
                }
                if (work > CarryPair::WorkLimit)
                    return;
            }
            if (!gained)
                return;
            localSearch();
        }
    }

    // Among splits no worse than limit, fewer participants per product: a piece away
    // from its product's main carrier moves there when the load stays within the limit,
    // or trades places with a piece of the same weight (loads unchanged) of another
    // product that the trade does not spread.
    void gather(const CarryRatio& limit)
    {
        if (carriers < 2)
            return;
        QHash<qint64, int> count; // product * carriers + participant -> pieces
        auto key = [&](int product, int j) { return qint64(product) * carriers + j; };
        for (int i = 0; i < pieceCount; ++i)
            ++count[key(task.product.at(i), owner[size_t(i)])];
        auto move = [&](int i, int j) {
            --count[key(task.product.at(i), owner[size_t(i)])];
            ++count[key(task.product.at(i), j)];
            put(i, j);
        };
        for (int pass = 0; pass < 4; ++pass) {
            cost.intWork += 2 * qint64(pieceCount);
            // Each product's main carrier: who holds most of its pieces, the first on a tie.
            QHash<int, std::pair<int, int>> main; // product -> (carrier, pieces)
            for (auto it = count.cbegin(); it != count.cend(); ++it) {
                const int p = int(it.key() / carriers), j = int(it.key() % carriers);
                auto& best = main[p];
                if (it.value() > best.second || (it.value() == best.second && j < best.first))
                    best = {j, it.value()};
            }
            // Free pieces by carrier and weight, as the pass begins; a piece moved since
            // is passed over by its owner check.
            QHash<qint64, std::vector<int>> byWeight; // participant + carriers * weight
            for (int i : freePieces)
                byWeight[qint64(owner[size_t(i)]) + qint64(carriers) * task.grams.at(i)].push_back(i);
            bool changed = false;
            for (int x : freePieces) {
                const int p = task.product.at(x);
                const int b = owner[size_t(x)];
                const int a = main.value(p).first;
                if (a == b)
                    continue;
                const qint64 wx = task.grams.at(x);
                if (ratioWith(a, wx) <= limit) {
                    move(x, a);
                    changed = true;
                    continue;
                }
                const auto same = byWeight.constFind(qint64(a) + qint64(carriers) * wx);
                if (same == byWeight.cend())
                    continue;
                for (int y : *same) {
                    const int q = task.product.at(y);
                    if (owner[size_t(y)] != a || q == p)
                        continue;
                    if (count.value(key(q, b)) == 0 && count.value(key(q, a)) > 1)
                        continue; // q would gain a carrier
                    move(x, a);
                    move(y, b);
                    changed = true;
                    break;
                }
            }
            if (!changed)
                return;
        }
    }

    CarryResult result() const
    {
        CarryResult r;
        r.owner = QList<int>(owner.begin(), owner.end());
        r.loads = QList<qint64>(loads.begin(), loads.end());
        return r;
    }

    void take(const CarryResult& r)
    {
        owner.assign(r.owner.begin(), r.owner.end());
        loads.assign(r.loads.begin(), r.loads.end());
    }

    const CarryTask& task;
    const int pieceCount;
    const int carriers;
    std::vector<int> owner;
    std::vector<qint64> loads;
    std::vector<int> freePieces;
    CarryCost& cost;
};

CarryRatio valueOf(const QList<qint64>& loads, const QList<qint32>& shares)
{
    CarryRatio v{0, 1};
    for (qsizetype j = 0; j < shares.size() && j < loads.size(); ++j)
        v = larger(v, CarryRatio{loads.at(j), shares.at(j)});
    return v;
}

bool freeRun(const CarryRun& run, const QList<qint32>& shares)
{
    return run.pinned < 0 || run.pinned >= shares.size();
}

// The lower bound as an exact fraction, for telling when a split is proven best.
CarryRatio boundOf(const QList<CarryRun>& runs, const QList<qint32>& shares)
{
    qint64 total = 0, shareSum = 0, heaviest = 0;
    qint32 largest = 1;
    std::vector<qint64> pinnedLoad(size_t(shares.size()), 0);
    for (const CarryRun& run : runs) {
        if (run.count <= 0)
            continue;
        total += run.grams * run.count;
        if (freeRun(run, shares))
            heaviest = std::max(heaviest, run.grams);
        else
            pinnedLoad[size_t(run.pinned)] += run.grams * run.count;
    }
    for (qint32 s : shares) {
        shareSum += s;
        largest = std::max(largest, s);
    }
    CarryRatio b = larger(CarryRatio{total, std::max<qint64>(1, shareSum)}, CarryRatio{heaviest, largest});
    for (qsizetype j = 0; j < shares.size(); ++j)
        b = larger(b, CarryRatio{pinnedLoad[size_t(j)], shares.at(j)});
    return b;
}

// Each piece a run of one.
QList<CarryRun> runsOf(const CarryTask& task)
{
    QList<CarryRun> runs;
    runs.reserve(task.grams.size());
    for (qsizetype i = 0; i < task.grams.size(); ++i)
        runs.append({task.grams.at(i), 1, task.product.at(i), i < task.pinned.size() ? task.pinned.at(i) : -1});
    return runs;
}

} // namespace

double CarryResult::value(const QList<qint32>& shares) const
{
    const CarryRatio v = valueOf(loads, shares);
    return double(v.load) * 100.0 / double(v.share);
}

namespace CarrySplit {

CarryResult greedy(const CarryTask& task)
{
    CarryCost cost;
    Solver s(task, cost);
    if (s.carriers == 0)
        return s.result();
    s.greedy();
    s.localSearch();
    return s.result();
}

CarryResult solve(const CarryTask& task, CarryCost* spent)
{
    CarryCost own;
    CarryCost& cost = spent ? *spent : own;
    const CarryRatio bound = boundOf(runsOf(task), task.shares);
    Solver s(task, cost);
    if (s.carriers == 0)
        return s.result();
    s.greedy();
    const CarryResult greedyOnly = s.result();
    s.localSearch();
    CarryResult baseline = s.result();
    if (int(s.freePieces.size()) <= PlainPieces) {
        // The baseline as plainly defined, so that nothing below can lose to it.
        s.take(greedyOnly);
        s.plainSearch();
        if (better(s.result(), baseline, task.shares))
            baseline = s.result();
        s.take(baseline);
    }
    bool blnExact = false;

    qint64 freeTotal = 0;
    for (int i : s.freePieces)
        freeTotal += task.grams.at(i);
    if (s.carriers == 1) {
        blnExact = true;
    } else if (s.carriers == 2 && freeTotal <= CarryPair::LimitUnits) {
        // Two carriers: the sums of the free pieces give the best split outright.
        qint64 work = -CarryPair::WorkLimit * 1000; // never cut short
        CarryExact::pair(s.exact(), 0, 1, work);
        blnExact = true;
    } else {
        // Re-split pairs exactly and even out all pairs, while either helps.
        qint64 work = 0;
        for (int round = 0; round < 20; ++round) {
            const CarryRatio before = s.worst();
            s.polish();
            const bool moved = s.pairSweep(work);
            s.localSearch();
            if (!moved && !(s.worst() < before))
                break;
        }
        const int free = int(s.freePieces.size());
        if (free <= SearchPieces)
            blnExact = CarryExact::all(s.exact(), bound, free <= ExactPieces ? ExactNodeCap : SearchNodeCap);
    }
    CarryResult best = s.result();
    if (better(baseline, best, task.shares)) {
        best = baseline;
        blnExact = false;
    }
    const CarryRatio value = valueOf(best.loads, task.shares);
    if (!(bound < value))
        blnExact = true;
    s.take(best);
    s.gather(value);
    best = s.result();
    best.blnExact = blnExact;
    return best;
}

double lowerBound(const CarryTask& task)
{
    return lowerBound(runsOf(task), task.shares);
}

int spread(const CarryTask& task, const QList<int>& owner)
{
    QHash<qint64, bool> pairs;
    const qint64 m = task.shares.size() + 1;
    for (qsizetype i = 0; i < owner.size(); ++i)
        pairs.insert(qint64(task.product.at(i)) * m + owner.at(i) + 1, true);
    return int(pairs.size());
}

bool better(const CarryResult& a, const CarryResult& b, const QList<qint32>& shares)
{
    return valueOf(a.loads, shares) < valueOf(b.loads, shares);
}

static CarryRunResult splitRuns(const QList<CarryRun>& runs, const QList<qint32>& shares, CarryCost& cost,
                                qint64 intCrumb)
{
    const int m = int(shares.size());
    qint64 free = 0;
    cost.intWork += runs.size();
    for (const CarryRun& run : runs) {
        if (freeRun(run, shares) && run.count > 0)
            free += run.count;
    }
    if (m <= 1) {
        // One carrier (or none, and nothing is carried): no choice to make.
        CarryRunResult r;
        r.taken.resize(runs.size());
        r.loads = QList<qint64>(m, 0);
        for (qsizetype k = 0; k < runs.size() && m == 1; ++k) {
            if (runs.at(k).count > 0) {
                r.taken[k].append({0, runs.at(k).count});
                r.loads[0] += runs.at(k).grams * runs.at(k).count;
            }
        }
        r.blnExact = true;
        return r;
    }
    if (free > PiecesOneByOne) {
        if (m == 2) {
            if (std::optional<CarryRunResult> pair = CarryPair::solve(runs, shares, cost))
                return *pair;
        }
        CarryRunResult r = CarryGroups::solve(runs, shares, cost, intCrumb);
        r.blnExact = !(boundOf(runs, shares) < valueOf(r.loads, shares));
        return r;
    }
    // Few pieces: one by one, for the exact searches; a pinned run as one piece.
    CarryTask task;
    task.shares = shares;
    for (qsizetype k = 0; k < runs.size(); ++k) {
        const CarryRun& run = runs.at(k);
        if (run.count <= 0)
            continue;
        if (!freeRun(run, shares)) {
            task.grams.append(run.grams * run.count);
            task.product.append(run.product);
            task.pinned.append(run.pinned);
            continue;
        }
        for (qint64 c = 0; c < run.count; ++c) {
            task.grams.append(run.grams);
            task.product.append(run.product);
            task.pinned.append(-1);
        }
    }
    const CarryResult split = solve(task, &cost);
    CarryRunResult r;
    r.loads = split.loads;
    r.blnExact = split.blnExact;
    r.taken.resize(runs.size());
    int i = 0;
    for (qsizetype k = 0; k < runs.size(); ++k) {
        const CarryRun& run = runs.at(k);
        if (run.count <= 0)
            continue;
        QList<std::pair<int, qint64>>& taken = r.taken[k];
        if (!freeRun(run, shares)) {
            taken.append({split.owner.at(i++), run.count});
            continue;
        }
        for (qint64 c = 0; c < run.count; ++c, ++i) {
            const int j = split.owner.at(i);
            auto it =
                std::find_if(taken.begin(), taken.end(), [j](const std::pair<int, qint64>& e) { return e.first == j; });
            if (it == taken.end())
                taken.append({j, 1});
            else
                ++it->second;
        }
    }
    return r;
}

CarryRunResult solveRuns(const QList<CarryRun>& runs, const QList<qint32>& shares, qint64 intCrumb)
{
    CarryCost cost;
    CarryRunResult r = splitRuns(runs, shares, cost, intCrumb);
    r.cost = cost;
    return r;
}

double lowerBound(const QList<CarryRun>& runs, const QList<qint32>& shares)
{
    const CarryRatio b = boundOf(runs, shares);
    return double(b.load) * 100.0 / double(b.share);
}

} // namespace CarrySplit

#include "model/CarryGroups.h"

#include "model/CarryRatio.h"
#include "model/CarryTrades.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// A run whose pieces are free to go to anyone.
struct Group
{
    qint64 grams = 0;
    int product = 0;
    int run = 0;
    qint64 count = 0;
};

// One group a participant holds some of, ordered by weight for the trade searches.
struct Entry
{
    qint64 grams = 0;
    int group = 0;

    friend bool operator<(const Entry& a, const Entry& b)
    {
        return a.grams != b.grams ? a.grams < b.grams : a.group < b.group;
    }
};

class Solver
{
public:
    Solver(const QList<CarryRun>& list, const QList<qint32>& given, CarryCost& spent, qint64 intCrumb)
        : runs(list)
        , shares(given)
        , carriers(int(shares.size()))
        , cost(spent)
        , crumb(std::max<qint64>(0, intCrumb))
        , loads(size_t(carriers), 0)
        , pinnedLoads(size_t(carriers), 0)
        , lists(size_t(carriers))
    {
        for (int i = 0; i < int(runs.size()); ++i) {
            const CarryRun& run = runs.at(i);
            if (run.pinned >= 0 && run.pinned < carriers)
                pinnedLoads[size_t(run.pinned)] += run.grams * run.count;
            else if (run.count > 0)
                groups.push_back({run.grams, run.product, i, run.count});
        }
        loads = pinnedLoads;
        held.resize(groups.size());
        for (size_t g = 0; g < groups.size(); ++g)
            byWeight.push_back({groups[g].grams, int(g)});
        std::sort(byWeight.begin(), byWeight.end());
        cost.intWork += qint64(runs.size()) * 2;
    }

    bool spent() const { return cost.intWork > CarrySplit::WorkBudget; }

    // Entries of all participants' lists.
    qint64 entries() const
    {
        qint64 n = 0;
        for (const auto& list : lists)
            n += qint64(list.size());
        return n;
    }

    CarryRatio ratio(int j) const { return {loads[size_t(j)], shares.at(j)}; }
    CarryRatio ratioWith(int j, qint64 delta) const { return {loads[size_t(j)] + delta, shares.at(j)}; }

    int critical() const { return mostLoaded(loads, shares); }

    qint64 countOf(int g, int j) const
    {
        for (const auto& [who, k] : held[size_t(g)]) {
            if (who == j)
                return k;
        }
        return 0;
    }

    // k more pieces of group g to participant j (k < 0 takes them away), keeping the
    // loads and, once made, the participants' lists.
    void add(int g, int j, qint64 k)
    {
        auto& h = held[size_t(g)];
        auto it = std::find_if(h.begin(), h.end(), [j](const std::pair<int, qint64>& e) { return e.first == j; });
        const qint64 before = it == h.end() ? 0 : it->second;
        const qint64 after = before + k;
        if (it == h.end())
            h.emplace_back(j, after);
        else if (after == 0)
            h.erase(it);
        else
            it->second = after;
        loads[size_t(j)] += k * groups[size_t(g)].grams;
        if (!blnLists)
            return;
        auto& list = lists[size_t(j)];
        cost.intWork += qint64(list.size()) / 4 + 1;
        const Entry e{groups[size_t(g)].grams, g};
        if (before == 0 && after > 0)
            list.insert(std::lower_bound(list.begin(), list.end(), e), e);
        else if (before > 0 && after == 0)
            list.erase(std::lower_bound(list.begin(), list.end(), e));
    }

    // Longest piece first, each to whoever then ends lowest relative to their share.
    void greedy()
    {
        const std::vector<int>& order = byWeightDown();
        std::vector<qint64> given(static_cast<size_t>(carriers), 0);
        for (int g : order) {
            std::fill(given.begin(), given.end(), 0);
            giveOut(g, groups[size_t(g)].count, given);
            for (int j = 0; j < carriers; ++j) {
                if (given[size_t(j)] > 0)
                    held[size_t(g)].emplace_back(j, given[size_t(j)]);
            }
        }
    }

    // count pieces of group g, each to whoever then ends lowest; given gets how many each
    // took. Most of a large group goes at once: the pieces the one-by-one rule would hand
    // out below the level the whole group fills up to; the last few go one by one.
    // However many pieces, the work is a few passes over the participants.
    void giveOut(int g, qint64 count, std::vector<qint64>& given)
    {
        constexpr int FewPieces = 2;
        const qint64 w = groups[size_t(g)].grams;
        qint64 left = count;
        cost.intWork += 2 * qint64(carriers) + 2;
        if (w == 0) {
            // Weightless pieces change no load: the first participant takes them.
            given[0] += left;
            return;
        }
        // The level is reckoned in floating point: another round picks up what its
        // rounding left over.
        for (int round = 0; round < 4 && left >= (round == 0 ? 8 : 4 * qint64(carriers)); ++round) {
            const qint64 filled = fillToLevel(w, left, given);
            left -= filled;
            cost.intWork += 4 * qint64(carriers);
            if (filled == 0)
                break;
        }
        if (left > 64 * qint64(carriers)) {
            // Should the rounding ever leave many, most go by the shares at once, so
            // that few are left to hand out one by one.
            qint64 shareSum = 0;
            for (qint32 x : shares)
                shareSum += x;
            const qint64 many = left - 64 * qint64(carriers);
            for (int j = 0; j < carriers; ++j) {
                const qint64 k = many / shareSum * shares.at(j) + many % shareSum * shares.at(j) / shareSum;
                given[size_t(j)] += k;
                loads[size_t(j)] += k * w;
                left -= k;
            }
        }
        // Whoever ends lowest on top; a tie goes to the first participant.
        auto after = [&](int x, int y) {
            const CarryRatio rx = ratioWith(x, w), ry = ratioWith(y, w);
            if (ry < rx)
                return true;
            return !(rx < ry) && y < x;
        };
        // A piece or two (most groups): the lowest found in one pass, the same one the
        // heap would put on top, without building the heap.
        for (; left > 0 && left <= FewPieces; --left) {
            int j = 0;
            for (int c = 1; c < carriers; ++c) {
                if (after(j, c))
                    j = c;
            }
            loads[size_t(j)] += w;
            ++given[size_t(j)];
        }
        if (left <= 0)
            return;
        cost.intWork += left * 8;
        std::vector<int> heap(static_cast<size_t>(carriers));
        std::iota(heap.begin(), heap.end(), 0);
        std::make_heap(heap.begin(), heap.end(), after);
        for (; left > 0; --left) {
            std::pop_heap(heap.begin(), heap.end(), after);
            const int j = heap.back();
            loads[size_t(j)] += w;
            ++given[size_t(j)];
            std::push_heap(heap.begin(), heap.end(), after);
        }
    }

    // Gives out pieces of weight w whose place in the one-by-one order falls below the
    // level that count of them fills the lowest participants up to: k pieces to j when
    // (load + k w) / share stays under it. Returns how many were given; never more than
    // count.
    qint64 fillToLevel(qint64 w, qint64 count, std::vector<qint64>& given)
    {
        std::vector<int> byRatio(static_cast<size_t>(carriers));
        std::iota(byRatio.begin(), byRatio.end(), 0);
        std::sort(byRatio.begin(), byRatio.end(), [&](int x, int y) { return ratio(x) < ratio(y); });
        double sumLoad = 0, sumShare = 0, level = 0;
        int active = 0;
        for (int j : byRatio) {
            const double nextLevel =
                (sumLoad + double(loads[size_t(j)]) + double(count) * double(w)) / (sumShare + double(shares.at(j)));
            if (active > 0 && double(loads[size_t(j)]) / double(shares.at(j)) >= level)
                break;
            sumLoad += double(loads[size_t(j)]);
            sumShare += double(shares.at(j));
            level = nextLevel;
            ++active;
        }
        qint64 total = 0;
        for (int k = 0; k < active; ++k) {
            const int j = byRatio[size_t(k)];
            const double room = std::floor((level * double(shares.at(j)) - double(loads[size_t(j)])) / double(w));
            // Below 2^62, so that the conversion is defined; count bounds it anyway.
            const qint64 pieces = room <= 0 ? 0 : std::min(count - total, qint64(std::min(room, 4e18)));
            given[size_t(j)] += pieces;
            loads[size_t(j)] += pieces * w;
            total += pieces;
        }
        return total;
    }

    // Each group where there is most room left under the limit, heaviest pieces first,
    // divided only where that room runs out; the last light pieces (less than tail per
    // carrier of the lightest weight so far) and pieces that fit nowhere go longest first
    // to whoever ends lowest. Starts again from the pinned pieces alone.
    void packTogether(const CarryRatio& limit, int tail)
    {
        loads = pinnedLoads;
        for (auto& h : held)
            h.clear();
        blnLists = false;
        std::vector<qint64> room(static_cast<size_t>(carriers));
        for (int j = 0; j < carriers; ++j)
            room[size_t(j)] = limit.load * shares.at(j) / limit.share - loads[size_t(j)];
        std::vector<std::pair<int, qint64>> leftOver; // group, pieces
        const std::vector<int>& order = byWeightDown();
        std::vector<qint64> rest(order.size() + 1, 0);
        for (size_t k = order.size(); k-- > 0;)
            rest[k] = rest[k + 1] + groups[size_t(order[k])].grams * groups[size_t(order[k])].count;
        for (size_t k = 0; k < order.size(); ++k) {
            const int g = order[k];
            const qint64 w = groups[size_t(g)].grams;
            qint64 left = groups[size_t(g)].count;
            cost.intWork += carriers;
            if (rest[k] < tail * qint64(carriers) * w) {
                leftOver.emplace_back(g, left);
                continue;
            }
            while (left > 0) {
                const int j = int(std::max_element(room.begin(), room.end()) - room.begin());
                const qint64 fit = w == 0 ? left : std::max<qint64>(0, room[size_t(j)] / w);
                const qint64 x = std::min<qint64>(left, fit);
                cost.intWork += carriers;
                if (x == 0)
                    break;
                add(g, j, x);
                room[size_t(j)] -= qint64(x) * w;
                left -= x;
            }
            if (left > 0)
                leftOver.emplace_back(g, left);
        }
        std::vector<qint64> given(static_cast<size_t>(carriers), 0);
        for (const auto& [g, left] : leftOver) {
            // giveOut() changes the loads itself; add() keeps the holders.
            std::fill(given.begin(), given.end(), 0);
            const std::vector<qint64> before = loads;
            giveOut(g, left, given);
            loads = before;
            for (int j = 0; j < carriers; ++j) {
                if (given[size_t(j)] > 0)
                    add(g, j, given[size_t(j)]);
            }
        }
    }

    // Heaviest pieces first, equal weights by product; made once, used by every pass.
    const std::vector<int>& byWeightDown()
    {
        if (heaviestFirst.size() != groups.size()) {
            heaviestFirst.resize(groups.size());
            std::iota(heaviestFirst.begin(), heaviestFirst.end(), 0);
            std::stable_sort(heaviestFirst.begin(), heaviestFirst.end(), [&](int x, int y) {
                const Group& a = groups[size_t(x)];
                const Group& b = groups[size_t(y)];
                return a.grams != b.grams ? a.grams > b.grams : a.product < b.product;
            });
        }
        return heaviestFirst;
    }

    void makeLists()
    {
        for (auto& list : lists)
            list.clear();
        // Groups in the lists' own order, so that each list comes out sorted.
        cost.intWork += qint64(byWeight.size()) * 2;
        for (const Entry& e : byWeight) {
            for (const auto& [j, n] : held[size_t(e.group)])
                lists[size_t(j)].push_back(e);
        }
        blnLists = true;
        measure();
    }

    struct Trade
    {
        int b = -1;
        int x = -1; // group a piece of goes from a to b
        int y = -1; // group a piece of comes back from b, or -1
    };

    // The move of one piece from a to b, or swap of a piece of a with a lighter one of
    // b, that lowers max(a, b) the most below bestValue; a is the higher of the two.
    void bestTrade(int a, int b, CarryRatio& bestValue, Trade& best) const
    {
        CarryTrades::best(
            lists[size_t(a)], lists[size_t(b)], loads[size_t(a)], shares.at(a), loads[size_t(b)], shares.at(b),
            bestValue, [](const Entry& e) { return e.grams; }, [](const Entry& e) { return e.group; },
            [&](int x, int y) {
                best = {b, x, y};
            });
    }

    // Moves and swaps between the most loaded participant and any other, the best one
    // each time, while one lowers the larger of the two.
    void localSearch()
    {
        for (int step = 0; step < 100000 && carriers >= 2 && !spent(); ++step) {
            const int a = critical();
            // Each pair's search walks both lists.
            cost.intWork += qint64(lists[size_t(a)].size()) * (carriers - 1) + entries() + 2 * qint64(carriers);
            // A gain of a crumb or less is no gain: with exact weights the loads could
            // otherwise be evened out by fractions of a gram for many steps.
            CarryRatio bestValue{loads[size_t(a)] - crumb, shares.at(a)};
            Trade best;
            for (int b = 0; b < carriers; ++b) {
                if (b != a)
                    bestTrade(a, b, bestValue, best);
            }
            if (best.x < 0)
                return;
            add(best.x, a, -1);
            add(best.x, best.b, 1);
            if (best.y >= 0) {
                add(best.y, best.b, -1);
                add(best.y, a, 1);
            }
        }
    }

    // Among splits no worse than limit, fewer participants per product: pieces away from
    // their group's main carrier go there while its load stays within the limit, or
    // trade places with as many pieces of the same weight of another group that the
    // trade does not spread.
    void gather(const CarryRatio& limit)
    {
        // The participants' lists are not needed here.
        blnLists = false;
        for (int pass = 0; pass < 4 && carriers >= 2; ++pass) {
            cost.intWork += qint64(groups.size()) * 2;
            bool changed = false;
            for (int g = 0; g < int(groups.size()) && !spent(); ++g) {
                if (held[size_t(g)].size() < 2)
                    continue;
                const qint64 w = groups[size_t(g)].grams;
                // The main carrier holds most of the group, the first on a tie.
                int a = -1;
                qint64 most = 0;
                for (const auto& [j, k] : held[size_t(g)]) {
                    if (k > most || (k == most && j < a))
                        a = j, most = k;
                }
                const std::vector<std::pair<int, qint64>> others = held[size_t(g)];
                cost.intWork += qint64(others.size());
                for (auto [b, k] : others) {
                    if (b == a)
                        continue;
                    // Pieces that fit: (La + x w) / sa <= limit.
                    const qint64 room = limit.load * shares.at(a) - loads[size_t(a)] * limit.share;
                    const qint64 fit = w == 0 ? k : (room < 0 ? 0 : room / (w * limit.share));
                    const qint64 x = std::min<qint64>(k, fit);
                    if (x > 0) {
                        add(g, b, -x);
                        add(g, a, x);
                        k -= x;
                        changed = true;
                    }
                    if (k > 0)
                        changed = swapInto(g, a, b, k) || changed;
                }
            }
            if (!changed)
                return;
        }
    }

    // Up to k pieces of g from b to a in trade for as many of a's pieces of the same
    // weight of other groups; loads stay as they are. True when anything moved.
    bool swapInto(int g, int a, int b, qint64 k)
    {
        const qint64 w = groups[size_t(g)].grams;
        bool moved = false;
        for (auto it = std::lower_bound(byWeight.begin(), byWeight.end(), Entry{w, -1});
             it != byWeight.end() && it->grams == w && k > 0 && !spent(); ++it) {
            const int h = it->group;
            cost.intWork += 1;
            const qint64 atA = h == g ? 0 : countOf(h, a);
            if (atA == 0)
                continue;
            // h must not gain a carrier: b has some already, or all of a's go.
            if (countOf(h, b) == 0 && atA > k)
                continue;
            const qint64 x = std::min(k, atA);
            add(g, b, -x);
            add(g, a, x);
            add(h, a, -x);
            add(h, b, x);
            k -= x;
            moved = true;
        }
        return moved;
    }

    // The tables' size: the groups, and each holder of a group in held and in a list.
    void measure() const
    {
        qint64 holders = 0;
        for (const auto& h : held)
            holders += qint64(h.size());
        cost.table(qint64(groups.size()) * qint64(sizeof(Group) + sizeof(Entry) + 2 * sizeof(int)) +
                   holders * qint64(sizeof(std::pair<int, qint64>) + sizeof(Entry)));
    }

    CarryRunResult result() const
    {
        measure();
        CarryRunResult out;
        out.taken.resize(runs.size());
        for (int i = 0; i < int(runs.size()); ++i) {
            if (runs.at(i).pinned >= 0 && runs.at(i).pinned < carriers && runs.at(i).count > 0)
                out.taken[i].append({runs.at(i).pinned, runs.at(i).count});
        }
        for (size_t g = 0; g < groups.size(); ++g)
            out.taken[groups[g].run] = QList<std::pair<int, qint64>>(held[g].begin(), held[g].end());
        out.loads = QList<qint64>(loads.begin(), loads.end());
        return out;
    }

    CarryRatio worst() const { return ratio(critical()); }

    const QList<CarryRun>& runs;
    const QList<qint32>& shares;
    const int carriers;
    CarryCost& cost;
    const qint64 crumb;
    std::vector<qint64> loads;
    std::vector<qint64> pinnedLoads;
    std::vector<Group> groups;
    std::vector<std::vector<std::pair<int, qint64>>> held; // per group: (participant, pieces)
    std::vector<std::vector<Entry>> lists;                 // per participant, by weight
    std::vector<Entry> byWeight;                           // every group, lightest first
    std::vector<int> heaviestFirst;                        // groups, see byWeightDown()
    bool blnLists = false;
};

} // namespace

namespace CarryGroups {

CarryRunResult solve(const QList<CarryRun>& runs, const QList<qint32>& shares, CarryCost& cost, qint64 intCrumb)
{
    Solver s(runs, shares, cost, intCrumb);
    if (s.carriers == 0)
        return s.result();
    s.greedy();
    s.makeLists();
    s.localSearch();
    // The split so far spreads every product over many carriers. Packed product by
    // product under its value instead, then evened out the same way, it is kept when it
    // comes out no worse (by more than a crumb).
    // The fewer light pieces are left to even out the loads, the more products stay
    // whole, and the likelier the loads cannot be evened out as well: a few tries.
    const CarryRatio value = s.worst();
    const auto held = s.held;
    const auto loads = s.loads;
    bool blnPacked = false;
    for (int tail : {4, 16, 64}) {
        s.packTogether(value, tail);
        s.makeLists();
        s.localSearch();
        if (s.worst() <= CarryRatio{value.load + s.crumb, value.share}) {
            blnPacked = true;
            break;
        }
    }
    if (!blnPacked) {
        s.held = held;
        s.loads = loads;
    }
    s.gather(s.worst());
    return s.result();
}

} // namespace CarryGroups

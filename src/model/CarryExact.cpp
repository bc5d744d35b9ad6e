#include "model/CarryExact.h"

#include "model/CarryPair.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

using CarryExact::Split;

CarryRatio ratio(const Split& s, int j, qint64 delta = 0)
{
    return {s.loads[size_t(j)] + delta, s.task.shares.at(j)};
}

CarryRatio worst(const Split& s)
{
    return ratio(s, mostLoaded(s.loads, s.task.shares));
}

void put(Split& s, int i, int j)
{
    const int old = s.owner[size_t(i)];
    if (old >= 0)
        s.loads[size_t(old)] -= s.task.grams.at(i);
    s.owner[size_t(i)] = j;
    s.loads[size_t(j)] += s.task.grams.at(i);
}

} // namespace

namespace CarryExact {

bool pair(Split s, int a, int b, qint64& work)
{
    std::vector<int> pieces;
    qint64 total = 0;
    for (int i : s.freePieces) {
        const int o = s.owner[size_t(i)];
        if (o == a || o == b) {
            pieces.push_back(i);
            total += s.task.grams.at(i);
        }
    }
    if (pieces.empty() || total > CarryPair::LimitUnits)
        return false;
    // Equal weights as one group; within a group the pieces go in product order, so
    // that at most one product of each weight is divided.
    std::stable_sort(pieces.begin(), pieces.end(), [&](int x, int y) {
        if (s.task.grams.at(x) != s.task.grams.at(y))
            return s.task.grams.at(x) < s.task.grams.at(y);
        return s.task.product.at(x) < s.task.product.at(y);
    });
    std::vector<std::pair<size_t, size_t>> groups; // [begin, end) in pieces
    std::vector<std::pair<qint64, qint64>> counts; // per group: weight, pieces
    for (size_t k = 0; k < pieces.size();) {
        size_t e = k;
        while (e < pieces.size() && s.task.grams.at(pieces[e]) == s.task.grams.at(pieces[k]))
            ++e;
        groups.emplace_back(k, e);
        counts.emplace_back(s.task.grams.at(pieces[k]), qint64(e - k));
        k = e;
    }
    const std::vector<CarryPair::Part> parts = CarryPair::parts(counts);
    const size_t words = size_t(total / 64 + 1);
    work += qint64(words) * qint64(parts.size());
    if (work > CarryPair::WorkLimit)
        return false;
    s.cost.intWork += qint64(words) * qint64(parts.size()) + total;
    s.cost.table(CarryPair::tableBytes(total));
    const std::vector<int> via = CarryPair::sums(parts, total);

    qint64 fixed[2] = {s.loads[size_t(a)], s.loads[size_t(b)]};
    for (int i : pieces)
        fixed[s.owner[size_t(i)] == a ? 0 : 1] -= s.task.grams.at(i);
    const qint32 share[2] = {s.task.shares.at(a), s.task.shares.at(b)};
    CarryRatio best = larger(ratio(s, a), ratio(s, b));
    const qint64 sum = CarryPair::bestSum(via, total, fixed, share, best);
    if (sum < 0)
        return false;
    const std::vector<qint64> toA = CarryPair::taken(parts, via, sum, groups.size());
    for (size_t g = 0; g < groups.size(); ++g) {
        // Zero-weight pieces add nothing to either sum; they stay where they are.
        if (s.task.grams.at(pieces[groups[g].first]) == 0)
            continue;
        for (size_t k = groups[g].first; k < groups[g].second; ++k)
            put(s, pieces[k], qint64(k - groups[g].first) < toA[g] ? a : b);
    }
    return true;
}

bool all(Split s, const CarryRatio& bound, qint64 nodeCap)
{
    const int carriers = int(s.loads.size());
    std::vector<int> order = s.freePieces;
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return s.task.grams.at(x) > s.task.grams.at(y); });
    std::vector<qint64> rest(order.size() + 1, 0);
    for (size_t k = order.size(); k-- > 0;)
        rest[k] = rest[k + 1] + s.task.grams.at(order[k]);
    qint64 shareSum = 0;
    for (qint32 share : s.task.shares)
        shareSum += share;
    qint64 loadSum = std::accumulate(s.loads.begin(), s.loads.end(), qint64(0));
    for (int i : s.freePieces)
        loadSum -= s.task.grams.at(i);

    // Start from the pinned pieces alone.
    std::vector<int> bestOwner = s.owner;
    CarryRatio best = worst(s);
    for (int i : s.freePieces) {
        s.loads[size_t(s.owner[size_t(i)])] -= s.task.grams.at(i);
        s.owner[size_t(i)] = -1;
    }
    qint64 nodes = 0;
    bool complete = true;
    std::vector<std::pair<qint64, qint64>> tried;
    auto dfs = [&](auto&& self, size_t k, qint64 placed) -> void {
        if (!complete || !(bound < best))
            return;
        // A node weighs its participants, sorts them and makes its lists.
        s.cost.intWork += 8 * qint64(carriers) + 32;
        if (++nodes > nodeCap || s.cost.intWork > CarrySplit::WorkBudget) {
            complete = false;
            return;
        }
        if (k == order.size()) {
            const CarryRatio v = worst(s);
            if (v < best) {
                best = v;
                bestOwner = s.owner;
            }
            return;
        }
        // Even spread perfectly, the rest cannot beat the best.
        if (!(CarryRatio{placed + rest[k], shareSum} < best))
            return;
        const int i = order[k];
        const qint64 w = s.task.grams.at(i);
        std::vector<int> choices;
        for (int j = 0; j < carriers; ++j) {
            if (ratio(s, j, w) < best)
                choices.push_back(j);
        }
        std::stable_sort(choices.begin(), choices.end(), [&](int x, int y) { return ratio(s, x, w) < ratio(s, y, w); });
        const size_t mark = tried.size();
        for (int j : choices) {
            const std::pair<qint64, qint64> key(s.task.shares.at(j), s.loads[size_t(j)]);
            // Two participants with the same share and load are interchangeable.
            if (std::find(tried.begin() + qsizetype(mark), tried.end(), key) != tried.end())
                continue;
            tried.push_back(key);
            s.owner[size_t(i)] = j;
            s.loads[size_t(j)] += w;
            self(self, k + 1, placed + w);
            s.loads[size_t(j)] -= w;
            s.owner[size_t(i)] = -1;
            if (!complete)
                break;
        }
        tried.resize(mark);
    };
    dfs(dfs, 0, loadSum);
    s.owner = bestOwner;
    std::fill(s.loads.begin(), s.loads.end(), 0);
    for (int i = 0; i < int(s.owner.size()); ++i)
        s.loads[size_t(s.owner[size_t(i)])] += s.task.grams.at(i);
    return complete;
}

} // namespace CarryExact

#include "model/CarryPair.h"

#include "model/CarryRatio.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <vector>

namespace CarryPair {

std::optional<CarryRunResult> solve(const QList<CarryRun>& runs, const QList<qint32>& shares, CarryCost& cost)
{
    if (shares.size() != 2)
        return std::nullopt;
    // Free runs by weight, then product, so that each weight divides at most one product.
    std::vector<int> order;
    qint64 fixed[2] = {0, 0};
    qint64 total = 0;
    for (int k = 0; k < int(runs.size()); ++k) {
        const CarryRun& run = runs.at(k);
        if (run.count <= 0)
            continue;
        if (run.pinned == 0 || run.pinned == 1) {
            fixed[run.pinned] += run.grams * run.count;
            continue;
        }
        order.push_back(k);
        total += run.grams * run.count;
        if (total > LimitUnits)
            return std::nullopt;
    }
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        const CarryRun& a = runs.at(x);
        const CarryRun& b = runs.at(y);
        return a.grams != b.grams ? a.grams < b.grams : a.product < b.product;
    });
    struct Item
    {
        qint64 weight;
        int group;
        qint64 count;
    };
    std::vector<std::pair<size_t, size_t>> groups; // [begin, end) in order
    std::vector<Item> items;
    for (size_t k = 0; k < order.size();) {
        size_t e = k;
        qint64 left = 0;
        const qint64 w = runs.at(order[k]).grams;
        while (e < order.size() && runs.at(order[e]).grams == w)
            left += runs.at(order[e++]).count;
        const int g = int(groups.size());
        groups.emplace_back(k, e);
        for (qint64 part = 1; left > 0 && w > 0; part *= 2) {
            const qint64 c = std::min(part, left);
            items.push_back({w * c, g, c});
            left -= c;
        }
        k = e;
    }
    const size_t words = size_t(total / 64 + 1);
    const qint64 work = qint64(words) * qint64(items.size()) + total;
    const qint64 bytes = qint64(words) * 16 + (total + 1) * qint64(sizeof(int));
    if (work > WorkLimit || bytes > CarrySplit::MemoryBudget)
        return std::nullopt;
    cost.intWork += work;
    cost.table(bytes);

    std::vector<qint64> weights;
    weights.reserve(items.size());
    for (const Item& item : items)
        weights.push_back(item.weight);
    const std::vector<int> via = sums(weights, total);

    // The sum for the first carrier that makes the larger value the smallest.
    qint64 bestSum = 0;
    CarryRatio best = larger({fixed[0], shares.at(0)}, {fixed[1] + total, shares.at(1)});
    for (qint64 s = 1; s <= total; ++s) {
        if (!reached(via, s))
            continue;
        const CarryRatio v = larger({fixed[0] + s, shares.at(0)}, {fixed[1] + total - s, shares.at(1)});
        if (v < best) {
            best = v;
            bestSum = s;
        }
    }
    std::vector<qint64> toFirst(groups.size(), 0);
    for (qint64 s = bestSum; s > 0;) {
        const Item& item = items[size_t(via[size_t(s)])];
        toFirst[size_t(item.group)] += item.count;
        s -= item.weight;
    }

    CarryRunResult r;
    r.taken.resize(runs.size());
    r.loads = {fixed[0] + bestSum, fixed[1] + total - bestSum};
    r.blnExact = true;
    for (int k = 0; k < int(runs.size()); ++k) {
        const CarryRun& run = runs.at(k);
        if (run.count > 0 && (run.pinned == 0 || run.pinned == 1))
            r.taken[k].append({run.pinned, run.count});
    }
    for (size_t g = 0; g < groups.size(); ++g) {
        // Weightless pieces change no sum: the first carrier takes them.
        qint64 first = runs.at(order[groups[g].first]).grams == 0 ? std::numeric_limits<qint64>::max() : toFirst[g];
        for (size_t k = groups[g].first; k < groups[g].second; ++k) {
            const CarryRun& run = runs.at(order[k]);
            const qint64 a = std::min(first, run.count);
            first -= a;
            if (a > 0)
                r.taken[order[k]].append({0, a});
            if (run.count - a > 0)
                r.taken[order[k]].append({1, run.count - a});
        }
    }
    return r;
}

std::vector<int> sums(const std::vector<qint64>& weights, qint64 total)
{
    const size_t words = size_t(total / 64 + 1);
    std::vector<quint64> reach(words, 0), shifted(words, 0);
    std::vector<int> via(size_t(total + 1), -1);
    reach[0] = 1;
    for (size_t it = 0; it < weights.size(); ++it) {
        const qint64 w = weights[it];
        if (w <= 0)
            continue;
        const size_t ws = size_t(w / 64), bs = size_t(w % 64);
        std::fill(shifted.begin(), shifted.end(), 0);
        for (size_t k = words; k-- > ws;) {
            quint64 v = reach[k - ws] << bs;
            if (bs != 0 && k - ws >= 1)
                v |= reach[k - ws - 1] >> (64 - bs);
            shifted[k] = v;
        }
        for (size_t k = 0; k < words; ++k) {
            quint64 fresh = shifted[k] & ~reach[k];
            if (k == words - 1 && (total + 1) % 64 != 0)
                fresh &= (quint64(1) << ((total + 1) % 64)) - 1;
            reach[k] |= fresh;
            while (fresh) {
                const int bit = std::countr_zero(fresh);
                via[k * 64 + size_t(bit)] = int(it);
                fresh &= fresh - 1;
            }
        }
    }
    return via;
}

} // namespace CarryPair

#include "model/CarryPair.h"

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
    std::vector<std::pair<size_t, size_t>> groups; // [begin, end) in order
    std::vector<std::pair<qint64, qint64>> pieces; // per group: weight, count
    for (size_t k = 0; k < order.size();) {
        size_t e = k;
        qint64 count = 0;
        const qint64 w = runs.at(order[k]).grams;
        while (e < order.size() && runs.at(order[e]).grams == w)
            count += runs.at(order[e++]).count;
        groups.emplace_back(k, e);
        pieces.emplace_back(w, count);
        k = e;
    }
    const std::vector<Part> items = parts(pieces);
    const size_t words = size_t(total / 64 + 1);
    const qint64 work = qint64(words) * qint64(items.size()) + total;
    const qint64 bytes = tableBytes(total);
    if (work > WorkLimit || bytes > CarrySplit::MemoryBudget)
        return std::nullopt;
    cost.intWork += work;
    cost.table(bytes);

    const std::vector<int> via = sums(items, total);

    // All to the second carrier unless some sum for the first does better.
    const qint32 share[2] = {shares.at(0), shares.at(1)};
    CarryRatio best = larger({fixed[0], share[0]}, {fixed[1] + total, share[1]});
    const qint64 bestFirst = std::max<qint64>(0, bestSum(via, total, fixed, share, best));
    const std::vector<qint64> toFirst = taken(items, via, bestFirst, groups.size());

    CarryRunResult r;
    r.taken.resize(runs.size());
    r.loads = {fixed[0] + bestFirst, fixed[1] + total - bestFirst};
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

std::vector<Part> parts(const std::vector<std::pair<qint64, qint64>>& groups)
{
    std::vector<Part> out;
    for (size_t g = 0; g < groups.size(); ++g) {
        const auto [w, count] = groups[g];
        qint64 left = count;
        for (qint64 part = 1; left > 0 && w > 0; part *= 2) {
            const qint64 c = std::min(part, left);
            out.push_back({w * c, int(g), c});
            left -= c;
        }
    }
    return out;
}

qint64 bestSum(const std::vector<int>& via, qint64 total, const qint64 (&fixed)[2], const qint32 (&share)[2],
               CarryRatio& best)
{
    qint64 found = -1;
    for (qint64 s = 0; s <= total; ++s) {
        if (!reached(via, s))
            continue;
        const CarryRatio v = larger({fixed[0] + s, share[0]}, {fixed[1] + total - s, share[1]});
        if (v < best) {
            best = v;
            found = s;
        }
    }
    return found;
}

std::vector<qint64> taken(const std::vector<Part>& parts, const std::vector<int>& via, qint64 s, size_t groups)
{
    std::vector<qint64> out(groups, 0);
    while (s > 0) {
        const Part& part = parts[size_t(via[size_t(s)])];
        out[size_t(part.group)] += part.count;
        s -= part.weight;
    }
    return out;
}

std::vector<int> sums(const std::vector<Part>& parts, qint64 total)
{
    const size_t words = size_t(total / 64 + 1);
    std::vector<quint64> reach(words, 0), shifted(words, 0);
    std::vector<int> via(size_t(total + 1), -1);
    reach[0] = 1;
    for (size_t it = 0; it < parts.size(); ++it) {
        const qint64 w = parts[it].weight;
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

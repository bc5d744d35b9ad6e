#pragma once

#include "model/CarryRatio.h"

#include <QtGlobal>

#include <algorithm>
#include <iterator>

// The trades worth weighing between two participants, a the more loaded for its share:
// one piece of a moved to b, or a piece of a swapped for a lighter one of b. Only the
// pieces nearest the ideal weight to move can lower the larger of the two loads the
// most, so only those are offered. Both lists are sorted by weight; weight(e) and id(e)
// read an entry. consider(d, x, y) gets the weight d that would go from a to b, the
// piece x that goes and the piece y that comes back (-1 for a move).
namespace CarryTrades {

template <typename List, typename Weight, typename Id, typename Consider>
void offer(const List& la, const List& lb, double ideal, Weight weight, Id id, Consider consider)
{
    if (ideal <= 0)
        return;
    const auto from = [&](const List& list, qint64 grams) {
        return std::partition_point(list.begin(), list.end(), [&](const auto& e) { return weight(e) < grams; });
    };
    // Both neighbours of it, and it itself, as trades of x for them.
    const auto around = [&](const List& list, auto it, qint64 wx, int x) {
        if (it != list.end()) {
            consider(wx - weight(*it), x, id(*it));
            if (std::next(it) != list.end())
                consider(wx - weight(*std::next(it)), x, id(*std::next(it)));
        }
        if (it != list.begin())
            consider(wx - weight(*std::prev(it)), x, id(*std::prev(it)));
    };
    // Moves: the piece of a nearest the ideal weight, from both sides.
    const auto move = from(la, qint64(ideal));
    if (move != la.end()) {
        consider(weight(*move), id(*move), -1);
        if (std::next(move) != la.end())
            consider(weight(*std::next(move)), id(*std::next(move)), -1);
    }
    if (move != la.begin())
        consider(weight(*std::prev(move)), id(*std::prev(move)), -1);
    if (lb.empty())
        return;
    // Swaps: for each weight of a, the piece of b nearest it less the ideal. A swap
    // lowers max(a, b) only when it moves less than twice the ideal, and the piece of b
    // sought only moves up as the weight of a does.
    const qint64 reach = qint64(2 * ideal) + 1;
    auto it = lb.begin();
    for (auto x = la.begin(); x != la.end(); ++x) {
        const qint64 wx = weight(*x);
        if (x != la.begin() && weight(*std::prev(x)) == wx)
            continue;
        if (wx - weight(lb.front()) <= 0)
            continue;
        if (weight(lb.back()) < wx - reach)
            break;
        const qint64 want = wx - qint64(ideal);
        while (it != lb.end() && weight(*it) < want)
            ++it;
        around(lb, it, wx, id(*x));
    }
}

// The trade between a (load la, share sa) and b that lowers the larger of their loads
// per share the most, below bestValue, which it then becomes; take(x, y) gets each
// better trade found.
template <typename List, typename Weight, typename Id, typename Take>
void best(const List& listA, const List& listB, qint64 la, qint64 sa, qint64 lb, qint64 sb, CarryRatio& bestValue,
          Weight weight, Id id, Take take)
{
    // Ideal weight d moved from a to b: (la - d) / sa = (lb + d) / sb.
    const double ideal = double(la * sb - lb * sa) / double(sa + sb);
    offer(listA, listB, ideal, weight, id, [&](qint64 d, int x, int y) {
        if (d <= 0)
            return;
        const CarryRatio v = larger(CarryRatio{la - d, sa}, CarryRatio{lb + d, sb});
        if (v < bestValue) {
            bestValue = v;
            take(x, y);
        }
    });
}

} // namespace CarryTrades

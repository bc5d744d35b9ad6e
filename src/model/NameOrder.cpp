#include "model/NameOrder.h"

#include "model/ModelErrors.h"
#include "model/clsCatalog.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// What the sort orders by: the first eight UTF-16 code units of the name in two numbers
// (a shorter name padded with zeros); equal numbers fall back to the whole names, then
// to positions. The names stay in the catalog, which keeps the keys small to move.
struct SortKey
{
    quint64 intHead;
    quint64 intNext;
    qint16 intIndex;
};

quint64 unitsOf(QStringView name, qsizetype from)
{
    quint64 units = 0;
    for (qsizetype i = from; i < from + 4; ++i)
        units = (units << 16) | (i < name.size() ? name.at(i).unicode() : 0u);
    return units;
}

// The keys in order of their first eight code units, a byte a pass from the last: no
// comparison at all, where a comparison sort of a full catalog spends milliseconds on
// mispredicted branches. Bytes, not whole code units, keep the counts small enough to
// clear for a few thousand names. A pass whose byte all keys share is skipped (the
// high byte of every Cyrillic letter is the same).
void radixByFirstUnits(std::vector<SortKey>& keys)
{
    std::vector<SortKey> moved(keys.size());
    std::array<quint32, 257> counts;
    for (int intPass = 0; intPass < 16; ++intPass) {
        const auto byteOf = [intPass](const SortKey& k) {
            const quint64 word = intPass < 8 ? k.intNext : k.intHead;
            return static_cast<quint32>((word >> (8 * (intPass % 8))) & 0xFF);
        };
        counts.fill(0u);
        for (const SortKey& k : keys)
            ++counts[byteOf(k) + 1];
        if (counts[byteOf(keys.front()) + 1] == keys.size())
            continue;
        for (size_t b = 1; b < counts.size(); ++b)
            counts[b] += counts[b - 1];
        for (const SortKey& k : keys)
            moved[counts[byteOf(k)]++] = k;
        keys.swap(moved);
    }
}

// Below this many names a comparison sort is quicker than the passes.
constexpr size_t RadixFrom = 512;

} // namespace

void NameOrder::sortByName(const clsCatalog& objCatalog, QList<qint16>& positions)
{
    const size_t n = static_cast<size_t>(positions.size());
    std::vector<SortKey> keys;
    keys.reserve(n);
    for (qint16 p : positions) {
        const QStringView name = objCatalog.GetProduct(p).Name();
        keys.push_back({unitsOf(name, 0), unitsOf(name, 4), p});
    }
    // Names alike in their first eight code units: the whole names decide, then positions.
    const auto before = [&objCatalog](const SortKey& a, const SortKey& b) {
        if (a.intHead != b.intHead)
            return a.intHead < b.intHead;
        if (a.intNext != b.intNext)
            return a.intNext < b.intNext;
        // Code unit by code unit, a prefix first: QString's case-sensitive comparison.
        const int c = objCatalog.GetProduct(a.intIndex)
                          .Name()
                          .compare(objCatalog.GetProduct(b.intIndex).Name(), Qt::CaseSensitive);
        return c != 0 ? c < 0 : a.intIndex < b.intIndex;
    };
    if (n < RadixFrom) {
        std::sort(keys.begin(), keys.end(), before);
    } else {
        radixByFirstUnits(keys);
        for (size_t b = 0; b < n;) {
            size_t e = b + 1;
            while (e < n && keys[e].intHead == keys[b].intHead && keys[e].intNext == keys[b].intNext)
                ++e;
            if (e - b > 1)
                std::sort(keys.begin() + static_cast<std::ptrdiff_t>(b), keys.begin() + static_cast<std::ptrdiff_t>(e),
                          before);
            b = e;
        }
    }
    for (size_t i = 0; i < n; ++i)
        positions[static_cast<qsizetype>(i)] = keys[i].intIndex;
}

void NameOrder::place(const clsCatalog& objCatalog, qint16 intIndex)
{
    const int n = size();
    if (intIndex < 1 || intIndex > n + 1 || intIndex > objCatalog.size())
        throw OutOfRangeError("catalog position out of range");
    if (intIndex <= n)
        m_rowToIndex.remove(m_indexToRow.at(intIndex - 1) - 1);
    else
        m_indexToRow.append(0);
    const QStringView name = objCatalog.GetProduct(intIndex).Name();
    // The same order as the sort: by name, equal names by position.
    const auto at = std::lower_bound(m_rowToIndex.cbegin(), m_rowToIndex.cend(), intIndex, [&](qint16 p, qint16 q) {
        const int c = objCatalog.GetProduct(p).Name().compare(name, Qt::CaseSensitive);
        return c != 0 ? c < 0 : p < q;
    });
    m_rowToIndex.insert(at - m_rowToIndex.cbegin(), intIndex);
    for (int r = 1; r <= m_rowToIndex.size(); ++r)
        m_indexToRow[m_rowToIndex[r - 1] - 1] = static_cast<qint16>(r);
}

void NameOrder::follow(const clsCatalog& objCatalog, int intChange)
{
    if (intChange > 0)
        place(objCatalog, static_cast<qint16>(intChange));
    else if (intChange < 0)
        *this = fromCatalog(objCatalog);
}

NameOrder NameOrder::fromCatalog(const clsCatalog& objCatalog)
{
    NameOrder order;
    const qint16 n = objCatalog.size();
    order.m_rowToIndex.resize(n);
    // int counters: a 16-bit one would wrap before passing a full catalog's 32767.
    for (int k = 1; k <= n; ++k)
        order.m_rowToIndex[k - 1] = static_cast<qint16>(k);
    sortByName(objCatalog, order.m_rowToIndex);
    order.m_indexToRow.resize(n);
    for (int r = 1; r <= n; ++r)
        order.m_indexToRow[order.m_rowToIndex[r - 1] - 1] = static_cast<qint16>(r);
    return order;
}

qint16 NameOrder::RowToIndex(qint16 intRow) const
{
    if (intRow < 1 || intRow > size())
        throw OutOfRangeError("row out of range");
    return m_rowToIndex.at(intRow - 1);
}

qint16 NameOrder::IndexToRow(qint16 intIndex) const
{
    if (intIndex < 1 || intIndex > size())
        throw OutOfRangeError("catalog position out of range");
    return m_indexToRow.at(intIndex - 1);
}

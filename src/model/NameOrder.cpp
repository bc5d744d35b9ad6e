#include "model/NameOrder.h"

#include "model/ModelErrors.h"
#include "model/clsCatalog.h"

#include <algorithm>

NameOrder NameOrder::fromCatalog(const clsCatalog& objCatalog)
{
    NameOrder order;
    const qint16 n = objCatalog.size();
    order.m_rowToIndex.resize(n);
    // int counters: a 16-bit one would wrap before passing a full catalog's 32767.
    for (int k = 1; k <= n; ++k)
        order.m_rowToIndex[k - 1] = static_cast<qint16>(k);
    std::stable_sort(order.m_rowToIndex.begin(), order.m_rowToIndex.end(), [&](qint16 a, qint16 b) {
        const QString& x = objCatalog.GetProduct(a).Name();
        const QString& y = objCatalog.GetProduct(b).Name();
        return std::lexicographical_compare(x.utf16(), x.utf16() + x.size(), y.utf16(), y.utf16() + y.size());
    });
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

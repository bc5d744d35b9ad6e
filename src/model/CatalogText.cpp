#include "model/CatalogText.h"

#include "model/ModelErrors.h"
#include "model/NameOrder.h"
#include "model/Numeric.h"
#include "model/clsCatalog.h"

#include <QHash>

#include <utility>

namespace CatalogText {

QStringList productRow(const clsProduct& objProduct)
{
    const QString norm = objProduct.Norma() < 1 ? QString() : QLatin1Char(' ') + QString::number(objProduct.Norma());
    return {objProduct.Name(), norm, objProduct.strProductEdin};
}

QStringList catalogRow(const clsProduct& objProduct)
{
    return {objProduct.Name(), QLatin1Char(' ') + QString::number(objProduct.Norma()) + objProduct.strProductEdin};
}

namespace {

template <typename RowFn>
QList<QStringList> rowsInOrder(const clsCatalog& objCatalog, const NameOrder& order, RowFn row)
{
    QList<QStringList> rows;
    rows.reserve(order.size());
    for (int r = 1; r <= order.size(); ++r)
        rows.append(row(objCatalog.GetProduct(order.RowToIndex(static_cast<qint16>(r)))));
    return rows;
}

} // namespace

// The rows of a whole catalog share their texts: a catalog has few distinct norms and
// units, and a full one has 32767 rows.
QList<QStringList> productRows(const clsCatalog& objCatalog, const NameOrder& order)
{
    QHash<int, QString> norms;
    return rowsInOrder(objCatalog, order, [&](const clsProduct& objProduct) {
        auto norm = norms.constFind(objProduct.Norma());
        if (norm == norms.cend())
            norm = norms.insert(objProduct.Norma(), productRow(objProduct).at(1));
        return QStringList{objProduct.Name(), *norm, objProduct.strProductEdin};
    });
}

QList<QStringList> catalogRows(const clsCatalog& objCatalog, const NameOrder& order)
{
    // Keyed by the unit's storage: products that share a unit text share the key.
    QHash<std::pair<int, const void*>, QString> amounts;
    return rowsInOrder(objCatalog, order, [&](const clsProduct& objProduct) {
        const std::pair<int, const void*> key{objProduct.Norma(), objProduct.strProductEdin.constData()};
        auto amount = amounts.constFind(key);
        if (amount == amounts.cend())
            amount = amounts.insert(key, catalogRow(objProduct).at(1));
        return QStringList{objProduct.Name(), *amount};
    });
}

QString normField(qint16 intNorma)
{
    return intNorma < 1 ? QString() : QString::number(intNorma);
}

std::optional<qint16> readNorm(QStringView text)
{
    try {
        return Numeric::textToInt16(text);
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

QString dayCaption(int intDay)
{
    return QStringLiteral("День ") + QString::number(intDay);
}

} // namespace CatalogText

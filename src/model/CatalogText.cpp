#include "model/CatalogText.h"

#include "model/ModelErrors.h"
#include "model/NameOrder.h"
#include "model/Numeric.h"
#include "model/clsCatalog.h"

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

QList<QStringList> productRows(const clsCatalog& objCatalog, const NameOrder& order)
{
    return rowsInOrder(objCatalog, order, productRow);
}

QList<QStringList> catalogRows(const clsCatalog& objCatalog, const NameOrder& order)
{
    return rowsInOrder(objCatalog, order, catalogRow);
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

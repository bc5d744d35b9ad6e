#include "model/clsTrapeza.h"

#include "model/ModelErrors.h"
#include "model/Units.h"
#include "model/clsCatalog.h"

#include <vector>

void clsTrapeza::AddProduct(qint16 intIndex)
{
    if (!m_items.contains(intIndex))
        m_items.append(intIndex);
}

void clsTrapeza::SetProducts(const QList<qint16>& positions)
{
    m_items.clear();
    m_items.reserve(positions.size());
    std::vector<bool> seen(65536, false);
    for (qint16 intIndex : positions) {
        const auto bit = static_cast<size_t>(static_cast<quint16>(intIndex));
        if (!seen[bit]) {
            seen[bit] = true;
            m_items.append(intIndex);
        }
    }
}

void clsTrapeza::DelProduct(qint16 intPosition)
{
    if (intPosition < 1 || intPosition > m_items.size())
        throw OutOfRangeError("meal position out of range");
    m_items.removeAt(intPosition - 1);
}

qint16 clsTrapeza::GetIndexProduct(qint16 intPosition) const
{
    if (intPosition < 1 || intPosition > m_items.size())
        throw OutOfRangeError("meal position out of range");
    return m_items.at(intPosition - 1);
}

qint64 clsTrapeza::GetVes(const clsCatalog& objCatalog, qint16 intCountPeople) const
{
    qint64 intVes = 0;
    for (qint16 intIndex : m_items) {
        const clsProduct& objProduct = objCatalog.GetProduct(intIndex);
        if (Units::isGramUnit(objProduct.strProductEdin))
            intVes += groupAmount(objProduct.Norma(), intCountPeople);
    }
    return intVes;
}

QStringList clsTrapeza::ViewMenu(const clsCatalog& objCatalog) const
{
    if (m_items.isEmpty())
        return {QString()};
    QStringList rows;
    rows.reserve(m_items.size());
    for (qint16 intIndex : m_items)
        rows.append(objCatalog.GetProduct(intIndex).Name());
    return rows;
}

QList<QStringList> clsTrapeza::ViewRasklad(const clsCatalog& objCatalog, qint16 intCountPeople) const
{
    if (m_items.isEmpty())
        return {QStringList{QString(), QString(), QString()}};
    QList<QStringList> rows;
    rows.reserve(m_items.size());
    for (qint16 intIndex : m_items) {
        const clsProduct& objProduct = objCatalog.GetProduct(intIndex);
        const qint32 intAmount = groupAmount(objProduct.Norma(), intCountPeople);
        rows.append(
            {objProduct.Name(), intAmount == 0 ? QString() : QString::number(intAmount), objProduct.strProductEdin});
    }
    return rows;
}

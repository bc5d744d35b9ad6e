#include "model/clsCatalog.h"

#include "model/ModelErrors.h"
#include "model/Numeric.h"

void clsCatalog::AddProduct(const QString& strName, const QString& strNorma, const QString& strEdin)
{
    AddProduct(strName, Numeric::textToInt16(strNorma), strEdin);
}

void clsCatalog::AddProduct(QString strName, qint16 intNorma, QString strEdin)
{
    if (m_products.size() >= static_cast<size_t>(MaxSize))
        throw OverflowError("the catalog is full");
    clsProduct product;
    product.setName(std::move(strName));
    product.setNorma(intNorma);
    product.strProductEdin = std::move(strEdin);
    m_products.push_back(std::move(product));
}

clsProduct& clsCatalog::GetProduct(qint16 intIndex)
{
    if (intIndex < 1 || intIndex > size())
        throw OutOfRangeError("catalog position out of range");
    return m_products[static_cast<size_t>(intIndex - 1)];
}

const clsProduct& clsCatalog::GetProduct(qint16 intIndex) const
{
    return const_cast<clsCatalog*>(this)->GetProduct(intIndex);
}

void clsCatalog::DelAllProduct()
{
    m_products.clear();
}

#include "model/clsCatalog.h"

#include "model/ModelErrors.h"
#include "model/Numeric.h"

clsCatalog::clsCatalog(const clsCatalog& other)
    : m_intSize(other.m_intSize)
{
    m_blocks.reserve(other.m_blocks.size());
    for (const auto& block : other.m_blocks)
        m_blocks.push_back(std::make_unique<Block>(*block));
}

clsCatalog& clsCatalog::operator=(const clsCatalog& other)
{
    if (this != &other) {
        clsCatalog copy(other);
        *this = std::move(copy);
    }
    return *this;
}

bool clsCatalog::operator==(const clsCatalog& other) const
{
    if (m_intSize != other.m_intSize)
        return false;
    for (int i = 0; i < m_intSize; ++i) {
        const auto b = static_cast<size_t>(i / BlockSize);
        const auto k = static_cast<size_t>(i % BlockSize);
        if (!((*m_blocks[b])[k] == (*other.m_blocks[b])[k]))
            return false;
    }
    return true;
}

void clsCatalog::AddProduct(const QString& strName, const QString& strNorma, const QString& strEdin)
{
    AddProduct(strName, Numeric::textToInt16(strNorma), strEdin);
}

void clsCatalog::addBlock()
{
    if (m_intSize >= MaxSize)
        throw OverflowError("the catalog is full");
    m_blocks.push_back(std::make_unique<Block>());
}

clsProduct& clsCatalog::GetProduct(qint16 intIndex)
{
    if (intIndex < 1 || intIndex > size())
        throw OutOfRangeError("catalog position out of range");
    const int i = intIndex - 1;
    return (*m_blocks[static_cast<size_t>(i / BlockSize)])[static_cast<size_t>(i % BlockSize)];
}

const clsProduct& clsCatalog::GetProduct(qint16 intIndex) const
{
    return const_cast<clsCatalog*>(this)->GetProduct(intIndex);
}

void clsCatalog::DropLast(qint16 intCount)
{
    for (qint16 i = 0; i < intCount && m_intSize > 0; ++i) {
        --m_intSize;
        (*m_blocks[static_cast<size_t>(m_intSize / BlockSize)])[static_cast<size_t>(m_intSize % BlockSize)] =
            clsProduct();
        if (m_intSize % BlockSize == 0)
            m_blocks.pop_back();
    }
}

void clsCatalog::DelAllProduct()
{
    m_blocks.clear();
    m_intSize = 0;
}

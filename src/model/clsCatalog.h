#pragma once

#include "model/clsProduct.h"

#include <QString>

#include <array>
#include <memory>
#include <utility>
#include <vector>

// The product catalog, 1-based. It only grows or is emptied as a whole, so every
// position stored in a meal stays valid. Callers get references to stored products.
class clsCatalog
{
public:
    static constexpr qint16 MaxSize = 32767;

    clsCatalog() = default;
    // A copy is a catalog of its own: the trip file's value of a trip holds one.
    clsCatalog(const clsCatalog& other);
    clsCatalog& operator=(const clsCatalog& other);
    // A catalog moved from is empty.
    clsCatalog(clsCatalog&& other) noexcept
        : m_blocks(std::move(other.m_blocks))
        , m_intSize(std::exchange(other.m_intSize, 0))
    {
        other.m_blocks.clear();
    }
    clsCatalog& operator=(clsCatalog&& other) noexcept
    {
        if (this != &other) {
            m_blocks = std::move(other.m_blocks);
            other.m_blocks.clear();
            m_intSize = std::exchange(other.m_intSize, 0);
        }
        return *this;
    }
    ~clsCatalog() = default;

    // The same products in the same order.
    bool operator==(const clsCatalog& other) const;

    qint16 size() const { return static_cast<qint16>(m_intSize); }

    // The norm text is read as the program reads numbers; a value outside 16 bits
    // (or a full catalog) throws OverflowError and appends nothing.
    void AddProduct(const QString& strName, const QString& strNorma, const QString& strEdin);
    // The same with the norm already read (a negative one leaves the product at 0).
    // Inline: a trip file adds a full catalog's products one after another.
    void AddProduct(QString strName, qint16 intNorma, QString strEdin)
    {
        if (m_intSize >= MaxSize || m_intSize % BlockSize == 0)
            addBlock(); // throws when full
        clsProduct& product = (*m_blocks.back())[static_cast<size_t>(m_intSize % BlockSize)];
        product.setName(std::move(strName));
        product.setNorma(intNorma);
        product.strProductEdin = std::move(strEdin);
        ++m_intSize;
    }

    // Throws OutOfRangeError outside 1..size.
    clsProduct& GetProduct(qint16 intIndex);
    const clsProduct& GetProduct(qint16 intIndex) const;

    void DelAllProduct();
    // Removes the last intCount products (all of them when there are fewer): what takes
    // back products just appended.
    void DropLast(qint16 intCount);

private:
    // A block for the next product; OverflowError when the catalog is full.
    void addBlock();

    // Products are stored in blocks that never move, so a reference stays good while
    // the catalog grows, and a full catalog is 128 allocations instead of 32767.
    static constexpr int BlockSize = 256;
    using Block = std::array<clsProduct, BlockSize>;
    std::vector<std::unique_ptr<Block>> m_blocks;
    int m_intSize = 0;
};

#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

class clsCatalog;

// One meal: catalog positions in insertion order, without repeats.
class clsTrapeza
{
public:
    // A position the meal already holds is ignored.
    void AddProduct(qint16 intIndex);
    // Removes the entry at a 1-based meal position; throws OutOfRangeError outside 1..count.
    void DelProduct(qint16 intPosition);
    qint16 GetCountProduct() const { return static_cast<qint16>(m_items.size()); }
    // The catalog position stored at a meal position; throws OutOfRangeError outside 1..count.
    qint16 GetIndexProduct(qint16 intPosition) const;
    void DelAllProduct() { m_items.clear(); }
    const QList<qint16>& Products() const { return m_items; }
    // Replaces the entries by these positions in order, a repeat kept only the first
    // time: what AddProduct one by one gives, in linear time for a meal of any size.
    void SetProducts(const QList<qint16>& positions);

    // Weight for the whole group in grams: norm × participants of every gram-unit product,
    // in 64 bits (a large meal for a large group passes 2^31).
    // Throws OutOfRangeError for a position that the catalog lacks.
    qint64 GetVes(const clsCatalog& objCatalog, qint16 intCountPeople) const;

    // Rows of the ration editor's grid below its header: one name per entry, or one
    // empty row for an empty meal.
    QStringList ViewMenu(const clsCatalog& objCatalog) const;

    // Rows of the layout grid below its header: name, group amount (empty when 0) and
    // unit per entry, or one row of three empty cells for an empty meal.
    QList<QStringList> ViewRasklad(const clsCatalog& objCatalog, qint16 intCountPeople) const;

    // Group amount of one product: norm × participants. 32 bits hold every case.
    static qint32 groupAmount(qint16 intNorma, qint16 intCountPeople)
    {
        return static_cast<qint32>(intNorma) * static_cast<qint32>(intCountPeople);
    }

private:
    QList<qint16> m_items;
};

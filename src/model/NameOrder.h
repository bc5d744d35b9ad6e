#pragma once

#include <QList>
#include <QtGlobal>

class clsCatalog;

// The catalog in name order: which catalog position each grid row shows, and back.
// Names compare by UTF-16 code units (Latin before Cyrillic, capitals before small
// letters); equal names keep their catalog order.
class NameOrder
{
public:
    NameOrder() = default;
    static NameOrder fromCatalog(const clsCatalog& objCatalog);

    // Catalog positions (each inside the catalog) put in the same order: by name, equal
    // names by position. For a part of the catalog without ordering all of it.
    static void sortByName(const clsCatalog& objCatalog, QList<qint16>& positions);

    // Puts catalog position intIndex where its name sorts now: a product changed in place
    // (its old row is given up) or the one just appended (size() + 1); every other
    // product must be where fromCatalog() would put it. One row moves instead of the
    // whole catalog being sorted again. Throws OutOfRangeError for any other position.
    void place(const clsCatalog& objCatalog, qint16 intIndex);

    // Brings the order in step with a change the trip's editor announced
    // (TripEditor::catalogChangeSince): 0 nothing, a position that alone changed or was
    // appended is placed, -1 makes the order anew. Throws OutOfRangeError when the
    // order was not in step before; the caller then makes it anew.
    void follow(const clsCatalog& objCatalog, int intChange);

    qint16 size() const { return static_cast<qint16>(m_rowToIndex.size()); }
    bool isEmpty() const { return m_rowToIndex.isEmpty(); }
    // Catalog position shown in row 1..size; throws OutOfRangeError otherwise.
    qint16 RowToIndex(qint16 intRow) const;
    // Row 1..size of catalog position 1..size; throws OutOfRangeError otherwise.
    qint16 IndexToRow(qint16 intIndex) const;

private:
    QList<qint16> m_rowToIndex; // [row - 1] -> position
    QList<qint16> m_indexToRow; // [position - 1] -> row
};

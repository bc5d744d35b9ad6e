#pragma once

#include <QTableView>

class QAbstractProxyModel;

// The last rows of a table (its totals or averages) kept in sight under it, however far
// the table is scrolled: a second view over those rows, with the table's column widths
// and horizontal scrolling. The table itself no longer shows them; its model keeps them.
// Placed by the caller right under the table.
class TotalsFooter : public QTableView
{
    Q_OBJECT

public:
    TotalsFooter(QTableView* table, int intRows, QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }
    int rows() const { return m_intRows; }

    // Every column of the table as wide as its header and its widest text, the totals'
    // included.
    void fitColumns();
    // The table's width that shows every column without scrolling.
    int fullWidth() const;

private:
    void follow();

    QTableView* m_table;
    int m_intRows;
    QAbstractProxyModel* m_tail = nullptr;
};

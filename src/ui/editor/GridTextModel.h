#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// Cell texts of one grid below its header row. The grid always has at least one row,
// as an empty grid of the program shows one empty row under the header.
class GridTextModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit GridTextModel(const QStringList& headers, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces every row; no rows leave one empty row.
    void setRows(QList<QStringList> rows);
    // One empty row.
    void clearRows();
    // Text of a cell; an empty text outside the grid.
    QString text(int row, int column) const;
    // Writes one cell of an existing row; outside the grid nothing happens.
    void setText(int row, int column, const QString& text);

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};

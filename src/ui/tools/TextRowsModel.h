#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QStringList>

// Read-only rows of texts for a table view: a list of tens of thousands of rows is
// shown without an item apiece, and the cells are exactly the texts the command line
// prints.
class TextRowsModel : public QAbstractTableModel
{
public:
    explicit TextRowsModel(QStringList header, QObject* parent = nullptr);

    // Replaces every row; rows from intBoldFrom on are bold (-1: none).
    void setRows(QList<QStringList> rows, qsizetype intBoldFrom = -1);
    // A background and tooltip for one row.
    void markRow(qsizetype intRow, const QColor& color, const QString& strTip);
    // A tooltip of one cell, shown after the row's.
    void setCellTip(qsizetype intRow, int intColumn, const QString& strTip);

    const QList<QStringList>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Mark
    {
        QColor color;
        QString strTip;
    };
    QStringList m_header;
    QList<QStringList> m_rows;
    QList<Mark> m_marks;
    QHash<QPair<qsizetype, int>, QString> m_cellTips;
    qsizetype m_intBoldFrom = -1;
    QList<bool> m_rightAligned;
};

#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QStringList>

#include <functional>

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
    // Tooltips of single cells, shown after the row's, made when asked for: a row's
    // may name thousands of products.
    void setCellTips(std::function<QString(int intRow, int intColumn)> tips) { m_cellTips = std::move(tips); }

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
    std::function<QString(int, int)> m_cellTips;
    qsizetype m_intBoldFrom = -1;
    QList<bool> m_rightAligned;
};

#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

class NameOrder;
class clsCatalog;
class clsProduct;

// The catalog in name order as a grid's rows. Cell texts are made when the grid asks,
// so only the rows on screen cost anything, whatever the size of the catalog. Like
// every grid of the program it shows one empty row when there is nothing to show.
class CatalogGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using RowText = QStringList (*)(const clsProduct&);

    CatalogGridModel(const QStringList& headers, RowText rowText, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Shows the catalog in the order (both outlive the model, or show(nullptr, nullptr)
    // comes first); texts written by setText() go.
    void show(const clsCatalog* catalog, const NameOrder* order);
    // Forgets the texts written by setText(), showing the catalog's again.
    void dropWrittenTexts();
    // Text of a cell; an empty text outside the grid or for a product gone since.
    QString text(int row, int column) const;
    // Writes one cell of an existing row until the next show(); outside the grid nothing
    // happens.
    void setText(int row, int column, const QString& text);

private:
    QStringList m_headers;
    RowText m_rowText;
    const clsCatalog* m_catalog = nullptr;
    const NameOrder* m_order = nullptr;
    int m_intRows = 0;
    QHash<int, QStringList> m_written; // row -> cells written over the catalog's texts
};

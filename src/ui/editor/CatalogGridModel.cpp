#include "ui/editor/CatalogGridModel.h"

#include "model/ModelErrors.h"
#include "model/NameOrder.h"
#include "model/clsCatalog.h"

CatalogGridModel::CatalogGridModel(const QStringList& headers, RowText rowText, QObject* parent)
    : QAbstractTableModel(parent)
    , m_headers(headers)
    , m_rowText(rowText)
{
}

int CatalogGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(m_intRows, 1);
}

int CatalogGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant CatalogGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return text(index.row(), index.column());
}

QVariant CatalogGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CatalogGridModel::show(const clsCatalog* catalog, const NameOrder* order)
{
    beginResetModel();
    m_catalog = catalog;
    m_order = order;
    m_intRows = catalog && order ? order->size() : 0;
    m_written.clear();
    endResetModel();
}

void CatalogGridModel::dropWrittenTexts()
{
    const QList<int> rows = m_written.keys();
    m_written.clear();
    for (int row : rows)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole});
}

QString CatalogGridModel::text(int row, int column) const
{
    if (row < 0 || row >= m_intRows || column < 0 || column >= m_headers.size())
        return {};
    if (auto written = m_written.constFind(row); written != m_written.cend())
        return written->value(column);
    try {
        // The catalog may have been emptied since the order was made.
        const qint16 intIndex = m_order->RowToIndex(static_cast<qint16>(row + 1));
        if (intIndex > m_catalog->size())
            return {};
        return m_rowText(m_catalog->GetProduct(intIndex)).value(column);
    } catch (const ModelError&) {
        return {};
    }
}

void CatalogGridModel::setText(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_intRows || column < 0 || column >= m_headers.size())
        return;
    auto written = m_written.find(row);
    if (written == m_written.end()) {
        QStringList cells;
        for (int c = 0; c < m_headers.size(); ++c)
            cells.append(this->text(row, c));
        written = m_written.insert(row, cells);
    }
    (*written)[column] = text;
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

#include "ui/tools/TotalsFooter.h"

#include <QAbstractProxyModel>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace {

// The last n rows of a flat model.
class TailRows : public QAbstractProxyModel
{
public:
    TailRows(int intRows, QObject* parent)
        : QAbstractProxyModel(parent)
        , m_intRows(intRows)
    {
    }

    void setSourceModel(QAbstractItemModel* source) override
    {
        beginResetModel();
        if (sourceModel())
            disconnect(sourceModel(), nullptr, this, nullptr);
        QAbstractProxyModel::setSourceModel(source);
        if (source) {
            connect(source, &QAbstractItemModel::modelAboutToBeReset, this, &TailRows::beginResetModel);
            connect(source, &QAbstractItemModel::modelReset, this, &TailRows::endResetModel);
            // Rows come and go only by a reset in the tables here; anything else starts afresh.
            const auto again = [this] {
                beginResetModel();
                endResetModel();
            };
            connect(source, &QAbstractItemModel::rowsInserted, this, again);
            connect(source, &QAbstractItemModel::rowsRemoved, this, again);
            connect(source, &QAbstractItemModel::layoutChanged, this, again);
            connect(source, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex&, const QModelIndex&) {
                if (rowCount() > 0)
                    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
            });
        }
        endResetModel();
    }

    int first() const { return sourceModel() ? sourceModel()->rowCount() - rowCount() : 0; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() || !sourceModel() ? 0 : qMin(m_intRows, sourceModel()->rowCount());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() || !sourceModel() ? 0 : sourceModel()->columnCount();
    }
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override
    {
        return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
    }
    QModelIndex parent(const QModelIndex&) const override { return {}; }
    QModelIndex mapToSource(const QModelIndex& proxy) const override
    {
        return proxy.isValid() && sourceModel() ? sourceModel()->index(first() + proxy.row(), proxy.column())
                                                : QModelIndex();
    }
    QModelIndex mapFromSource(const QModelIndex& source) const override
    {
        return source.isValid() && source.row() >= first() ? index(source.row() - first(), source.column())
                                                           : QModelIndex();
    }

private:
    int m_intRows;
};

} // namespace

TotalsFooter::TotalsFooter(QTableView* table, int intRows, QWidget* parent)
    : QTableView(parent)
    , m_table(table)
    , m_intRows(intRows)
{
    m_tail = new TailRows(intRows, this);
    m_tail->setSourceModel(table->model());
    setModel(m_tail);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(table->verticalHeader()->defaultSectionSize());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(intRows * verticalHeader()->defaultSectionSize() + 2 * frameWidth());

    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int intColumn, int, int intSize) { setColumnWidth(intColumn, intSize); });
    connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(), &QScrollBar::setValue);
    connect(table->model(), &QAbstractItemModel::modelReset, this, &TotalsFooter::follow);
    follow();
}

void TotalsFooter::follow()
{
    // The table's rows are all shown again after a reset; the totals move down here.
    const int intCount = m_table->model()->rowCount();
    for (int r = qMax(0, intCount - m_intRows); r < intCount; ++r)
        m_table->setRowHidden(r, true);
    for (int c = 0; c < m_table->model()->columnCount(); ++c)
        setColumnWidth(c, m_table->columnWidth(c));
}

void TotalsFooter::fitColumns()
{
    QAbstractItemView* table = m_table;
    QAbstractItemView* totals = this;
    for (int c = 0; c < m_table->model()->columnCount(); ++c) {
        const int intWidth = std::max({table->sizeHintForColumn(c), totals->sizeHintForColumn(c),
                                       m_table->horizontalHeader()->sectionSizeHint(c)});
        m_table->setColumnWidth(c, intWidth);
    }
}

int TotalsFooter::fullWidth() const
{
    int intWidth = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_table->model()->columnCount(); ++c)
        intWidth += m_table->columnWidth(c);
    return intWidth;
}

#include "ui/tools/FactsTableModel.h"

#include "model/FactsText.h"
#include "model/GlobalVariable.h"

#include "model/ModelErrors.h"
#include "model/ProductGrams.h"
#include <QScopedValueRollback>

namespace {

bool isGramsPerUnitOfGramWord(const clsProduct& p, FactsText::Field f)
{
    return f == FactsText::Field::GramsPerUnit && ProductGrams::isGramWord(p.strProductEdin);
}

} // namespace

FactsTableModel::FactsTableModel(GlobalVariable& g, QObject* parent)
    : QAbstractTableModel(parent)
    , m_g(g)
{
    // Rows come with reload(), which the window calls before every opening.
}

void FactsTableModel::reload()
{
    beginResetModel();
    // Sorting a full catalog again costs more than a frame: the order follows the
    // catalog where it changed, and is made anew only when more than one product did.
    const clsCatalog& objCatalog = m_g.objCatalog;
    try {
        m_order.follow(objCatalog, m_seen ? m_g.edits.catalogChangeSince(*m_seen) : -1);
    } catch (const ModelError&) {
        m_order = NameOrder::fromCatalog(objCatalog);
    }
    m_seen = m_g.edits.catalogRevision();
    endResetModel();
}

int FactsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_order.size();
}

int FactsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstFact + FactsText::FieldCount;
}

QVariant FactsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return {};
    const clsProduct& p = m_g.objCatalog.GetProduct(indexOfRow(index.row()));
    const int c = index.column();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (c < FirstFact ? Qt::AlignLeft : Qt::AlignRight));
    if (role == Qt::ToolTipRole && c >= FirstFact && isGramsPerUnitOfGramWord(p, FactsText::fieldAt(c - FirstFact)))
        return QStringLiteral("Единица «%1» весит 1 г.").arg(p.strProductEdin);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (c == 0)
        return p.Name();
    if (c == 1)
        return p.strProductEdin;
    const FactsText::Field f = FactsText::fieldAt(c - FirstFact);
    if (isGramsPerUnitOfGramWord(p, f))
        return QStringLiteral("1");
    return FactsText::format(FactsText::value(p.facts, f));
}

QVariant FactsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return QStringLiteral("Наименование");
    if (section == 1)
        return QStringLiteral("Ед.");
    return FactsText::caption(FactsText::fieldAt(section - FirstFact));
}

Qt::ItemFlags FactsTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.column() < FirstFact)
        return f;
    const clsProduct& p = m_g.objCatalog.GetProduct(indexOfRow(index.row()));
    if (!isGramsPerUnitOfGramWord(p, FactsText::fieldAt(index.column() - FirstFact)))
        f |= Qt::ItemIsEditable;
    return f;
}

bool FactsTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const qint16 intIndex = indexOfRow(index.row());
    clsProduct p = m_g.objCatalog.GetProduct(intIndex);
    const FactsText::Field f = FactsText::fieldAt(index.column() - FirstFact);
    std::optional<qint64> v;
    QString strError;
    if (!FactsText::read(f, value.toString(), p.Name(), v, strError)) {
        emit refused(strError);
        return false;
    }
    FactValue& stored = FactsText::value(p.facts, f);
    if (stored == v)
        return true;
    stored = v;
    {
        const QScopedValueRollback writing(m_blnWriting, true);
        m_g.edits.setProduct(intIndex, p, QStringLiteral("%1 «%2»").arg(FactsText::caption(f), p.Name()));
    }
    emit dataChanged(index, index);
    emit factsChanged();
    return true;
}

#include "ui/tools/CarryTreeModel.h"

#include "model/CarryPlan.h"
#include "model/Participants.h"

#include <QFont>

namespace {

const QStringList Header{QStringLiteral("Участник, продукты"), QStringLiteral("Груз, гр"),
                         QStringLiteral("По доле, гр"), QStringLiteral("Разница, гр")};

QString gramsText(double fGrams)
{
    return QString::asprintf("%.0f", fGrams);
}

QString signedGrams(double fGrams)
{
    const QString s = gramsText(fGrams);
    return fGrams >= 0.5 ? QLatin1Char('+') + s : s;
}

} // namespace

CarryTreeModel::CarryTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

void CarryTreeModel::setPlan(const CarryPlan* plan, const QHash<qint16, int>* pins)
{
    beginResetModel();
    m_plan = plan;
    m_pins = pins;
    endResetModel();
}

int CarryTreeModel::packCount() const
{
    return m_plan ? int(m_plan->packs.size()) : 0;
}

bool CarryTreeModel::hasUnknown() const
{
    return m_plan && !m_plan->pieces.unknown.isEmpty();
}

QModelIndex CarryTreeModel::lineOf(qint16 p) const
{
    for (int j = 0; j < packCount(); ++j) {
        const QList<CarryLine>& lines = m_plan->packs.at(j).lines;
        for (int k = 0; k < lines.size(); ++k) {
            if (m_plan->pieces.products.at(lines.at(k).intProduct).intProduct == p)
                return index(k, 0, index(j, 0));
        }
    }
    return {};
}

// A top line has internal id 0; a line under top line j has j + 1.
QModelIndex CarryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, parent.isValid() ? quintptr(parent.row() + 1) : quintptr(0));
}

QModelIndex CarryTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int CarryTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return packCount() + (hasUnknown() ? 1 : 0);
    if (parent.internalId() != 0 || parent.column() != 0)
        return 0;
    if (parent.row() < packCount())
        return int(m_plan->packs.at(parent.row()).lines.size());
    return int(m_plan->pieces.unknown.size());
}

int CarryTreeModel::columnCount(const QModelIndex&) const
{
    return int(Header.size());
}

QVariant CarryTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_plan)
        return {};
    const bool blnTop = index.internalId() == 0;
    const int j = blnTop ? index.row() : int(index.internalId() - 1);
    const bool blnUnknown = j >= packCount();
    const int c = index.column();
    if (!blnTop && index.row() >= rowCount(index.parent()))
        return {};
    if (role == RoleParticipant)
        return blnUnknown ? -1 : j;
    if (role == RoleProduct) {
        if (blnTop || blnUnknown)
            return 0;
        const CarryLine& line = m_plan->packs.at(j).lines.at(index.row());
        return int(m_plan->pieces.products.at(line.intProduct).intProduct);
    }
    if (role == Qt::FontRole && blnTop && !blnUnknown && c == 0) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::TextAlignmentRole && blnTop && c > 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};

    if (blnUnknown) {
        if (blnTop)
            return c == 0 ? CarryPlan::UnknownName : QVariant();
        if (c != 0)
            return {};
        const CarryUnknown& u = m_plan->pieces.unknown.at(index.row());
        return QStringLiteral("%1 — %2 %3").arg(u.strName).arg(u.intQuantity).arg(u.strEdin);
    }
    const CarryPack& pack = m_plan->packs.at(j);
    if (blnTop) {
        switch (c) {
        case 0:
            return QStringLiteral("%1. %2 (доля %3)")
                .arg(j + 1)
                .arg(pack.strName, Participants::shareText(pack.intShare));
        case 1:
            return CarryWeights::text(pack.load);
        case 2:
            return gramsText(pack.fTarget);
        default:
            return signedGrams(pack.difference());
        }
    }
    const CarryLine& line = pack.lines.at(index.row());
    if (c == 1)
        return CarryWeights::text(line.weight);
    if (c != 0)
        return {};
    const qint16 p = m_plan->pieces.products.at(line.intProduct).intProduct;
    const bool blnPinned = m_pins && m_pins->value(p, -1) == j;
    return m_plan->lineText(line) + (blnPinned ? QStringLiteral(" [закреплено]") : QString());
}

QVariant CarryTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < Header.size())
        return Header.at(section);
    return {};
}

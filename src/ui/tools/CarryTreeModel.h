#pragma once

#include <QAbstractItemModel>
#include <QHash>

struct CarryPlan;

// The split as a tree: a line per participant with load, target and difference, their
// products under it, and the group of products of unknown weight last. Lines are made
// when the view asks for them, so a trip of thousands of lines shows at once.
class CarryTreeModel : public QAbstractItemModel
{
public:
    // What a line stands for: the participant (-1 for the unsplit group) and the catalog
    // position of the product (0 on a participant's own line).
    static constexpr int RoleParticipant = Qt::UserRole;
    static constexpr int RoleProduct = Qt::UserRole + 1;

    explicit CarryTreeModel(QObject* parent = nullptr);

    // Both must outlive the model or be replaced before they change.
    void setPlan(const CarryPlan* plan, const QHash<qint16, int>* pins);

    // The line of product p (catalog position), under its first carrier; invalid if none.
    QModelIndex lineOf(qint16 p) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int packCount() const;
    bool hasUnknown() const;

    const CarryPlan* m_plan = nullptr;
    const QHash<qint16, int>* m_pins = nullptr;
};

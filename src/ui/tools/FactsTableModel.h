#pragma once

#include "model/NameOrder.h"

#include <QAbstractTableModel>

#include <optional>

struct GlobalVariable;

// The catalog in name order with its seven facts editable in place: name and unit, then
// energy, proteins, fats, carbohydrates, grams per unit, package and price. A value is
// checked before it is stored; a refused one is told by refused() and changes nothing.
class FactsTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int FirstFact = 2;

    explicit FactsTableModel(GlobalVariable& g, QObject* parent = nullptr);

    // The catalog may have changed since: rows follow it again. Empty until first called.
    void reload();
    // A value typed in is being stored (the window follows it by factsChanged()).
    bool isWriting() const { return m_blnWriting; }
    qint16 indexOfRow(int intRow) const { return m_order.RowToIndex(static_cast<qint16>(intRow + 1)); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void refused(const QString& strMessage);
    // A value really changed.
    void factsChanged();

private:
    GlobalVariable& m_g;
    NameOrder m_order;
    bool m_blnWriting = false;
    std::optional<quint64> m_seen; // the catalog revision m_order was made for
};

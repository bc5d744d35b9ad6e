#pragma once

#include "model/CarryPlan.h"

#include <QHash>
#include <QWidget>

class CarryBars;
class Forms;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTableWidgetItem;
class QTreeView;
class CarryTreeModel;
struct GlobalVariable;

// "Раздача по рюкзакам": who carries what. The participants (name and share editable
// in place) on the left with a bar per participant, the split as a tree on the right.
// Every change re-splits at once; products can be pinned to a participant while the
// window is open.
class frmCarry : public QWidget
{
    Q_OBJECT

public:
    frmCarry(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // The split shown now.
    const CarryPlan& plan() const { return m_plan; }
    // Catalog position -> participant (0-based) the product is pinned to.
    const QHash<qint16, int>& pins() const { return m_pins; }

    // The product of the selected tree line pinned to the participant chosen beside the
    // button; unpinned again; all pins dropped.
    void cmdPin_Click();
    void cmdUnpin_Click();
    void cmdUnpinAll_Click();
    void cmdWord_Click();
    void cmdClose_Click();

    // Re-reads the trip and splits again.
    void Recalculate();

    // The size that shows every column of both lists within a screen of this free area,
    // for the split shown.
    QSize openingSize(const QRect& available);

signals:
    // The window has closed; the main window takes over again (Forms wires it).
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fillParticipants();
    void fillTree(qint16 intSelected);
    void participantEdited(QTableWidgetItem* item);
    void treeSelectionChanged();
    // Catalog position of the product on the selected tree line, or 0.
    qint16 selectedProduct() const;

    GlobalVariable& m_g;
    Forms& m_forms;
    CarryPlan m_plan;
    QHash<qint16, int> m_pins;
    bool m_blnFilling = false;
    bool m_blnOwnChange = false; // the trip is being changed from this window
    bool m_blnSized = false;

    QTableWidget* m_tblParticipants = nullptr;
    CarryBars* m_bars = nullptr;
    QTreeView* m_treeCarry = nullptr;
    QSplitter* m_splitter = nullptr;
    CarryTreeModel* m_treeModel = nullptr;
    QLabel* m_lblBound = nullptr;
    QComboBox* m_cboPinTo = nullptr;
    QPushButton* m_cmdPin = nullptr;
    QPushButton* m_cmdUnpin = nullptr;
    QPushButton* m_cmdUnpinAll = nullptr;
    QPushButton* m_cmdWord = nullptr;
    QPushButton* m_cmdClose = nullptr;
};

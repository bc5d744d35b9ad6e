#pragma once

#include "model/FoodReference.h"

#include <QPointer>
#include <QSet>
#include <QWidget>

#include <functional>
#include <optional>

class Forms;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
struct GlobalVariable;

// "Справочник продуктов": finds foods of the reference by any of their names within a
// group, collects the chosen ones with a norm and a unit each, and adds them all to the
// catalog at once. Opened modally from the ration editor's catalog and from "Питание и
// закупка".
class frmReference : public QWidget
{
    Q_OBJECT

public:
    frmReference(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // Opens over opener, which stays disabled until this window closes; onClosed runs
    // then, told whether foods were added. When the reference cannot be read, says so and
    // stays closed.
    bool OpenFrom(QWidget& opener, std::function<void(bool blnAdded)> onClosed);

    // Puts the selected found foods (the first found one when none is selected) among the
    // chosen ones; a food already chosen or in the catalog is not put there twice.
    void cmdChoose_Click();
    void cmdRemove_Click();
    // Adds every chosen food, or none when a norm or a unit is refused.
    void cmdOK_Click();
    void cmdCancel_Click();

    // The foods shown, as positions in the reference.
    const QList<qsizetype>& found() const { return m_found; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshFound();
    void choose(qsizetype intEntry, QStringList& held);
    void closeBack(bool blnAdded);

    GlobalVariable& m_g;
    Forms& m_forms;
    std::optional<FoodReference> m_reference;
    // Name keys of the catalog as it was when the window opened.
    QSet<QString> m_catalogKeys;
    QList<qsizetype> m_found;
    QPointer<QWidget> m_opener;
    std::function<void(bool)> m_onClosed;

    QLineEdit* txtFind = nullptr;
    QComboBox* cboGroup = nullptr;
    QTableView* tblFoods = nullptr;
    QStandardItemModel* m_foods = nullptr;
    QTableView* tblChosen = nullptr;
    QStandardItemModel* m_chosen = nullptr;
    QPushButton* cmdChoose = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblStatus = nullptr;
};

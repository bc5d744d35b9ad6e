#pragma once

#include "model/FoodReference.h"
#include "model/Nutrition.h"
#include "model/Shopping.h"

#include <QWidget>

#include <optional>

class FactsTableModel;
class Forms;
class NutritionChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class TextRowsModel;
class TotalsFooter;
struct GlobalVariable;

// "Питание и закупка": the catalog's energy, nutrients, weights, packages and prices,
// the trip's days with their figures per participant and the chart of them, and the
// shopping list in whole packages with its cost. Opened modally from the main window.
class frmNutrition : public QWidget
{
    Q_OBJECT

public:
    frmNutrition(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);
    ~frmNutrition() override;

    // Before every opening: the catalog, the aim, the shifts and every figure afresh.
    void Init();

    void txtAim_LostFocus();
    // Fills the empty fields from the bundled table, or from a CSV the user picks.
    void cmdFill_Click();
    void cmdImport_Click();
    void cboShift_Change(int intIndex);
    // "&Word" on the shopping page: the list shown, for the whole trip or the shift
    // chosen, as a document the way the Сервис menu says (Word, PDF or the printer).
    void cmdDocument_Click();
    void cmdClose_Click();

    // The size that shows every column of every page, the days' averages and the
    // shopping list's totals, within a screen of this free area. Makes the pages not
    // made yet.
    QSize openingSize(const QRect& available);

    // What the window shows, or would show on its page: the days and the shopping list
    // are made when their page is shown or they are asked for.
    const Nutrition::Table& figures();
    const Shopping::List& shopping();
    qint16 countDay() const { return m_intCountDay; }

signals:
    // The window has closed; the main window takes over again (Forms wires it).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Every figure is out of date: the page shown is made again, the others when shown.
    void tripChanged(unsigned parts);
    void refresh();
    void refreshShown();
    void refreshDays();
    void refreshShopping();
    // The days table with its header and averages, every day in sight.
    int daysHeight() const;
    void fillFrom(const FoodReference& table, const QString& strWhere);
    void showError(const QString& strText);

    GlobalVariable& m_g;
    Forms& m_forms;
    qint16 m_intCountDay = 0;
    Nutrition::Table m_figures;
    Shopping::List m_shopping;
    bool m_blnDaysOld = true;
    bool m_blnShoppingOld = true;
    bool m_blnShoppingFailed = false;
    bool m_blnOwnChange = false; // the trip is being changed from this window
    bool m_blnSized = false;
    qsizetype m_intDaysFitted = -1;
    int m_intFactsFitted = -1;
    std::optional<FoodReference> m_bundled;

    QLineEdit* txtAim = nullptr;
    QPushButton* cmdFill = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblStatus = nullptr;
    QTabWidget* tabs = nullptr;
    QTableView* tblFacts = nullptr;
    FactsTableModel* m_facts = nullptr;
    QLabel* lblDays = nullptr;
    QTableView* tblDays = nullptr;
    TextRowsModel* m_days = nullptr;
    TotalsFooter* m_daysTotals = nullptr;
    QSplitter* m_split = nullptr;
    NutritionChart* chart = nullptr;
    QComboBox* cboShift = nullptr;
    QPushButton* cmdDocument = nullptr;
    QTableView* tblShopping = nullptr;
    TotalsFooter* m_shoppingTotals = nullptr;
    TextRowsModel* m_shoppingRows = nullptr;
};

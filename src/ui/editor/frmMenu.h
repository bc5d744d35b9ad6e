#pragma once

#include "model/NameOrder.h"
#include "ui/editor/TwipsPlacer.h"

#include <QRect>

#include <optional>

class QAbstractItemModel;
#include <QWidget>

class CatalogGridModel;
class Forms;
class GridTextModel;
class QLabel;
class QPushButton;
class QTabBar;
class QTableView;
class TabStrip;
class clsProduct;
class clsTrapeza;
struct GlobalVariable;

// The ration editor. The catalog view lists the products in name order and opens the
// product dialog; the ration view puts catalog products into the meals of the daily
// menus, one tab per day. Everything is changed in the trip state at once; the window
// holds no ration data of its own and is used by the trip file reader while hidden.
class frmMenu : public QWidget
{
    Q_OBJECT

public:
    frmMenu(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);
    ~frmMenu() override;

    // The answer DelDay takes as "yes, delete".
    static constexpr int DelDayOk = 1;

    // Selected day (ration position) and meal index; the product being changed.
    qint16 ActiveDay() const { return m_intActiveDay; }
    qint16 ActiveTrapeza() const { return m_intActiveTrapeza; }
    qint16 ActiveProduct() const { return m_intActiveProduct; }

    // Rebuilds the name order and both catalog grids from the catalog. The current row
    // of tblProduct becomes the row of the product added last, that of tblCatalog the
    // last row. An empty catalog leaves one empty row and empty maps; products make the
    // change command usable.
    void VisibleCatalog();
    // Writes a product into row intRow (1-based) of tblProduct and makes it current.
    void Cells(qint16 intRow, const clsProduct& objProduct);
    // Catalog position shown in a grid row; outside the list a message and 0.
    qint16 GetIndexFromString(qint16 numberStr);
    // Grid row of a catalog position; outside the list a message and 0.
    qint16 GetStringFromIndex(qint16 indexProduct);
    const NameOrder& nameOrder() const { return m_order; }

    // After a trip is loaded: one day tab per daily menu, the last one selected.
    void RebuildDayTabs();
    // Appends a day: a tab, an empty daily menu, and the next tab selected.
    void cmdAddDay_Click();
    // Deletes the selected day when intFlag is DelDayOk; the last day is never deleted.
    void DelDay(int intFlag);
    // Shows the selected meal of the selected day in tblDayMenu.
    void ViewMenu();
    // Exchanges the daily menus of the two days chosen in the day exchange dialog.
    void RemoveDay();
    // The change command becomes usable once the catalog has products.
    void EnableRename();

    // Refreshes the lists and the shown meal, as when the window becomes active again
    // (shown, or back from one of its dialogs).
    void Form_Activate();

    bool isRationView() const { return m_blnRationView; }
    // Design geometry in twips: the window's outer rectangle on the screen, and a control's
    // rectangle in its parent.
    QRect twipsWindow() const { return m_twWindow; }
    QRect twipsOf(const QWidget* control) const { return m_placer.twips(control); }

signals:
    // The window has closed; the main window takes over again (Forms wires it).
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ViewGeometry
    {
        QRect window;  // outer rectangle on the screen
        QPoint close;  // cmdClose
        QPoint change; // cmdChange
        QPoint credit; // Label1
    };

    void buildCatalogPane();
    void buildRationPane();
    void buildWindowControls();
    void setUpGrid(QTableView* grid, QAbstractItemModel* model, const QList<int>& twipsWidths);
    void showOrder();
    void applyView(bool bRation);
    void applyTabOrder();
    void setDayButtons();
    void tripChanged(unsigned parts);
    // The day tabs follow the ration's length; the selected day stays where it can.
    void followRation();
    void selectDayTab(int intIndex);
    int currentRow(const QTableView* grid) const;
    void makeCurrent(QTableView* grid, int intRow, int intColumn);
    clsTrapeza* shownMeal();

    void cmdChange_Click();
    void cmdClose_Click();
    void cmdAdd_Click();
    void cmdRename_Click();
    void cmdReference_Click();
    void cmdAddProduct_Click();
    void cmdDelProduct_Click();
    void cmdDelDay_Click();
    void cmdRemoveDay_Click();
    void StripDayMenu_Click(int intIndex);
    void StripTrapeza_Click(int intIndex);

    GlobalVariable& m_g;
    Forms& m_forms;

    qint16 m_intActiveDay = 1;
    qint16 m_intActiveTrapeza = 1;
    qint16 m_intActiveProduct = 0;
    NameOrder m_order;
    // The catalog revision the name order was made for: an unchanged catalog costs
    // nothing to refresh, one changed product a moved row.
    std::optional<quint64> m_seen;
    bool m_blnRationView = false;
    bool m_blnTabsBusy = false;
    bool m_blnOwnChange = false; // the trip is being changed from this window

    TwipsPlacer m_placer;
    QRect m_twWindow;
    ViewGeometry m_catalogView;
    ViewGeometry m_rationView;

    QWidget* ProductCatalog = nullptr;
    QTableView* tblProduct = nullptr;
    QLabel* lblTitle = nullptr;
    QWidget* ControlBox = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRename = nullptr;
    QPushButton* cmdReference = nullptr;

    QWidget* Menu = nullptr;
    QLabel* Label2 = nullptr;
    QTableView* tblCatalog = nullptr;
    QPushButton* cmdAddProduct = nullptr;
    QPushButton* cmdDelProduct = nullptr;
    QLabel* lblRacion = nullptr;
    TabStrip* StripDayMenu = nullptr;
    TabStrip* StripTrapeza = nullptr;
    QTableView* tblDayMenu = nullptr;
    QPushButton* cmdRemoveDay = nullptr;
    QPushButton* cmdDelDay = nullptr;
    QPushButton* cmdAddDay = nullptr;

    QPushButton* cmdChange = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* Label1 = nullptr;

    CatalogGridModel* m_productModel = nullptr;
    CatalogGridModel* m_catalogModel = nullptr;
    GridTextModel* m_dayMenuModel = nullptr;
};

#pragma once

#include <QWidget>

class Forms;
struct GlobalVariable;

// The ration editor: the catalog and the daily menus.
class frmMenu : public QWidget
{
    Q_OBJECT

public:
    frmMenu(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // Rebuilds the catalog lists in name order from the catalog.
    void VisibleCatalog();
    // After a trip is loaded: one day tab per daily menu, the last one selected.
    void RebuildDayTabs();

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

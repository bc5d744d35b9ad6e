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

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

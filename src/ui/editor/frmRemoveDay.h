#pragma once

#include <QWidget>

class Forms;
struct GlobalVariable;

// Exchanges two daily menus of the ration.
class frmRemoveDay : public QWidget
{
    Q_OBJECT

public:
    frmRemoveDay(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

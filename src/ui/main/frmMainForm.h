#pragma once

#include <QMainWindow>

class Forms;
struct GlobalVariable;

// The main window: trip parameters and file commands.
class frmMainForm : public QMainWindow
{
    Q_OBJECT

public:
    frmMainForm(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

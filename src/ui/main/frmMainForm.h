#pragma once

#include <QMainWindow>

struct GlobalVariable;

// The main window: trip parameters and file commands.
class frmMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMainForm(GlobalVariable& g, QWidget* parent = nullptr);

private:
    GlobalVariable& m_g;
};

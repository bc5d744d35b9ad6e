#pragma once

#include <QWidget>

class Forms;
struct GlobalVariable;

// The about box.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    frmAbout(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

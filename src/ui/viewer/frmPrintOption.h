#pragma once

#include <QWidget>

class Forms;
struct GlobalVariable;

// Export options of the layout document.
class frmPrintOption : public QWidget
{
    Q_OBJECT

public:
    frmPrintOption(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

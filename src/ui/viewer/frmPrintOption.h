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

    // The main window's shift spinner resets this dialog's shift.
    void ResetSmena(qint16 intSmena);

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

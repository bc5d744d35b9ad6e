#include "ui/main/frmMainForm.h"

#include "model/GlobalVariable.h"

frmMainForm::frmMainForm(GlobalVariable& g, QWidget* parent)
    : QMainWindow(parent)
    , m_g(g)
{
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(m_g.strTitle);
}

#include "ui/main/frmMainForm.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmMainForm::frmMainForm(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QMainWindow(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(m_g.strTitle);
}

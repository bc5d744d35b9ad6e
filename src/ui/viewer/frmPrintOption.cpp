#include "ui/viewer/frmPrintOption.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmPrintOption::frmPrintOption(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmPrintOption"));
}

void frmPrintOption::ResetSmena(qint16) {}

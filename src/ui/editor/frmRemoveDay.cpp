#include "ui/editor/frmRemoveDay.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmRemoveDay::frmRemoveDay(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmRemoveDay"));
}

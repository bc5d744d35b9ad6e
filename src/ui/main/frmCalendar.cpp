#include "ui/main/frmCalendar.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmCalendar::frmCalendar(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmCalendar"));
}

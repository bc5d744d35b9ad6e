#include "ui/about/frmAbout.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmAbout::frmAbout(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmAbout"));
}

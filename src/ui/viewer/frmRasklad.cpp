#include "ui/viewer/frmRasklad.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmRasklad::frmRasklad(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmRasklad"));
}

void frmRasklad::Init() {}

#include "ui/editor/frmDialogProduct.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmDialogProduct::frmDialogProduct(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmDialogProduct"));
}

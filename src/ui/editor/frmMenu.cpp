#include "ui/editor/frmMenu.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"

frmMenu::frmMenu(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmMenu"));
}

void frmMenu::VisibleCatalog() {}

void frmMenu::RebuildDayTabs() {}

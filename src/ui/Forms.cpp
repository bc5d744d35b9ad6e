#include "ui/Forms.h"

#include "ui/about/frmAbout.h"
#include "ui/editor/frmDialogProduct.h"
#include "ui/editor/frmMenu.h"
#include "ui/editor/frmRemoveDay.h"
#include "ui/main/frmCalendar.h"
#include "ui/main/frmMainForm.h"
#include "ui/tools/frmCarry.h"
#include "ui/tools/frmNutrition.h"
#include "ui/tools/frmReference.h"
#include "ui/viewer/frmPrintOption.h"
#include "ui/viewer/frmRasklad.h"

#include <QWidget>

namespace {

template <typename T>
T& lazy(std::unique_ptr<T>& slot, GlobalVariable& g, Forms& forms)
{
    if (!slot)
        slot = std::make_unique<T>(g, forms);
    return *slot;
}

} // namespace

Forms::Forms(GlobalVariable& g)
    : m_g(g)
{
}

Forms::~Forms()
{
    // Dialogs first, the main window last: later windows may still point at earlier ones.
    m_about.reset();
    m_reference.reset();
    m_nutrition.reset();
    m_carry.reset();
    m_printOption.reset();
    m_rasklad.reset();
    m_removeDay.reset();
    m_dialogProduct.reset();
    m_menu.reset();
    m_calendar.reset();
    m_mainForm.reset();
}

frmMainForm& Forms::MainForm()
{
    return lazy(m_mainForm, m_g, *this);
}
frmCalendar& Forms::Calendar()
{
    return lazy(m_calendar, m_g, *this);
}
frmMenu& Forms::Menu()
{
    return lazy(m_menu, m_g, *this);
}
frmDialogProduct& Forms::DialogProduct()
{
    return lazy(m_dialogProduct, m_g, *this);
}
frmRemoveDay& Forms::RemoveDay()
{
    return lazy(m_removeDay, m_g, *this);
}
frmRasklad& Forms::Rasklad()
{
    return lazy(m_rasklad, m_g, *this);
}
frmPrintOption& Forms::PrintOption()
{
    return lazy(m_printOption, m_g, *this);
}
frmAbout& Forms::About()
{
    return lazy(m_about, m_g, *this);
}
frmCarry& Forms::Carry()
{
    return lazy(m_carry, m_g, *this);
}

frmReference& Forms::Reference()
{
    return lazy(m_reference, m_g, *this);
}

frmNutrition& Forms::Nutrition()
{
    return lazy(m_nutrition, m_g, *this);
}

void Forms::releaseAbout()
{
    if (m_about)
        m_about.release()->deleteLater();
}

void Forms::openFrom(QWidget& opener, QWidget& window)
{
    opener.setEnabled(false);
    window.show();
    window.raise();
    window.activateWindow();
}

void Forms::closeBackTo(QWidget& window, QWidget& opener)
{
    window.hide();
    opener.setEnabled(true);
    opener.raise();
    opener.activateWindow();
}

#include "ui/Forms.h"

#include "model/GlobalVariable.h"
#include "ui/TripUndo.h"
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
    , m_undo(std::make_unique<TripUndo>(g))
{
}

// A window that shows or changes the trip: made on first use, with the undo shortcuts.
template <typename T>
T& Forms::tripWindow(std::unique_ptr<T>& slot)
{
    if (!slot) {
        lazy(slot, m_g, *this);
        m_undo->attach(*slot);
    }
    return *slot;
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
    return tripWindow(m_mainForm);
}
// A window the main window opened hands back to it when it closes; the editor and the
// layout window may have changed what its fields show.
template <typename T>
void Forms::backToMain(T& window, bool blnRefresh)
{
    QObject::connect(&window, &T::closed, &window, [this, &window, blnRefresh] {
        frmMainForm& main = MainForm();
        closeBackTo(window, main);
        if (blnRefresh)
            main.ReWriteOption();
    });
}

frmCalendar& Forms::Calendar()
{
    if (!m_calendar) {
        lazy(m_calendar, m_g, *this);
        QObject::connect(m_calendar.get(), &frmCalendar::dateChosen, m_calendar.get(), [this](const QDate& dt) {
            frmMainForm& main = MainForm();
            main.setEnabled(true);
            if (m_g.blnDataBegin)
                main.SetDataBegin(dt);
            if (m_g.blnDataEnd)
                main.SetDataEnd(dt);
        });
        backToMain(*m_calendar, false);
    }
    return *m_calendar;
}
frmMenu& Forms::Menu()
{
    if (!m_menu)
        backToMain(tripWindow(m_menu), true);
    return *m_menu;
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
    // No undo here: the layout is built from the trip when the window opens and does not
    // follow a change, so the trip must not change beneath it.
    if (!m_rasklad)
        backToMain(lazy(m_rasklad, m_g, *this), true);
    return *m_rasklad;
}
frmPrintOption& Forms::PrintOption()
{
    return lazy(m_printOption, m_g, *this);
}
frmAbout& Forms::About()
{
    if (!m_about)
        backToMain(lazy(m_about, m_g, *this), false);
    return *m_about;
}
frmCarry& Forms::Carry()
{
    if (!m_carry)
        backToMain(tripWindow(m_carry), false);
    return *m_carry;
}

frmReference& Forms::Reference()
{
    return tripWindow(m_reference);
}

frmNutrition& Forms::Nutrition()
{
    if (!m_nutrition)
        backToMain(tripWindow(m_nutrition), false);
    return *m_nutrition;
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

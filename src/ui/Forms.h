#pragma once

#include <memory>

class QWidget;
struct GlobalVariable;
class frmMainForm;
class frmCalendar;
class frmMenu;
class frmDialogProduct;
class frmRemoveDay;
class frmRasklad;
class frmPrintOption;
class frmAbout;
class frmNutrition;
class frmCarry;
class frmReference;
class TripUndo;

// Owns every window of the program. Each is created on first use and afterwards only
// hidden and shown, so its state lasts for the whole run; the about box alone is
// destroyed when it closes. Windows reach each other through here.
class Forms
{
public:
    explicit Forms(GlobalVariable& g);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    GlobalVariable& g() { return m_g; }
    // The trip's undo stack; every window of the trip has its shortcuts.
    TripUndo& Undo() { return *m_undo; }

    frmMainForm& MainForm();
    frmCalendar& Calendar();
    frmMenu& Menu();
    frmDialogProduct& DialogProduct();
    frmRemoveDay& RemoveDay();
    frmRasklad& Rasklad();
    frmPrintOption& PrintOption();
    frmAbout& About();
    frmNutrition& Nutrition();
    frmCarry& Carry();
    frmReference& Reference();

    // Whether a window exists yet (without creating it).
    bool hasCalendar() const { return m_calendar != nullptr; }
    bool hasMenu() const { return m_menu != nullptr; }
    bool hasRasklad() const { return m_rasklad != nullptr; }
    bool hasPrintOption() const { return m_printOption != nullptr; }
    bool hasAbout() const { return m_about != nullptr; }
    bool hasNutrition() const { return m_nutrition != nullptr; }
    bool hasCarry() const { return m_carry != nullptr; }
    bool hasReference() const { return m_reference != nullptr; }

    // Modal without a modal loop: the opener disables itself and shows the window;
    // closing the window enables the opener again and brings it forward.
    static void openFrom(QWidget& opener, QWidget& window);
    static void closeBackTo(QWidget& window, QWidget& opener);

    // The about box is destroyed when it closes.
    void releaseAbout();

private:
    template <typename T>
    void backToMain(T& window, bool blnRefresh);

    template <typename T>
    T& tripWindow(std::unique_ptr<T>& slot);

    GlobalVariable& m_g;
    std::unique_ptr<TripUndo> m_undo;
    std::unique_ptr<frmMainForm> m_mainForm;
    std::unique_ptr<frmCalendar> m_calendar;
    std::unique_ptr<frmMenu> m_menu;
    std::unique_ptr<frmDialogProduct> m_dialogProduct;
    std::unique_ptr<frmRemoveDay> m_removeDay;
    std::unique_ptr<frmRasklad> m_rasklad;
    std::unique_ptr<frmPrintOption> m_printOption;
    std::unique_ptr<frmAbout> m_about;
    std::unique_ptr<frmNutrition> m_nutrition;
    std::unique_ptr<frmCarry> m_carry;
    std::unique_ptr<frmReference> m_reference;
};

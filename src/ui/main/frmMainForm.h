#pragma once

#include <QDate>
#include <QMainWindow>

#include <functional>

class Forms;
struct GlobalVariable;
struct TripSettings;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class RecentTripsMenu;
class RecoveryCopy;
class UpDown;

// The main window: trip parameters and file commands.
//
// The fields are not bound to the trip state: each writes its value into it when it
// loses the focus (or its spinner changes), and ReWriteOption writes the trip state
// back into the fields.
class frmMainForm : public QMainWindow
{
    Q_OBJECT

public:
    frmMainForm(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // OK message box titled "Неверный формат данных".
    void ShowFormatError(const QString& strMessage);
    // Checks the trip parameters before the layout is built; on success sets intCountDay.
    bool TestOption();
    // Refreshes the fields from the trip state when the dates lie less than 50 days apart.
    void ReWriteOption();
    // Writes the trip to strFileName; false (after a message) when it could not.
    bool SaveRasklad();
    // Reads strFileName into the trip state: all or nothing.
    bool LoadRasklad();
    // Shows strFileName in the status bar.
    void ViewFileName();
    // Offers to save a changed trip. False when the user chose to save and the trip
    // was not saved (the dialog was cancelled or the write failed): the caller stops.
    bool QuerySave();

    // What a new trip starts from.
    enum class NewFrom
    {
        Empty,  // an empty catalog
        Sample, // the sample trip's catalog and daily menus
        File    // the catalog of a trip file the user picks
    };
    // Offers to save a changed trip, then starts a new one with no file. False when
    // nothing changed (the save or the file dialog was cancelled, the template could not
    // be read: a message says why).
    bool NewTrip(NewFrom from);

    // Opens a trip file given at start-up (a file manager's double-click).
    bool OpenFile(const QString& strPath);

    // The fields the date dialog writes into.
    QLineEdit& DataBeginField() { return *m_txtDataBegin; }
    QLineEdit& DataEndField() { return *m_txtDataEnd; }
    // Writes the date to the field and the trip state; used by the date dialog.
    void SetDataBegin(const QDate& dt);
    void SetDataEnd(const QDate& dt);

    // Gives the export options dialog, when it exists, the current number of shifts.
    void ResetPrintSmena();

    // The copy of the trip kept against a crash; the trip's changes are announced to it.
    RecoveryCopy& Recovery() { return *m_recovery; }
    // Opens a copy left by a crash as the trip of strTripPath (empty: a trip never
    // saved), marked as changed, and writes this run's copy of it. False when the copy
    // could not be read (a message said so) or this run's copy not written.
    bool RestoreFrom(const QString& strCopy, const QString& strTripPath);

    // Texts of the status bar panels, first to last.
    QStringList StatusPanelTexts() const;

    // The command handlers, public so the program and tests can run them.
    void menuMainFileOpen_Click();
    void menuMainFileSave_Click();
    bool menuMainFileSaveAs_Click();
    // Opens a trip of the "Файл" menu's recent list; one no longer there is taken out.
    void menuMainFileRecent_Click(const QString& strPath);
    void mnuHelpWindow_Click();
    void mnuAbout_Click();
    void mnuNutrition_Click();
    void cmdDataBegin_Click();
    void cmdDataEnd_Click();
    void cmdMenu_Click();
    void cmdRaklad_Click();
    void cmdClose_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void addStatusPanel(const QString& strText);

    // Lost-focus handlers; false when the text was refused (message shown, focus back).
    bool txtDataBegin_LostFocus();
    bool txtDataEnd_LostFocus();
    bool txtCountPeople_LostFocus();
    bool txtSmena_LostFocus();
    bool dateLostFocus(QLineEdit& txt, QDate TripSettings::*dtTarget);
    bool countLostFocus(QLineEdit& txt, int intLimit, qint16 TripSettings::*intTarget, UpDown& upd);
    void rejectField(QLineEdit& txt);
    // Runs the lost-focus check of the field holding the focus when it was edited and
    // not yet taken; false when the text was refused.
    bool commitFocusedField();
    // The same for the field holding the focus whether edited or not, for a command that
    // takes the focus away from it (opens a window, presses a button by its mnemonic).
    bool leaveFocusedField();

    // Closes the date dialog, when it is open, before another window opens from here.
    void closeDateDialog();
    // ReWriteOption's part when it cannot show the dates.
    void clearStaleFields();
    void setSmenaSpinner(qint16 intSmena);
    void UpDownPeople_Change(int intValue);
    void UpDownSmena_Change(int intValue);
    void rtbDeffine_Change();
    void menuMainFile_Open();
    void updateSaveEnabled();

    bool saveTo(const QString& strPath);
    // Changes the trip's parameters through its editor, as one step named strWhat.
    void changeSettings(const QString& strWhat, const std::function<void(TripSettings&)>& edit, int intMergeKey = 0);
    // The trip changed elsewhere (undo, redo, another window): the fields show it.
    void tripChanged(unsigned parts);
    static constexpr int DescriptionMergeKey = 1;

    GlobalVariable& m_g;
    Forms& m_forms;

    QLineEdit* m_txtDataBegin = nullptr;
    QLineEdit* m_txtDataEnd = nullptr;
    QLineEdit* m_txtCountPeople = nullptr;
    QLineEdit* m_txtSmena = nullptr;
    UpDown* m_updPeople = nullptr;
    UpDown* m_updSmena = nullptr;
    QPlainTextEdit* m_rtbDeffine = nullptr;
    QPushButton* m_cmdDataBegin = nullptr;
    QPushButton* m_cmdDataEnd = nullptr;
    QPushButton* m_cmdMenu = nullptr;
    QPushButton* m_cmdRaklad = nullptr;
    QPushButton* m_cmdClose = nullptr;
    QMenu* m_menuFile = nullptr;
    QMenu* m_menuService = nullptr;
    QAction* m_actSave = nullptr;
    RecentTripsMenu* m_recent = nullptr;
    QList<QLabel*> m_panels;

    // Set while a refused field is being put back, so that the focus moves this causes
    // run no further checks; and until the click that moved the focus has passed, so
    // that the click does not act on the refused value.
    bool m_blnRejecting = false;
    bool m_blnRefusedClick = false;
    // Set while ReWriteOption fills the fields, which is no edit by the user.
    bool m_blnRewriting = false;
    bool m_blnOwnChange = false; // the trip is being changed from this window's fields
    // Set once the user has agreed to end the program.
    bool m_blnEnding = false;

    RecoveryCopy* m_recovery = nullptr;
};

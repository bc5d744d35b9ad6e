#pragma once

#include <QDialog>

class Forms;
struct GlobalVariable;
class QCalendarWidget;
class QLabel;
class QPushButton;

// The date dialog: picks the start or the end date of the trip on a month calendar.
// The flags blnDataBegin and blnDataEnd of the trip state tell which date it sets. It is
// shown without a modal loop; the main window is disabled while it is open.
class frmCalendar : public QDialog
{
    Q_OBJECT

public:
    frmCalendar(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // The calendar's value.
    QDate Date() const;
    void SetDate(const QDate& dt);
    // The status bar's first panel: which date is being set.
    void SetStatus(const QString& strText);
    QString Status() const;

    // "OK": writes the date into the field the flags name; closes when the dates are
    // in order, otherwise says so and stays open.
    void cmdOK_Click();

    // Closing by the frame or Escape: no date is set, the main window is enabled again
    // and both flags are cleared.
    void reject() override;

signals:
    // OK pressed on this date: the main window writes it into the field the dialog was
    // opened for (Forms wires it).
    void dateChosen(const QDate& dt);
    // The dialog has closed; the main window takes over again.
    void closed();

private:
    GlobalVariable& m_g;
    Forms& m_forms;
    QCalendarWidget* m_calendar;
    QPushButton* m_cmdOK;
    QLabel* m_status;
};

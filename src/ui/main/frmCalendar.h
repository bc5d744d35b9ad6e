#pragma once

#include <QWidget>

class Forms;
struct GlobalVariable;

// The date dialog: picks the start or the end date of the trip.
class frmCalendar : public QWidget
{
    Q_OBJECT

public:
    frmCalendar(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

#pragma once

#include <QWidget>

class Forms;
struct GlobalVariable;

// The layout window: the trip day by day, and the purchase lists.
class frmRasklad : public QWidget
{
    Q_OBJECT

public:
    frmRasklad(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // Prepares the window for a freshly built layout; called before it is shown.
    void Init();

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

#pragma once

#include <QWidget>

class Forms;
struct GlobalVariable;

// Adds a product to the catalog or changes one.
class frmDialogProduct : public QWidget
{
    Q_OBJECT

public:
    frmDialogProduct(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

private:
    GlobalVariable& m_g;
    Forms& m_forms;
};

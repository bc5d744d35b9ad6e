#pragma once

#include "ui/editor/TwipsPlacer.h"

#include <QDialog>

class Forms;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct GlobalVariable;

// Adds a product to the catalog or changes one in place; shown without a modal loop
// while the editor waits disabled. The title label says which command runs.
class frmDialogProduct : public QDialog
{
    Q_OBJECT

public:
    frmDialogProduct(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // "Добавить": empty fields, the focus in the name.
    void OpenToAdd();
    // "Изменить": the fields of the editor's ActiveProduct.
    void OpenToChange();

    bool isAdding() const;
    // Validates the fields; false after a message. A repeated name closes the dialog.
    bool TestProductOption();

    // OK and Cancel.
    void cmdClose_Click();
    void cmdEsc_Click();

    QRect twipsOf(const QWidget* control) const { return m_placer.twips(control); }

public slots:
    // Escape and the frame's close button cancel.
    void reject() override;

private:
    void openAs(const QString& strTitle);
    void closeBack();
    void fail(const QString& strText, const QString& strCaption, QLineEdit* field);

    GlobalVariable& m_g;
    Forms& m_forms;
    TwipsPlacer m_placer;
    bool m_blnNameChanged = false;

    QLabel* lblTitle = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtNorm = nullptr;
    QComboBox* txtEd = nullptr;
    QPushButton* cmdEsc = nullptr;
    QPushButton* cmdClose = nullptr;
};

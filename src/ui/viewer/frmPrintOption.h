#pragma once

#include "ui/editor/TwipsPlacer.h"

#include <QDialog>

class Forms;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UpDown;
struct GlobalVariable;

// Export options of the layout document: the whole layout or the days of one duty
// shift. Opened by the layout window, which stays disabled until this closes. Created
// once and then only hidden and shown, so the choice lasts from one export to the next.
class frmPrintOption : public QDialog
{
    Q_OBJECT

public:
    frmPrintOption(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // The main window's shift count changed: the shift spinner runs over 1..intSmena
    // and shows 1.
    void ResetSmena(qint16 intSmena);

    // The shift of a one-shift export; always the spinner's value.
    qint32 SelectedSmena() const { return m_intSelectedSmena; }
    bool AllDays() const;

    // Writes the document, then closes back to the layout window.
    void cmdOK_Click();
    void cmdCancel_Click();

    QRect twipsOf(const QWidget* control) const { return m_placer.twips(control); }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rbAll_Click();
    void rbSmen_Click();
    void updSmena_Change(int intValue);
    void enableSmena(bool blnOn);
    void closeBack();

    GlobalVariable& m_g;
    Forms& m_forms;
    TwipsPlacer m_placer;
    qint32 m_intSelectedSmena = 1;

    QGroupBox* boxOption = nullptr;
    QRadioButton* rbAll = nullptr;
    QRadioButton* rbSmen = nullptr;
    QGroupBox* frameSmen = nullptr;
    QLabel* lblSmena = nullptr;
    QLineEdit* txtSmena = nullptr;
    UpDown* updSmena = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* Label1 = nullptr;
};

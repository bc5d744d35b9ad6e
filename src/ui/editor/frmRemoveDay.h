#pragma once

#include "ui/editor/TwipsPlacer.h"

#include <QDialog>

class Forms;
class QLineEdit;
class QPushButton;
class UpDown;
struct GlobalVariable;

// Exchanges the daily menus of two days of the ration. The day numbers are chosen
// with spinners only, so both always lie within the ration.
class frmRemoveDay : public QDialog
{
    Q_OBJECT

public:
    frmRemoveDay(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);

    // Both fields show the editor's selected day; the spinners run over the ration's days.
    void InitForm();

    // The two day numbers shown.
    qint16 Day1() const;
    qint16 Day2() const;

    void btnOk_Click();
    void btnEsc_Click();

    QRect twipsOf(const QWidget* control) const { return m_placer.twips(control); }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeBack();

    GlobalVariable& m_g;
    Forms& m_forms;
    TwipsPlacer m_placer;

    QLineEdit* txtDay1 = nullptr;
    QLineEdit* txtDay2 = nullptr;
    UpDown* UpDownDay1 = nullptr;
    UpDown* UpDownDay2 = nullptr;
    QPushButton* btnEsc = nullptr;
    QPushButton* btnOk = nullptr;
};

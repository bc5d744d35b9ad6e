#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/editor/frmMenu.h"
#include "ui/main/frmMainForm.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The shared button and label helpers, and the windows that make their controls with them.
class tst_controls : public QObject
{
    Q_OBJECT

private slots:
    void enterInAFieldPressesNoButton();
    void windowsNameEveryControl_data();
    void windowsNameEveryControl();
};

void tst_controls::enterInAFieldPressesNoButton()
{
    QDialog dialog;
    auto* field = new QLineEdit(&dialog);
    QPushButton* button = Controls::makeButton(&dialog, "cmdGo", "&Вперёд", "Дальше");
    QLabel* label = Controls::makeLabel(&dialog, "lblWhat", "Что:");
    QCOMPARE(button->objectName(), QString("cmdGo"));
    QCOMPARE(button->toolTip(), QString("Дальше"));
    QCOMPARE(label->objectName(), QString("lblWhat"));
    QCOMPARE(label->text(), QString("Что:"));

    const QSignalSpy clicks(button, &QPushButton::clicked);
    dialog.show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(clicks.count(), 0);
}

void tst_controls::windowsNameEveryControl_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "main";
    QTest::newRow("ration editor") << "editor";
}

void tst_controls::windowsNameEveryControl()
{
    QFETCH(QString, window);

    MessageBox::Recorder boxes;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    QWidget* w = window == "main" ? static_cast<QWidget*>(&forms.MainForm()) : &forms.Menu();
    const QList<QPushButton*> buttons = w->findChildren<QPushButton*>();
    QVERIFY(buttons.size() >= 3);
    for (const QPushButton* b : buttons) {
        QVERIFY2(!b->objectName().isEmpty(), qPrintable(b->text()));
        QVERIFY2(!b->autoDefault(), qPrintable(b->objectName()));
    }
}

QTEST_MAIN(tst_controls)
#include "tst_controls.moc"

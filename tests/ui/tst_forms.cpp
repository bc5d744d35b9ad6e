#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/about/frmAbout.h"
#include "ui/editor/frmMenu.h"
#include "ui/main/frmCalendar.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmRasklad.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class tst_forms : public QObject
{
    Q_OBJECT

private slots:
    void windowsAreMadeOnceOnFirstUse();
    void openFromDisablesTheOpenerUntilCloseBackTo();
    void mainWindowOpensEachWindowDisabled_data();
    void mainWindowOpensEachWindowDisabled();
    void hiddenWindowsKeepTheirState();
};

void tst_forms::windowsAreMadeOnceOnFirstUse()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    QVERIFY(!forms.hasMenu());
    QVERIFY(!forms.hasRasklad());
    frmMenu* first = &forms.Menu();
    QVERIFY(forms.hasMenu());
    QCOMPARE(&forms.Menu(), first);
    QCOMPARE(&forms.MainForm(), &forms.MainForm());
    // The first window does not start the trip a second time.
    QCOMPARE(g.objMenuList.size(), qint16(1));
}

void tst_forms::openFromDisablesTheOpenerUntilCloseBackTo()
{
    QWidget opener;
    QWidget window;
    opener.show();
    Forms::openFrom(opener, window);
    QVERIFY(!opener.isEnabled());
    QVERIFY(window.isVisible());
    Forms::closeBackTo(window, opener);
    QVERIFY(opener.isEnabled());
    QVERIFY(!window.isVisible());
}

void tst_forms::mainWindowOpensEachWindowDisabled_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");

    QTest::newRow("ration") << "cmdMenu"
                            << "frmMenu";
    QTest::newRow("start date") << "cmdDataBegin"
                                << "frmCalendar";
    QTest::newRow("end date") << "cmdDataEnd"
                              << "frmCalendar";
    QTest::newRow("layout") << "cmdRaklad"
                            << "frmRasklad";
    QTest::newRow("about") << "mnuAbout"
                           << "frmAbout";
}

void tst_forms::mainWindowOpensEachWindowDisabled()
{
    QFETCH(QString, command);
    QFETCH(QString, window);

    MessageBox::Recorder messages;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& main = forms.MainForm();
    main.show();
    // A trip the layout accepts.
    g.dtDataBegin = QDate(2002, 7, 1);
    g.dtDataEnd = QDate(2002, 7, 3);
    g.intCountPeople = 4;
    g.intCountSmena = 2;

    if (auto* button = main.findChild<QPushButton*>(command)) {
        button->click();
    } else {
        auto* action = main.findChild<QAction*>(command);
        QVERIFY(action);
        action->trigger();
    }
    QCOMPARE(messages.count(), 0);
    QVERIFY(!main.isEnabled());

    QWidget* opened = nullptr;
    if (window == "frmMenu")
        opened = &forms.Menu();
    else if (window == "frmCalendar")
        opened = &forms.Calendar();
    else if (window == "frmRasklad")
        opened = &forms.Rasklad();
    else
        opened = &forms.About();
    QVERIFY(opened->isVisible());

    Forms::closeBackTo(*opened, main);
    QVERIFY(main.isEnabled());
}

void tst_forms::hiddenWindowsKeepTheirState()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& main = forms.MainForm();
    main.show();
    frmCalendar& calendar = forms.Calendar();
    calendar.SetDate(QDate(2002, 7, 13));
    main.findChild<QPushButton*>("cmdDataBegin")->click();
    calendar.reject();
    QPointer<frmCalendar> same(&calendar);
    main.findChild<QPushButton*>("cmdDataEnd")->click();
    QVERIFY(same);
    QCOMPARE(&forms.Calendar(), same.data());
    // The end date field is empty, so the dialog keeps the date it showed last.
    QCOMPARE(forms.Calendar().Date(), QDate(2002, 7, 13));
}

QTEST_MAIN(tst_forms)
#include "tst_forms.moc"

#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/main/frmCalendar.h"
#include "ui/main/frmMainForm.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

struct Session
{
    GlobalVariable g;
    std::unique_ptr<Forms> forms;
    frmMainForm* w = nullptr;

    Session()
    {
        InitGlobalVariable(g);
        forms = std::make_unique<Forms>(g);
        w = &forms->MainForm();
        w->show();
    }
    void click(const char* name) const { w->findChild<QPushButton*>(QLatin1String(name))->click(); }
    frmCalendar& calendar() const { return forms->Calendar(); }
    void pick(const QDate& dt) const
    {
        calendar().findChild<QCalendarWidget*>("Calendar")->setSelectedDate(dt);
        calendar().findChild<QPushButton*>("cmdOK")->click();
    }
    QString text(const char* name) const { return w->findChild<QLineEdit*>(QLatin1String(name))->text(); }
};

} // namespace

class tst_calendar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void controls();
    void startDateOnEmptyFieldIsToday();
    void fieldDateIsShown_data();
    void fieldDateIsShown();
    void endBeforeStartIsRefusedButKept();
    void otherButtonWhileOpenSetsTheOtherDate();
    void closingByTheFrame();
};

void tst_calendar::init()
{
    MessageBox::setTestMode(true);
    MessageBox::clear();
}

void tst_calendar::controls()
{
    Session s;
    frmCalendar& cal = s.calendar();
    QCOMPARE(cal.windowTitle(), QString("Календарь"));
    auto* ok = cal.findChild<QPushButton*>("cmdOK");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QString("OK"));
    QCOMPARE(ok->toolTip(), QString("Установить дату"));
    QVERIFY(cal.findChild<QWidget*>("StatusBar"));
    QCOMPARE(cal.findChild<QCalendarWidget*>("Calendar")->selectedDate(), QDate::currentDate());
    QVERIFY(!cal.isModal());
}

void tst_calendar::startDateOnEmptyFieldIsToday()
{
    MessageBox::Recorder messages;
    Session s;
    s.click("cmdDataBegin");
    QVERIFY(s.calendar().isVisible());
    QVERIFY(!s.w->isEnabled());
    QVERIFY(s.g.blnDataBegin);
    QVERIFY(!s.g.blnDataEnd);
    QCOMPARE(s.calendar().Status(), QString("Дата начала похода"));
    QCOMPARE(s.calendar().Date(), QDate::currentDate());

    s.calendar().cmdOK_Click();
    QCOMPARE(messages.count(), 0);
    QCOMPARE(s.g.dtDataBegin, QDate::currentDate());
    QCOMPARE(s.text("txtDataBegin"), QDate::currentDate().toString("dd.MM.yyyy"));
    QCOMPARE(s.g.dtDataEnd, QDate(9999, 1, 1));
    QVERIFY(s.text("txtDataEnd").isEmpty());
    QVERIFY(!s.g.blnDataBegin);
    QVERIFY(!s.g.blnDataEnd);
    QVERIFY(!s.calendar().isVisible());
    QVERIFY(s.w->isEnabled());
}

void tst_calendar::fieldDateIsShown_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("status");

    QTest::newRow("start") << "cmdDataBegin"
                           << "txtDataBegin"
                           << "Дата начала похода";
    QTest::newRow("end") << "cmdDataEnd"
                         << "txtDataEnd"
                         << "Дата окончания похода";
}

void tst_calendar::fieldDateIsShown()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, status);

    Session s;
    s.w->findChild<QLineEdit*>(field)->setText("13.07.2002");
    s.click(button.toLatin1().constData());
    QCOMPARE(s.calendar().Date(), QDate(2002, 7, 13));
    QCOMPARE(s.calendar().Status(), status);
    s.pick(QDate(2002, 7, 20));
    QCOMPARE(s.text(field.toLatin1().constData()), QString("20.07.2002"));
    QCOMPARE(field == "txtDataBegin" ? s.g.dtDataBegin : s.g.dtDataEnd, QDate(2002, 7, 20));
}

void tst_calendar::endBeforeStartIsRefusedButKept()
{
    MessageBox::Recorder messages;
    Session s;
    s.click("cmdDataBegin");
    s.pick(QDate(2002, 7, 10));
    QVERIFY(!s.calendar().isVisible());

    s.click("cmdDataEnd");
    s.pick(QDate(2002, 7, 5));
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, QString("Некорректные даты проведения похода"));
    QCOMPARE(messages.last().caption, QString("Error!"));
    QVERIFY(s.calendar().isVisible());
    QVERIFY(s.g.blnDataEnd);
    // The date stays in the trip and the field; the main window is usable to mend it.
    QCOMPARE(s.g.dtDataEnd, QDate(2002, 7, 5));
    QCOMPARE(s.text("txtDataEnd"), QString("05.07.2002"));
    QVERIFY(s.w->isEnabled());

    s.pick(QDate(2002, 7, 12));
    QCOMPARE(messages.count(), 1);
    QVERIFY(!s.calendar().isVisible());
    QVERIFY(!s.g.blnDataBegin && !s.g.blnDataEnd);
    QCOMPARE(s.g.dtDataEnd, QDate(2002, 7, 12));
}

void tst_calendar::otherButtonWhileOpenSetsTheOtherDate()
{
    MessageBox::Recorder messages;
    Session s;
    s.click("cmdDataBegin");
    s.pick(QDate(2002, 7, 10));
    s.click("cmdDataEnd");
    s.pick(QDate(2002, 7, 1)); // refused, the dialog stays
    // The start date button, pressed while the dialog is still open, takes it over:
    // the next date goes into the start date alone.
    s.click("cmdDataBegin");
    QVERIFY(s.g.blnDataBegin);
    QVERIFY(!s.g.blnDataEnd);
    QCOMPARE(s.calendar().Status(), QString("Дата начала похода"));
    s.pick(QDate(2002, 6, 25));
    QCOMPARE(s.g.dtDataBegin, QDate(2002, 6, 25));
    QCOMPARE(s.g.dtDataEnd, QDate(2002, 7, 1));
    QCOMPARE(s.text("txtDataEnd"), QString("01.07.2002"));
    QVERIFY(!s.calendar().isVisible());
}

void tst_calendar::closingByTheFrame()
{
    Session s;
    s.click("cmdDataEnd");
    QVERIFY(!s.w->isEnabled());
    QVERIFY(s.calendar().close());
    QVERIFY(!s.calendar().isVisible());
    QVERIFY(s.w->isEnabled());
    QVERIFY(!s.g.blnDataBegin && !s.g.blnDataEnd);
    QCOMPARE(s.g.dtDataEnd, QDate(9999, 1, 1));
    QVERIFY(s.text("txtDataEnd").isEmpty());

    // Escape does the same.
    s.click("cmdDataBegin");
    QTest::keyClick(&s.calendar(), Qt::Key_Escape);
    QVERIFY(!s.calendar().isVisible());
    QVERIFY(s.w->isEnabled());
    QVERIFY(!s.g.blnDataBegin);
}

QTEST_MAIN(tst_calendar)
#include "tst_calendar.moc"

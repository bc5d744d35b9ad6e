#include "model/GlobalVariable.h"
#include "model/RuDate.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/UpDown.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmRasklad.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Key presses for any text: QTest::keyClicks knows ASCII only.
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// One run of the program: the trip state, its windows and the main window on screen.
struct Session
{
    GlobalVariable g;
    std::unique_ptr<Forms> forms;
    frmMainForm* w = nullptr;
    bool active = false;

    Session()
    {
        InitGlobalVariable(g);
        forms = std::make_unique<Forms>(g);
        w = &forms->MainForm();
        w->show();
        w->activateWindow();
        // Focus moves, and so the fields' checks, need the window active.
        active = QTest::qWaitForWindowActive(w);
    }

    template <typename T>
    T* child(const char* name) const
    {
        return w->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* field(const char* name) const { return child<QLineEdit>(name); }
    UpDown* upd(const char* name) const { return child<UpDown>(name); }

    // Types into a field as the user does, replacing what it held.
    void type(const char* name, const QString& text) const
    {
        QLineEdit* f = field(name);
        f->setFocus();
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Delete);
        typeText(f, text);
    }
    // Moves the focus somewhere harmless, which makes the field lose it.
    void leave() const
    {
        child<QPlainTextEdit>("rtbDeffine")->setFocus();
        QCoreApplication::processEvents();
    }
    void typeAndLeave(const char* name, const QString& text) const
    {
        type(name, text);
        leave();
    }
    QAction* action(const char* name) const { return child<QAction>(name); }
    // Opens the File menu as a click on it does, so that it updates its items.
    void openFileMenu() const
    {
        auto* menu = child<QMenu>("menuMainFile");
        emit menu->aboutToShow();
    }
    // A trip the layout accepts.
    void validTrip()
    {
        typeAndLeave("txtDataBegin", "01.07.2002");
        typeAndLeave("txtDataEnd", "10.07.2002");
        typeAndLeave("txtCountPeople", "8");
    }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class tst_mainform : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void startUpState();
    void captionsAndTooltips_data();
    void captionsAndTooltips();

    void participantsField_data();
    void participantsField();
    void shiftsField_data();
    void shiftsField();
    void dateField_data();
    void dateField();
    void refusedFieldChecksNothingElse();
    void defaultShifts_data();
    void defaultShifts();
    void shiftSpinnerWritesTheTrip();
    void descriptionFollowsTheBox();

    void testOption_data();
    void testOption();
    void layoutBuildsAndMarksChanged();
    void fortyParticipantsAcceptedButNoLayout();

    void saveItemEnabledOnlyWithAFile();
    void saveAsWritesAndShowsTheFile();
    void cancelledDialogsDoNothing();
    void saveFailureKeepsEverything();
    void openReadsTheTrip();
    void openFailureChangesNothing();
    void openFarApartDatesKeepsTheFields();
    void openAsksToSaveFirst_data();
    void openAsksToSaveFirst();
    void pendingFieldIsTakenBeforeSaving();

    void exitAsksWhenChanged_data();
    void exitAsksWhenChanged();
    void frameCloseAsksAndCanStay();
    void rationMarksChanged();
    void helpOpensTheGuide();
};

void tst_mainform::init()
{
    MessageBox::setTestMode(true);
    MessageBox::clear();
    FileDialog::setTestMode(true);
    FileDialog::clear();
}

void tst_mainform::startUpState()
{
    Session s;
    QCOMPARE(s.w->windowTitle(), QString("Торбел 3.1"));
    for (const char* name : {"txtDataBegin", "txtDataEnd", "txtCountPeople", "txtSmena"}) {
        QVERIFY2(s.field(name), name);
        QVERIFY2(s.field(name)->text().isEmpty(), name);
    }
    QVERIFY(s.child<QPlainTextEdit>("rtbDeffine")->toPlainText().isEmpty());
    QCOMPARE(s.upd("UpDownPeople")->value(), 1);
    QCOMPARE(s.upd("UpDownPeople")->minimum(), 1);
    QCOMPARE(s.upd("UpDownPeople")->maximum(), 50);
    QCOMPARE(s.upd("UpDownSmena")->value(), 1);
    QCOMPARE(s.upd("UpDownSmena")->maximum(), 25);

    QCOMPARE(s.g.intCountPeople, qint16(0));
    QCOMPARE(s.g.intCountSmena, qint16(0));
    QCOMPARE(s.g.intPeriod, qint16(1));
    QCOMPARE(s.g.objMenuList.size(), qint16(1));
    QCOMPARE(s.g.dtDataBegin, QDate(1900, 1, 1));
    QCOMPARE(s.g.dtDataEnd, QDate(9999, 1, 1));
    QVERIFY(!s.g.blnChanged);
    QVERIFY(s.g.strFileName.isEmpty());

    QCOMPARE(s.w->StatusPanelTexts(), QStringList({"Новая раскладка", "Файл:"}));
    QVERIFY(s.w->statusBar()->objectName() == "StatusBarMain");
}

void tst_mainform::captionsAndTooltips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("Label1") << "Label1"
                            << "Поход с"
                            << "";
    QTest::newRow("Label2") << "Label2"
                            << "по"
                            << "";
    QTest::newRow("Label3") << "Label3"
                            << "Количество участников"
                            << "";
    QTest::newRow("Label4") << "Label4"
                            << "Число дежурных смен"
                            << "";
    QTest::newRow("Label5") << "Label5"
                            << "Описание:"
                            << "";
    QTest::newRow("cmdDataBegin") << "cmdDataBegin"
                                  << "..."
                                  << "Дата начала похода";
    QTest::newRow("cmdDataEnd") << "cmdDataEnd"
                                << "..."
                                << "Дата завершеня похода";
    QTest::newRow("cmdMenu") << "cmdMenu"
                             << "&Рацион"
                             << "Составление меню";
    QTest::newRow("cmdRaklad") << "cmdRaklad"
                               << "Раск&ладка"
                               << "Раскладка";
    QTest::newRow("cmdClose") << "cmdClose"
                              << "&Выход"
                              << "Завершить работу";
    QTest::newRow("rtbDeffine") << "rtbDeffine"
                                << ""
                                << "Описание раскладки";
    QTest::newRow("menuMainFile") << "menuMainFile"
                                  << "&Файл"
                                  << "";
    QTest::newRow("menuMainFileOpen") << "menuMainFileOpen"
                                      << "&Открыть..."
                                      << "";
    QTest::newRow("menuMainFileSave") << "menuMainFileSave"
                                      << "&Сохранить"
                                      << "";
    QTest::newRow("menuMainFileSaveAs") << "menuMainFileSaveAs"
                                        << "Сохранить &как..."
                                        << "";
    QTest::newRow("mnuHelp") << "mnuHelp"
                             << "Помо&щь"
                             << "";
    QTest::newRow("mnuHelpWindow") << "mnuHelpWindow"
                                   << "Помо&щь"
                                   << "";
    QTest::newRow("mnuAbout") << "mnuAbout"
                              << "О &программе"
                              << "";
}

void tst_mainform::captionsAndTooltips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);

    Session s;
    QObject* o = s.w->findChild<QObject*>(name);
    QVERIFY(o);
    QString text;
    if (auto* l = qobject_cast<QLabel*>(o))
        text = l->text();
    else if (auto* b = qobject_cast<QPushButton*>(o))
        text = b->text();
    else if (auto* a = qobject_cast<QAction*>(o))
        text = a->text();
    else if (auto* m = qobject_cast<QMenu*>(o))
        text = m->title();
    QCOMPARE(text, caption);
    if (!tooltip.isEmpty())
        QCOMPARE(qobject_cast<QWidget*>(o)->toolTip(), tooltip);
}

void tst_mainform::participantsField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("people"); // 0: refused
    QTest::addColumn<int>("smena");

    // Halves round to the even neighbour.
    QTest::newRow("seven and a half") << "7.5" << 8 << 4;
    QTest::newRow("six and a half") << "6.5" << 6 << 3;
    QTest::newRow("decimal comma") << "7,5" << 8 << 4;
    QTest::newRow("blanks around") << " 12 " << 12 << 6;
    QTest::newRow("forty") << "40" << 40 << 20;
    QTest::newRow("upper limit") << "50" << 50 << 25;
    QTest::newRow("just under the limit") << "50.4" << 50 << 25;
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("not a number") << "abc" << 0 << 0;
    QTest::newRow("number and more") << "5abc" << 0 << 0;
    QTest::newRow("zero") << "0" << 0 << 0;
    QTest::newRow("negative") << "-3" << 0 << 0;
    QTest::newRow("fifty-one") << "51" << 0 << 0;
    // Accepted by the bounds, yet rounds to a count no spinner can hold.
    QTest::newRow("rounds to zero") << "0.4" << 0 << 0;
    QTest::newRow("rounds to fifty-one") << "50.6" << 0 << 0;
}

void tst_mainform::participantsField()
{
    QFETCH(QString, typed);
    QFETCH(int, people);
    QFETCH(int, smena);

    MessageBox::Recorder messages;
    Session s;
    s.typeAndLeave("txtCountPeople", typed);
    QLineEdit* f = s.field("txtCountPeople");
    if (people == 0) {
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().text, QString("Некорректное выражение!"));
        QCOMPARE(messages.last().caption, QString("Error"));
        QCOMPARE(messages.last().buttons, MessageBox::OkOnly);
        QVERIFY(f->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f);
        QCOMPARE(s.g.intCountPeople, qint16(0));
        QCOMPARE(s.upd("UpDownPeople")->value(), 1);
    } else {
        QCOMPARE(messages.count(), 0);
        QCOMPARE(s.g.intCountPeople, qint16(people));
        QCOMPARE(f->text(), QString::number(people));
        QCOMPARE(s.upd("UpDownPeople")->value(), people);
        QCOMPARE(s.g.intCountSmena, qint16(smena));
        QCOMPARE(s.field("txtSmena")->text(), QString::number(smena));
        QVERIFY(s.g.blnChanged);
    }
}

void tst_mainform::shiftsField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("smena"); // 0: refused

    QTest::newRow("three") << "3" << 3;
    QTest::newRow("upper limit") << "25" << 25;
    QTest::newRow("half rounds to even") << "2.5" << 2;
    QTest::newRow("twenty-six") << "26" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("zero") << "0" << 0;
}

void tst_mainform::shiftsField()
{
    QFETCH(QString, typed);
    QFETCH(int, smena);

    MessageBox::Recorder messages;
    Session s;
    s.typeAndLeave("txtCountPeople", "30");
    QCOMPARE(s.g.intCountSmena, qint16(15));
    s.typeAndLeave("txtSmena", typed);
    if (smena == 0) {
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().text, QString("Некорректное выражение!"));
        QVERIFY(s.field("txtSmena")->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), s.field("txtSmena"));
        QCOMPARE(s.g.intCountSmena, qint16(15));
    } else {
        QCOMPARE(messages.count(), 0);
        QCOMPARE(s.g.intCountSmena, qint16(smena));
        QCOMPARE(s.upd("UpDownSmena")->value(), smena);
        QCOMPARE(s.field("txtSmena")->text(), QString::number(smena));
    }
    // The shift count never moves the participants.
    QCOMPARE(s.g.intCountPeople, qint16(30));
}

void tst_mainform::dateField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("stored"); // invalid: refused
    QTest::addColumn<QString>("shown");

    QTest::newRow("start") << "txtDataBegin"
                           << "01.07.2002" << QDate(2002, 7, 1) << "01.07.2002";
    QTest::newRow("end") << "txtDataEnd"
                         << "20.08.2002" << QDate(2002, 8, 20) << "20.08.2002";
    QTest::newRow("short form shown full") << "txtDataBegin"
                                           << "1.7.02" << QDate(2002, 7, 1) << "01.07.2002";
    QTest::newRow("no such day") << "txtDataBegin"
                                 << "31.02.2002" << QDate() << "";
    QTest::newRow("words") << "txtDataEnd"
                           << "завтра" << QDate() << "";
}

void tst_mainform::dateField()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QDate, stored);
    QFETCH(QString, shown);

    MessageBox::Recorder messages;
    Session s;
    const QByteArray n = name.toLatin1();
    s.typeAndLeave(n.constData(), typed);
    QCOMPARE(s.field(n.constData())->text(), shown);
    const QDate& dt = name == "txtDataBegin" ? s.g.dtDataBegin : s.g.dtDataEnd;
    if (stored.isValid()) {
        QCOMPARE(messages.count(), 0);
        QCOMPARE(dt, stored);
    } else {
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().text, QString("Некорректное выражение!"));
        QCOMPARE(messages.last().caption, QString("Error"));
        QCOMPARE(QApplication::focusWidget(), s.field(n.constData()));
        QCOMPARE(dt, name == "txtDataBegin" ? QDate(1900, 1, 1) : QDate(9999, 1, 1));
    }

    // Leaving an empty date field changes nothing and says nothing.
    messages.clear();
    s.typeAndLeave(n.constData(), "");
    QCOMPARE(messages.count(), 0);
    QCOMPARE(dt, stored.isValid() ? stored : dt);
}

void tst_mainform::refusedFieldChecksNothingElse()
{
    MessageBox::Recorder messages;
    Session s;
    // Tabbing from a refused field into an empty one must not start a chain of messages.
    s.type("txtCountPeople", "x");
    QTest::keyClick(s.field("txtCountPeople"), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(messages.count(), 1);
    QCOMPARE(QApplication::focusWidget(), s.field("txtCountPeople"));
    QCOMPARE(s.g.intCountSmena, qint16(0));

    // The click that leaves a refused field does not act on it.
    QCoreApplication::processEvents();
    s.type("txtCountPeople", "x");
    QTest::mouseClick(s.child<QPushButton>("cmdRaklad"), Qt::LeftButton);
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.last().text, QString("Некорректное выражение!"));
    // Once it has passed, the next click works.
    QCoreApplication::processEvents();
    s.type("txtCountPeople", "4");
    QTest::mouseClick(s.child<QPushButton>("cmdRaklad"), Qt::LeftButton);
    QCOMPARE(s.g.intCountPeople, qint16(4));
    QCOMPARE(messages.count(), 3);
    QCOMPARE(messages.last().text, QString("Некорректные даты проведения похода!"));
}

void tst_mainform::defaultShifts_data()
{
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("smena");

    const int expected[] = {1, 1, 2, 2, 2, 3, 4, 4, 4, 5, 6, 6};
    for (int n = 1; n <= 12; ++n)
        QTest::addRow("%d", n) << n << expected[n - 1];
    QTest::newRow("49") << 49 << 24;
    QTest::newRow("50") << 50 << 25;
}

void tst_mainform::defaultShifts()
{
    QFETCH(int, people);
    QFETCH(int, smena);

    Session s;
    UpDown* upd = s.upd("UpDownPeople");
    // Reach the value by the arrows, as the user does.
    for (int i = 1; i < people; ++i)
        upd->stepUp();
    if (people == 1) {
        upd->stepUp();
        upd->stepDown();
    }
    QCOMPARE(upd->value(), people);
    QCOMPARE(s.field("txtCountPeople")->text(), QString::number(people));
    QCOMPARE(s.g.intCountPeople, qint16(people));
    QCOMPARE(s.g.intCountSmena, qint16(smena));
    QCOMPARE(s.field("txtSmena")->text(), QString::number(smena));
    QCOMPARE(s.upd("UpDownSmena")->value(), smena);
}

void tst_mainform::shiftSpinnerWritesTheTrip()
{
    Session s;
    s.typeAndLeave("txtCountPeople", "10");
    QCOMPARE(s.g.intCountSmena, qint16(5));
    s.upd("UpDownSmena")->stepUp();
    QCOMPARE(s.g.intCountSmena, qint16(6));
    QCOMPARE(s.field("txtSmena")->text(), QString("6"));
    QCOMPARE(s.g.intCountPeople, qint16(10));
}

void tst_mainform::descriptionFollowsTheBox()
{
    Session s;
    auto* box = s.child<QPlainTextEdit>("rtbDeffine");
    box->setFocus();
    typeText(box, "Карелия");
    QTest::keyClick(box, Qt::Key_Return);
    typeText(box, "август");
    QCOMPARE(s.g.strDeffine, QString("Карелия\nавгуст"));
    QVERIFY(s.g.blnChanged);
}

void tst_mainform::testOption_data()
{
    QTest::addColumn<QDate>("begin");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("smena");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("days");

    const QDate jul1(2002, 7, 1);
    const QString badDates = "Некорректные даты проведения похода!";
    const QString badData = "Некорректные данные!";
    QTest::newRow("50 days apart") << jul1 << QDate(2002, 8, 20) << 4 << 2 << ""
                                   << "" << 51;
    QTest::newRow("51 days apart") << jul1 << QDate(2002, 8, 21) << 4 << 2 << badDates << "txtDataBegin" << 0;
    QTest::newRow("one day") << jul1 << jul1 << 1 << 1 << ""
                             << "" << 1;
    QTest::newRow("end before start") << jul1 << QDate(2002, 6, 30) << 4 << 2 << badDates << "txtDataBegin" << 0;
    QTest::newRow("start-up dates") << QDate(1900, 1, 1) << QDate(9999, 1, 1) << 4 << 2 << badDates << "txtDataBegin"
                                    << 0;
    QTest::newRow("no participants") << jul1 << jul1 << 0 << 2 << badData << "txtCountPeople" << 0;
    QTest::newRow("thirty") << jul1 << jul1 << 30 << 2 << ""
                            << "" << 1;
    QTest::newRow("thirty-one") << jul1 << jul1 << 31 << 2 << badData << "txtCountPeople" << 0;
    QTest::newRow("no shifts") << jul1 << jul1 << 4 << 0 << badData << "txtSmena" << 0;
    QTest::newRow("dates checked first") << jul1 << QDate(2002, 9, 1) << 0 << 0 << badDates << "txtDataBegin" << 0;
}

void tst_mainform::testOption()
{
    QFETCH(QDate, begin);
    QFETCH(QDate, end);
    QFETCH(int, people);
    QFETCH(int, smena);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(int, days);

    MessageBox::Recorder messages;
    Session s;
    s.g.dtDataBegin = begin;
    s.g.dtDataEnd = end;
    s.g.intCountPeople = qint16(people);
    s.g.intCountSmena = qint16(smena);
    s.child<QPushButton>("cmdClose")->setFocus();

    const bool ok = s.w->TestOption();
    QCOMPARE(ok, message.isEmpty());
    if (ok) {
        QCOMPARE(messages.count(), 0);
        QCOMPARE(s.g.intCountDay, qint16(days));
    } else {
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().text, message);
        QCOMPARE(messages.last().caption, QString("Неверный формат данных"));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(s.g.intCountDay, qint16(0));
    }
}

void tst_mainform::layoutBuildsAndMarksChanged()
{
    MessageBox::Recorder messages;
    Session s;
    // Before any dates are entered the layout refuses.
    s.child<QPushButton>("cmdRaklad")->click();
    QCOMPARE(messages.last().text, QString("Некорректные даты проведения похода!"));
    QVERIFY(!s.g.blnChanged);
    QVERIFY(!s.forms->hasRasklad());

    s.validTrip();
    s.g.blnChanged = false;
    messages.clear();
    s.g.objMenuList.AddMenu();
    s.g.intPeriod = 2;
    s.child<QPushButton>("cmdRaklad")->click();
    QCOMPARE(messages.count(), 0);
    QCOMPARE(s.g.intCountDay, qint16(10));
    QCOMPARE(s.g.objRasklad.CountDay(), qint16(10));
    QCOMPARE(s.g.objRasklad.GetMenu(3), qint16(1));
    QCOMPARE(s.g.objRasklad.GetMenu(4), qint16(2));
    QVERIFY(s.g.blnChanged);
    QVERIFY(s.forms->Rasklad().isVisible());
    QVERIFY(!s.w->isEnabled());
}

void tst_mainform::fortyParticipantsAcceptedButNoLayout()
{
    MessageBox::Recorder messages;
    Session s;
    s.typeAndLeave("txtDataBegin", "01.07.2002");
    s.typeAndLeave("txtDataEnd", "05.07.2002");
    s.typeAndLeave("txtCountPeople", "40");
    QCOMPARE(messages.count(), 0);
    QCOMPARE(s.g.intCountSmena, qint16(20));
    QTest::mouseClick(s.child<QPushButton>("cmdRaklad"), Qt::LeftButton);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, QString("Некорректные данные!"));
    QCOMPARE(QApplication::focusWidget(), s.field("txtCountPeople"));
    QVERIFY(s.w->isEnabled());
}

void tst_mainform::saveItemEnabledOnlyWithAFile()
{
    QTemporaryDir dir;
    Session s;
    s.openFileMenu();
    QVERIFY(!s.action("menuMainFileSave")->isEnabled());

    FileDialog::setNextFileName(dir.filePath("a.trb"));
    s.action("menuMainFileSaveAs")->trigger();
    s.openFileMenu();
    QVERIFY(s.action("menuMainFileSave")->isEnabled());
}

void tst_mainform::saveAsWritesAndShowsTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("поход.trb");
    FileDialog::Recorder dialogs;
    MessageBox::Recorder messages;
    Session s;
    s.validTrip();
    QVERIFY(s.g.blnChanged);

    dialogs.setNextFileName(path);
    s.action("menuMainFileSaveAs")->trigger();
    QCOMPARE(dialogs.count(), 1);
    QCOMPARE(dialogs.last().kind, FileDialog::Save);
    QCOMPARE(dialogs.last().title, QString("Сохранить как ..."));
    QCOMPARE(dialogs.last().filter, FileDialog::toQtFilter("Раскладка (*.trb) |*.trb|Все файлы | *.*"));
    QCOMPARE(messages.count(), 0);
    QCOMPARE(s.g.strFileName, path);
    QVERIFY(!s.g.blnChanged);
    QCOMPARE(s.w->StatusPanelTexts(), QStringList("Файл: " + path));
    QCOMPARE(s.w->statusBar()->toolTip(), "Файл: " + path);

    // What was written is the trip on screen.
    GlobalVariable back;
    InitGlobalVariable(back);
    QString error;
    QVERIFY2(TripFile::load(back, path, error), qPrintable(error));
    QCOMPARE(back.dtDataBegin, QDate(2002, 7, 1));
    QCOMPARE(back.intCountPeople, qint16(8));
    QCOMPARE(back.intCountSmena, qint16(4));

    // "&Сохранить" writes to the same file, and the status bar keeps one panel.
    s.typeAndLeave("txtCountPeople", "6");
    s.action("menuMainFileSave")->trigger();
    QCOMPARE(dialogs.count(), 1);
    QVERIFY(TripFile::load(back, path, error));
    QCOMPARE(back.intCountPeople, qint16(6));
    QCOMPARE(s.w->StatusPanelTexts().size(), 1);
}

void tst_mainform::cancelledDialogsDoNothing()
{
    FileDialog::Recorder dialogs;
    MessageBox::Recorder messages;
    Session s;
    s.g.blnChanged = true;
    s.action("menuMainFileSaveAs")->trigger();
    s.g.blnChanged = false;
    s.action("menuMainFileOpen")->trigger();
    QCOMPARE(dialogs.count(), 2);
    QCOMPARE(dialogs.last().kind, FileDialog::Open);
    QCOMPARE(dialogs.last().title, QString("Открыть файл"));
    QCOMPARE(messages.count(), 0);
    QVERIFY(s.g.strFileName.isEmpty());
    QCOMPARE(s.w->StatusPanelTexts(), QStringList({"Новая раскладка", "Файл:"}));
}

void tst_mainform::saveFailureKeepsEverything()
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.trb");
    const QString bad = dir.filePath("no such folder/trip.trb");
    MessageBox::Recorder messages;
    Session s;
    s.validTrip();
    FileDialog::setNextFileName(good);
    s.action("menuMainFileSaveAs")->trigger();
    const QByteArray saved = fileBytes(good);
    QVERIFY(!saved.isEmpty());

    s.typeAndLeave("txtCountPeople", "5");
    QVERIFY(s.g.blnChanged);
    FileDialog::setNextFileName(bad);
    s.action("menuMainFileSaveAs")->trigger();
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, "Ошибка записи файла  " + bad + "!");
    QCOMPARE(messages.last().caption, QString("Ошибка!"));
    QVERIFY(s.g.blnChanged);
    // The trip still belongs to the file it came from.
    QCOMPARE(s.g.strFileName, good);
    QCOMPARE(s.w->StatusPanelTexts(), QStringList("Файл: " + good));

    // A file that cannot be replaced keeps its old contents.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    s.action("menuMainFileSave")->trigger();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (messages.count() == 2) { // root may write anywhere
        QCOMPARE(messages.last().text, "Ошибка записи файла  " + good + "!");
        QVERIFY(s.g.blnChanged);
        QCOMPARE(fileBytes(good), saved);
    }
}

void tst_mainform::openReadsTheTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("trip.trb");
    {
        Session other;
        other.validTrip();
        auto* box = other.child<QPlainTextEdit>("rtbDeffine");
        box->setPlainText("Карелия");
        other.g.objCatalog.AddProduct("Гречка", "80", "гр");
        other.g.objMenuList.AddMenu();
        other.g.intPeriod = 2;
        QString error;
        QVERIFY2(TripFile::save(other.g, path, error), qPrintable(error));
    }

    FileDialog::Recorder dialogs;
    MessageBox::Recorder messages;
    Session s;
    dialogs.setNextFileName(path);
    s.action("menuMainFileOpen")->trigger();
    QCOMPARE(messages.count(), 0);
    QCOMPARE(s.g.strFileName, path);
    QCOMPARE(s.g.intCountPeople, qint16(8));
    QCOMPARE(s.g.intPeriod, qint16(2));
    QCOMPARE(s.g.objMenuList.size(), qint16(2));
    QCOMPARE(s.g.objCatalog.size(), 1);
    QCOMPARE(s.field("txtDataBegin")->text(), QString("01.07.2002"));
    QCOMPARE(s.field("txtDataEnd")->text(), QString("10.07.2002"));
    QCOMPARE(s.field("txtCountPeople")->text(), QString("8"));
    QCOMPARE(s.field("txtSmena")->text(), QString("4"));
    QCOMPARE(s.child<QPlainTextEdit>("rtbDeffine")->toPlainText(), QString("Карелия"));
    QCOMPARE(s.upd("UpDownPeople")->value(), 8);
    QCOMPARE(s.w->StatusPanelTexts(), QStringList("Файл: " + path));
    // Loading is no change of the trip.
    QVERIFY(!s.g.blnChanged);
    // Refreshing the fields does not reset the stored shifts to the default.
    s.g.intCountSmena = 3;
    s.w->ReWriteOption();
    QCOMPARE(s.g.intCountSmena, qint16(3));

    // A path on the command line opens the same way.
    Session started;
    QVERIFY(started.w->OpenFile(path));
    QCOMPARE(started.g.intCountPeople, qint16(8));
}

void tst_mainform::openFailureChangesNothing()
{
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.trb");
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Торбел 3.1\r\nЗапись глобальных переменных\r\n\"\",\"Описание раскладки\"\r\n");
    }
    MessageBox::Recorder messages;
    Session s;
    s.validTrip();
    s.g.objCatalog.AddProduct("Чай", "2", "пак");
    s.g.blnChanged = false;

    for (const QString& path : {bad, dir.filePath("missing.trb")}) {
        messages.clear();
        FileDialog::setNextFileName(path);
        s.action("menuMainFileOpen")->trigger();
        QCOMPARE(messages.count(), 1);
        const QString text = messages.last().text;
        QVERIFY2(text.startsWith(QString("Ошибка чтения файла! Возможно неверный формат данных.\n\n")),
                 qPrintable(text));
        // The second paragraph says what was wrong: where the file ends early, or that it is missing.
        QVERIFY2(text.contains(path == bad ? QString("Строка 4:") : QString("Не удалось открыть файл")),
                 qPrintable(text));
        QCOMPARE(messages.last().caption, QString("Ошибка!"));
        QCOMPARE(s.g.intCountPeople, qint16(8));
        QCOMPARE(s.g.objCatalog.size(), 1);
        QCOMPARE(s.g.dtDataBegin, QDate(2002, 7, 1));
        // A later save must not go over the file that failed.
        QVERIFY(s.g.strFileName.isEmpty());
        QCOMPARE(s.w->StatusPanelTexts(), QStringList({"Новая раскладка", "Файл:"}));
    }
    QVERIFY(!s.w->OpenFile(bad));
}

void tst_mainform::openFarApartDatesKeepsTheFields()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("far.trb");
    {
        GlobalVariable other;
        InitGlobalVariable(other);
        other.dtDataBegin = QDate(2002, 7, 1);
        other.dtDataEnd = QDate(2002, 8, 20);
        other.intCountPeople = 12;
        QString error;
        QVERIFY2(TripFile::save(other, path, error), qPrintable(error));
    }
    Session s;
    QVERIFY(s.w->OpenFile(path));
    QCOMPARE(s.g.intCountPeople, qint16(12));
    QCOMPARE(s.g.dtDataEnd, QDate(2002, 8, 20));
    QVERIFY(s.field("txtDataBegin")->text().isEmpty());
    QVERIFY(s.field("txtCountPeople")->text().isEmpty());
}

void tst_mainform::openAsksToSaveFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAsPath"); // "-": none queued (cancel)
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("saved");

    QTest::newRow("no") << int(MessageBox::No) << "" << true << false;
    QTest::newRow("yes, saved as") << int(MessageBox::Yes) << "new.trb" << true << true;
    // The user wanted the work kept: without a save the trip is not replaced.
    QTest::newRow("yes, save as cancelled") << int(MessageBox::Yes) << "-" << false << false;
}

void tst_mainform::openAsksToSaveFirst()
{
    QFETCH(int, answer);
    QFETCH(QString, saveAsPath);
    QFETCH(bool, opened);
    QFETCH(bool, saved);

    QTemporaryDir dir;
    const QString toOpen = dir.filePath("open.trb");
    {
        GlobalVariable other;
        InitGlobalVariable(other);
        other.intCountPeople = 3;
        QString error;
        QVERIFY(TripFile::save(other, toOpen, error));
    }
    MessageBox::Recorder messages;
    FileDialog::Recorder dialogs;
    Session s;
    s.validTrip();
    QVERIFY(s.g.blnChanged);

    messages.setNextAnswer(MessageBox::Button(answer));
    if (saveAsPath == "-")
        dialogs.setNextFileName(QString());
    else if (!saveAsPath.isEmpty())
        dialogs.setNextFileName(dir.filePath(saveAsPath));
    dialogs.setNextFileName(toOpen);
    s.action("menuMainFileOpen")->trigger();

    QCOMPARE(messages.shown().first().text, QString("Сохранить раскладку?"));
    QCOMPARE(messages.shown().first().caption, QString("Торбел 3.1"));
    QCOMPARE(messages.shown().first().buttons, MessageBox::YesNo);
    QCOMPARE(s.g.intCountPeople, qint16(opened ? 3 : 8));
    QCOMPARE(QFile::exists(dir.filePath("new.trb")), saved);
}

void tst_mainform::pendingFieldIsTakenBeforeSaving()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.trb");
    MessageBox::Recorder messages;
    Session s;
    s.validTrip();
    // Typed, still in the field, then saved from the menu, which takes no focus.
    s.type("txtCountPeople", "12");
    FileDialog::setNextFileName(path);
    s.action("menuMainFileSaveAs")->trigger();
    QCOMPARE(s.g.intCountPeople, qint16(12));
    GlobalVariable back;
    InitGlobalVariable(back);
    QString error;
    QVERIFY(TripFile::load(back, path, error));
    QCOMPARE(back.intCountPeople, qint16(12));

    // A refused text stops the save.
    s.g.blnChanged = true;
    s.type("txtCountPeople", "много");
    s.action("menuMainFileSave")->trigger();
    QCOMPARE(messages.last().text, QString("Некорректное выражение!"));
    QVERIFY(s.g.blnChanged);
}

void tst_mainform::exitAsksWhenChanged_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("saved");

    QTest::newRow("unchanged") << false << int(MessageBox::Yes) << 0 << false;
    QTest::newRow("changed, no") << true << int(MessageBox::No) << 1 << false;
    QTest::newRow("changed, yes") << true << int(MessageBox::Yes) << 1 << true;
}

void tst_mainform::exitAsksWhenChanged()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(int, questions);
    QFETCH(bool, saved);

    QTemporaryDir dir;
    const QString path = dir.filePath("exit.trb");
    MessageBox::Recorder messages;
    Session s;
    FileDialog::setNextFileName(path);
    s.g.blnChanged = changed;
    messages.setNextAnswer(MessageBox::Button(answer));
    QTest::mouseClick(s.child<QPushButton>("cmdClose"), Qt::LeftButton);
    QCOMPARE(messages.count(), questions);
    QCOMPARE(QFile::exists(path), saved);
    QVERIFY(!s.w->isVisible());
}

void tst_mainform::frameCloseAsksAndCanStay()
{
    MessageBox::Recorder messages;
    FileDialog::Recorder dialogs;
    Session s;
    s.g.blnChanged = true;
    // Yes, then the save dialog is cancelled: the program stays open.
    messages.setNextAnswer(MessageBox::Yes);
    QVERIFY(!s.w->close());
    QCOMPARE(messages.count(), 1);
    QCOMPARE(dialogs.count(), 1);
    QVERIFY(s.w->isVisible());

    messages.setNextAnswer(MessageBox::No);
    QVERIFY(s.w->close());
    QCOMPARE(messages.count(), 2);
    QVERIFY(!s.w->isVisible());
}

void tst_mainform::rationMarksChanged()
{
    Session s;
    QVERIFY(!s.g.blnChanged);
    s.child<QPushButton>("cmdMenu")->click();
    QVERIFY(s.g.blnChanged);
    QVERIFY(!s.w->isEnabled());
}

void tst_mainform::helpOpensTheGuide()
{
    QTemporaryDir dir;
    const QString guide = dir.filePath("Torbel.html");
    {
        QFile f(guide);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html></html>");
    }
    Help::Recorder help;
    help.setFilePath(guide);
    Session s;
    s.action("mnuHelpWindow")->trigger();
    QCOMPARE(help.shownCount(), 1);
}

QTEST_MAIN(tst_mainform)
#include "tst_mainform.moc"

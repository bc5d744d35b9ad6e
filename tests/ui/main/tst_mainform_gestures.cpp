#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/UpDown.h"
#include "ui/main/frmMainForm.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

// One gesture that leaves a field and starts a command: a refused field stops the whole
// gesture; a spinner arrow takes the typed value before it steps.
namespace {

const QString kBadInput = QStringLiteral("Некорректное выражение!");

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
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qFatal("the main window is not active");
    }

    template <typename T>
    T* child(const char* name) const
    {
        return w->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* field(const char* name) const { return child<QLineEdit>(name); }

    // Focus in the field; with text, typed over what it held.
    void type(const char* name, const QString& text) const
    {
        QLineEdit* f = field(name);
        f->setFocus();
        if (text.isNull())
            return;
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Delete);
        QTest::keyClicks(f, text);
    }
    void arrow(const char* spinner, bool up) const
    {
        auto* b = child<UpDown>(spinner)->findChild<QToolButton*>(up ? QStringLiteral("up") : QStringLiteral("down"));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Windows other than the main one on screen.
    int otherWindows() const
    {
        int n = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            n += top != w && top->isVisible() && !top->inherits("QMenu");
        return n;
    }
};

} // namespace

class tst_mainform_gestures : public QObject
{
    Q_OBJECT

private slots:
    void refusedFieldStopsTheGesture_data();
    void refusedFieldStopsTheGesture();
    void menuBarIsNotLeaving();
    void arrowTakesTheTypedValue_data();
    void arrowTakesTheTypedValue();
    void saveQuestionIgnoresEscape();
};

void tst_mainform_gestures::refusedFieldStopsTheGesture_data()
{
    QTest::addColumn<QString>("text"); // null: the empty field is only entered
    QTest::addColumn<QString>("gesture");

    for (const char* gesture : {"mnemonic", "about from the menu", "arrow"}) {
        QTest::addRow("typed abc, %s", gesture) << "abc" << QString(gesture);
        if (QLatin1String(gesture) != QLatin1String("arrow"))
            QTest::addRow("empty, %s", gesture) << QString() << QString(gesture);
    }
}

void tst_mainform_gestures::refusedFieldStopsTheGesture()
{
    QFETCH(QString, text);
    QFETCH(QString, gesture);

    MessageBox::Recorder messages;
    Session s;
    s.type("txtCountPeople", text);
    auto* cmdMenu = s.child<QPushButton>("cmdMenu");
    if (gesture == "mnemonic") {
        // Alt+Р, the mnemonic of "&Рацион".
        const QKeyCombination key = cmdMenu->shortcut()[0];
        QTest::sendKeyEvent(QTest::Click, s.field("txtCountPeople"), key.key(), QString(QChar(key.key())).toLower(),
                            key.keyboardModifiers());
    } else if (gesture == "about from the menu") {
        s.child<QAction>("mnuAbout")->trigger();
    } else {
        s.arrow("UpDownPeople", true);
    }
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, kBadInput);
    QVERIFY(!cmdMenu->isDown()); // no press is under way
    QTest::qWait(200);           // nor comes later
    QCOMPARE(s.otherWindows(), 0);
    QVERIFY(s.w->isEnabled());
    QCOMPARE(QApplication::focusWidget(), s.field("txtCountPeople"));
    QCOMPARE(s.g.intCountPeople, qint16(0));
    QCOMPARE(s.child<UpDown>("UpDownPeople")->value(), 1);
    QCOMPARE(messages.count(), 1);
}

void tst_mainform_gestures::menuBarIsNotLeaving()
{
    MessageBox::Recorder messages;
    Session s;
    s.type("txtCountPeople", "abc");
    // What Alt alone does: the menu bar takes the keyboard.
    s.w->menuBar()->setFocus(Qt::MenuBarFocusReason);
    QCOMPARE(messages.count(), 0);
    s.field("txtCountPeople")->setFocus(Qt::MenuBarFocusReason);
    QCOMPARE(s.field("txtCountPeople")->text(), QString("abc"));
}

void tst_mainform_gestures::arrowTakesTheTypedValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("smena");

    const auto add = [](const char* name, const char* field, const char* spinner, const char* typed, bool up,
                        int people, int smena) {
        QTest::newRow(name) << QString(field) << QString(spinner) << QString(typed) << up << people << smena;
    };
    // The spinners start at 1, their lower end: the down arrow opens for a typed value.
    add("participants 7, up", "txtCountPeople", "UpDownPeople", "7", true, 8, 4);
    add("participants 7, down", "txtCountPeople", "UpDownPeople", "7", false, 6, 3);
    add("participants 50, down", "txtCountPeople", "UpDownPeople", "50", false, 49, 24);
    add("participants 1, down: taken, no step", "txtCountPeople", "UpDownPeople", "1", false, 1, 0);
    add("shifts 12, up", "txtSmena", "UpDownSmena", "12", true, 0, 13);
}

void tst_mainform_gestures::arrowTakesTheTypedValue()
{
    QFETCH(QString, field);
    QFETCH(QString, spinner);
    QFETCH(QString, typed);
    QFETCH(bool, up);
    QFETCH(int, people);
    QFETCH(int, smena);

    MessageBox::Recorder messages;
    Session s;
    s.type(qPrintable(field), typed);
    s.arrow(qPrintable(spinner), up);
    QCOMPARE(messages.count(), 0);
    QCOMPARE(int(s.g.intCountPeople), people);
    QCOMPARE(int(s.g.intCountSmena), smena);
    const int expected = field == "txtSmena" ? smena : people;
    QCOMPARE(s.field(qPrintable(field))->text(), QString::number(expected));
    QCOMPARE(s.child<UpDown>(qPrintable(spinner))->value(), expected);
}

// Escape at "Сохранить раскладку?" is no answer: the question waits for Yes or No.
void tst_mainform_gestures::saveQuestionIgnoresEscape()
{
    MessageBox::Recorder messages;
    Session s;
    s.g.blnChanged = true;
    messages.setNextAnswer(MessageBox::Escape);
    messages.setNextAnswer(MessageBox::No);
    s.child<QPushButton>("cmdClose")->click();
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, QString("Сохранить раскладку?"));
    QCOMPARE(messages.last().escape, MessageBox::NoButton);
    QCOMPARE(messages.last().answer, MessageBox::No);
    QVERIFY(!s.w->isVisible());
}

QTEST_MAIN(tst_mainform_gestures)
#include "tst_mainform_gestures.moc"

#include "model/Participants.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"
#include "ui/TripUndo.h"
#include "ui/UpDown.h"
#include "ui/editor/EditorHarness.h"
#include "ui/tools/frmCarry.h"
#include "ui/tools/frmNutrition.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>

// Undo and redo as the user reaches them: the Правка menu names the step, and Ctrl+Z,
// Ctrl+Shift+Z and Ctrl+Y work in whichever window of the trip is active.
class tst_tripundo : public QObject
{
    Q_OBJECT

private slots:
    void eachWindowsChange_data();
    void eachWindowsChange();
    void fieldsLeaveUndoToTheTrip();
    void savedStateClearsTheMark();
    void anotherTripClearsTheSteps();
};

struct Action
{
    std::function<QWidget*(EditorHarness&)> act;  // makes the change; returns the window it was made in
    std::function<QString(EditorHarness&)> shown; // what that window shows of the trip
};
Q_DECLARE_METATYPE(Action)

namespace {

void prepare(EditorHarness& h)
{
    h.addProducts({{"Гречка", "80", "гр"}, {"Сахар", "40", "гр"}, {"Чай", "2", "пак"}});
    for (int d = 0; d < 2; ++d)
        h.g.edits.addDay();
    h.g.dtDataBegin = QDate(2024, 7, 1);
    h.g.dtDataEnd = QDate(2024, 7, 10);
    h.g.intCountPeople = 4;
    h.g.intCountSmena = 2;
    h.g.participants = Participants::fitted({}, 4);
    h.forms->MainForm().ReWriteOption();
    h.forms->Undo().stack().clear();
}

void press(QWidget* window, QKeyCombination key)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // As the keyboard does: to the widget with the focus.
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == window ? focus : window, key.key(), key.keyboardModifiers());
}

QWidget* inEditor(EditorHarness& h, const std::function<void()>& act)
{
    frmMenu& m = h.open();
    if (!m.isRationView())
        h.click("cmdChange");
    act();
    return &m;
}

// People and shifts as the main window shows them.
QString countsShown(EditorHarness& h)
{
    frmMainForm& w = h.forms->MainForm();
    return EditorHarness::child<QLineEdit>(w, "txtCountPeople")->text() + u'/' +
           EditorHarness::child<QLineEdit>(w, "txtSmena")->text();
}

QString dayTabs(EditorHarness& h)
{
    return h.tabTexts(h.days()).join(u',');
}

} // namespace

void tst_tripundo::eachWindowsChange_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("undoText");

    QTest::newRow("day deleted") << Action{[](EditorHarness& h) {
                                               return inEditor(h, [&] {
                                                   h.clickTab(h.days(), 1);
                                                   h.boxes.setNextAnswer(MessageBox::Ok);
                                                   h.click("cmdDelDay");
                                               });
                                           },
                                           dayTabs}
                                 << "&Отменить: удаление дня 2";
    QTest::newRow("day added") << Action{[](EditorHarness& h) { return inEditor(h, [&] { h.click("cmdAddDay"); }); },
                                         dayTabs}
                               << "&Отменить: добавление дня 4";
    QTest::newRow("product into a meal") << Action{[](EditorHarness& h) {
                                                       return inEditor(h, [&] {
                                                           h.pick(h.grid("tblCatalog"), 3);
                                                           h.click("cmdAddProduct");
                                                       });
                                                   },
                                                   [](EditorHarness& h) {
                                                       return h.names(h.grid("tblDayMenu")).join(u',');
                                                   }}
                                         << "&Отменить: добавление «Чай» в меню";
    QTest::newRow("product dialog")
        << Action{[](EditorHarness& h) {
                      frmMenu& m = h.open();
                      if (m.isRationView())
                          h.click("cmdChange");
                      h.pick(h.grid("tblProduct"), 1);
                      h.click("cmdRename");
                      frmDialogProduct& d = h.forms->DialogProduct();
                      EditorHarness::child<QLineEdit>(d, "txtName")->setText(QStringLiteral("Ядрица"));
                      d.cmdClose_Click();
                      return static_cast<QWidget*>(&m);
                  },
                  [](EditorHarness& h) { return h.names(h.grid("tblProduct")).join(u','); }}
        << "&Отменить: изменение продукта «Гречка»";
    // A burst of typing is one step.
    QTest::newRow("description typed")
        << Action{[](EditorHarness& h) {
                      frmMainForm& w = h.forms->MainForm();
                      w.show();
                      auto* text = EditorHarness::child<QPlainTextEdit>(w, "rtbDeffine");
                      text->setFocus();
                      EditorHarness::typeText(text, QStringLiteral("Хибины"));
                      return static_cast<QWidget*>(&w);
                  },
                  [](EditorHarness& h) {
                      return EditorHarness::child<QPlainTextEdit>(h.forms->MainForm(), "rtbDeffine")->toPlainText();
                  }}
        << "&Отменить: описание похода";
    QTest::newRow("people typed") << Action{[](EditorHarness& h) {
                                                frmMainForm& w = h.forms->MainForm();
                                                w.show();
                                                w.activateWindow();
                                                if (!QTest::qWaitForWindowActive(&w))
                                                    qFatal("the main window does not become active");
                                                auto* people = EditorHarness::child<QLineEdit>(w, "txtCountPeople");
                                                people->setFocus();
                                                people->selectAll();
                                                EditorHarness::typeText(people, QStringLiteral("12"));
                                                EditorHarness::child<QPlainTextEdit>(w, "rtbDeffine")->setFocus();
                                                return static_cast<QWidget*>(&w);
                                            },
                                            countsShown}
                                  << "&Отменить: число участников";
    // The shifts and the participants follow the count in the same step.
    QTest::newRow("people spinner") << Action{[](EditorHarness& h) {
                                                  frmMainForm& w = h.forms->MainForm();
                                                  w.show();
                                                  EditorHarness::child<UpDown>(w, "UpDownPeople")->setValue(30);
                                                  return static_cast<QWidget*>(&w);
                                              },
                                              countsShown}
                                    << "&Отменить: число участников";
    QTest::newRow("nutrition value")
        << Action{[](EditorHarness& h) {
                      frmMainForm& w = h.forms->MainForm();
                      w.show();
                      w.mnuNutrition_Click();
                      QWidget& n = static_cast<QWidget&>(h.forms->Nutrition());
                      QAbstractItemModel* m = EditorHarness::child<QTableView>(n, "tblFacts")->model();
                      m->setData(m->index(0, 2), QStringLiteral("346"));
                      return &n;
                  },
                  [](EditorHarness& h) {
                      QWidget& n = static_cast<QWidget&>(h.forms->Nutrition());
                      return EditorHarness::child<QTableView>(n, "tblFacts")->model()->index(0, 2).data().toString();
                  }}
        << "&Отменить: ккал/100 г «Гречка»";
    QTest::newRow("carry share")
        << Action{[](EditorHarness& h) {
                      frmMainForm& w = h.forms->MainForm();
                      w.show();
                      QWidget& c = static_cast<QWidget&>(h.forms->Carry());
                      Forms::openFrom(w, c);
                      auto* t = EditorHarness::child<QTableWidget>(c, "tblParticipants");
                      t->item(1, 1)->setText(QStringLiteral("1,5"));
                      return &c;
                  },
                  [](EditorHarness& h) {
                      QWidget& c = static_cast<QWidget&>(h.forms->Carry());
                      return EditorHarness::child<QTableWidget>(c, "tblParticipants")->item(1, 1)->text();
                  }}
        << "&Отменить: доля участника 2";
}

void tst_tripundo::eachWindowsChange()
{
    QFETCH(Action, action);
    QFETCH(QString, undoText);
    EditorHarness h;
    prepare(h);
    TripUndo& undo = h.forms->Undo();
    QVERIFY(!undo.undoAction()->isEnabled());
    QCOMPARE(undo.undoAction()->text(), QStringLiteral("&Отменить"));
    const QByteArray before = TestSupport::tripBytes(h.g);

    QWidget* window = action.act(h);
    const QByteArray after = TestSupport::tripBytes(h.g);
    const QString shownAfter = action.shown(h);
    QVERIFY(after != before);
    QCOMPARE(undo.stack().count(), 1);
    QCOMPARE(undo.undoAction()->text(), undoText);
    // The main window's Правка menu holds the same actions.
    const QList<QAction*> edit = h.forms->MainForm().findChild<QMenu*>(QStringLiteral("mnuEdit"))->actions();
    QVERIFY(edit.contains(undo.undoAction()) && edit.contains(undo.redoAction()));

    press(window, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(TestSupport::tripBytes(h.g), before);
    QVERIFY(action.shown(h) != shownAfter);
    QCOMPARE(undo.redoAction()->text(), QStringLiteral("&Повторить: ") + undoText.mid(11));
    press(window, Qt::CTRL | Qt::Key_Y);
    QCOMPARE(TestSupport::tripBytes(h.g), after);
    QCOMPARE(action.shown(h), shownAfter);
    press(window, Qt::CTRL | Qt::Key_Z);
    press(window, Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(TestSupport::tripBytes(h.g), after);
    QCOMPARE(action.shown(h), shownAfter);
}

void tst_tripundo::fieldsLeaveUndoToTheTrip()
{
    // Focus rests in a field of the main window; only typing not yet taken is the field's own.
    EditorHarness h;
    prepare(h);
    frmMainForm& w = h.forms->MainForm();
    w.show();
    h.g.edits.deleteDay(1);
    auto* people = EditorHarness::child<QLineEdit>(w, "txtCountPeople");
    people->setFocus();
    press(&w, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(h.g.objMenuList.size(), qint16(3));
    EditorHarness::typeText(people, QStringLiteral("7"));
    QCOMPARE(people->text(), QStringLiteral("47"));
    press(&w, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(people->text(), QStringLiteral("4"));
    QCOMPARE(h.forms->Undo().stack().index(), 0);
    QCOMPARE(h.g.objMenuList.size(), qint16(3));
}

void tst_tripundo::savedStateClearsTheMark()
{
    QTemporaryDir dir;
    EditorHarness h;
    prepare(h);
    frmMainForm& w = h.forms->MainForm();
    h.g.strFileName = dir.filePath(QStringLiteral("поход.trb"));
    QVERIFY(w.SaveRasklad());
    QVERIFY(!h.g.blnChanged);
    TripUndo& undo = h.forms->Undo();
    h.g.edits.deleteDay(1);
    h.g.edits.addDay();
    QVERIFY(h.g.blnChanged);
    undo.undoAction()->trigger();
    QVERIFY(h.g.blnChanged);
    undo.undoAction()->trigger();
    QVERIFY(!h.g.blnChanged);
    // Closing asks nothing now.
    const qsizetype intBoxes = h.boxes.count();
    QVERIFY(w.QuerySave());
    QCOMPARE(h.boxes.count(), intBoxes);
    undo.redoAction()->trigger();
    QVERIFY(h.g.blnChanged);
}

void tst_tripundo::anotherTripClearsTheSteps()
{
    EditorHarness h;
    prepare(h);
    TripUndo& undo = h.forms->Undo();
    h.g.edits.addDay();
    QVERIFY(undo.undoAction()->isEnabled());
    h.boxes.setNextAnswer(MessageBox::No);
    QVERIFY(h.forms->MainForm().NewTrip(frmMainForm::NewFrom::Empty));
    QCOMPARE(undo.stack().count(), 0);
    QVERIFY(!undo.undoAction()->isEnabled());
    QVERIFY(!h.g.blnChanged);
}

QTEST_MAIN(tst_tripundo)
#include "tst_tripundo.moc"

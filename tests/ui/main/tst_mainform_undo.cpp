#include "model/GlobalVariable.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "ui/Forms.h"
#include "ui/TripUndo.h"
#include "ui/main/frmMainForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

// What the main window adds to the undo stack beside the user's own changes: the trip's
// days that follow its dates, and a new trip as the saved state.
namespace {

struct Run
{
    TestSupport::PlatformRecorder p;
    GlobalVariable g;
    std::unique_ptr<Forms> forms;

    Run()
    {
        InitGlobalVariable(g);
        forms = std::make_unique<Forms>(g);
        main().show();
    }
    frmMainForm& main() const { return forms->MainForm(); }
    QUndoStack& stack() const { return forms->Undo().stack(); }
    void undo() const { forms->Undo().undoAction()->trigger(); }
    void redo() const { forms->Undo().redoAction()->trigger(); }
};

} // namespace

class tst_mainform_undo : public QObject
{
    Q_OBJECT

private slots:
    void daysFollowDates_data();
    void daysFollowDates();
    void newTripIsSaved_data();
    void newTripIsSaved();
    void undoLeavesDateDialogAlone();
    void ctrlZInWindow_data();
    void ctrlZInWindow();
};

void tst_mainform_undo::daysFollowDates_data()
{
    QTest::addColumn<QString>("before"); // what the stack holds when the trip is checked
    QTest::addColumn<int>("days");       // the trip's length by its new dates
    QTest::addColumn<bool>("joined");    // the days join the date change
    QTest::addColumn<bool>("changedAfterUndo");

    // Undone back to the trip as it was made: unchanged.
    QTest::newRow("date change on top, 1 day") << "changed" << 1 << true << false;
    QTest::newRow("date change on top, 2 days") << "changed" << 2 << true << false;
    QTest::newRow("date change on top, 51 days") << "changed" << 51 << true << false;
    QTest::newRow("date change saved") << "saved" << 10 << false << false;
    QTest::newRow("a change waits to be redone") << "redo" << 10 << false << true;
    QTest::newRow("nothing to undo, 30 days") << "nothing" << 30 << false << false;
}

void tst_mainform_undo::daysFollowDates()
{
    QFETCH(QString, before);
    QFETCH(int, days);
    QFETCH(bool, joined);
    QFETCH(bool, changedAfterUndo);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Run r;
    // A 30-participant trip of 5 days whose stored length is out of date.
    TestSupport::makeTrip(r.g, {{"Гречка", "80", "гр"}}, {"1 | | "}, 30, 15, 5, QDate(2026, 7, 1));
    r.g.dtDataEnd = QDate(2026, 7, 5);
    r.g.intCountDay = 3;
    r.main().ReWriteOption();
    const QDate dtEnd = QDate(2026, 7, 1).addDays(days - 1);
    if (before == QLatin1String("nothing")) {
        r.g.dtDataEnd = dtEnd;
    } else {
        r.main().SetDataEnd(dtEnd);
        if (before == QLatin1String("saved")) {
            r.g.strFileName = dir.filePath("t.trb");
            QVERIFY(r.main().SaveRasklad());
        }
        if (before == QLatin1String("redo")) {
            r.main().SetDataBegin(QDate(2026, 6, 30));
            r.undo();
            QVERIFY(r.stack().canRedo());
        }
    }
    const int intCount = int(r.stack().count()) - (before == QLatin1String("redo") ? 1 : 0);
    QVERIFY(r.main().TestOption());
    QCOMPARE(r.g.intCountDay, qint16(days));
    QCOMPARE(r.stack().count(), intCount + (joined ? 0 : 1));
    QVERIFY(!r.stack().canRedo());
    QVERIFY(r.g.blnChanged);

    // One undo takes the days back, and with them the dates when they came in one step.
    r.undo();
    QCOMPARE(r.g.intCountDay, qint16(3));
    QCOMPARE(r.g.dtDataEnd, joined ? QDate(2026, 7, 5) : dtEnd);
    QCOMPARE(r.g.blnChanged, changedAfterUndo);
    r.redo();
    QCOMPARE(r.g.intCountDay, qint16(days));
    QCOMPARE(r.g.dtDataEnd, dtEnd);
    // Checked again, nothing is left to follow.
    QVERIFY(r.main().TestOption());
    QCOMPARE(r.stack().count(), intCount + (joined ? 0 : 1));
}

void tst_mainform_undo::newTripIsSaved_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<bool>("changedAfterUndo");

    QTest::newRow("empty catalog: undone back to it, unchanged") << false << false;
    QTest::newRow("catalog of a file: unsaved work") << true << true;
}

void tst_mainform_undo::newTripIsSaved()
{
    QFETCH(bool, fromFile);
    QFETCH(bool, changedAfterUndo);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strSource = dir.filePath("source.trb");
    QVERIFY(TestSupport::writeSmallTrip(strSource));
    Run r;
    // Changes of the trip before, given up at the save question: they leave no saved state.
    r.main().SetDataEnd(QDate(2026, 7, 5));
    QVERIFY(r.g.blnChanged);
    r.p.boxes.setNextAnswer(MessageBox::No);
    if (fromFile)
        r.p.files.setNextFileName(strSource);
    QVERIFY(r.main().NewTrip(fromFile ? frmMainForm::NewFrom::File : frmMainForm::NewFrom::Empty));
    QCOMPARE(r.g.blnChanged, fromFile);
    QCOMPARE(r.stack().count(), 0);

    r.main().SetDataEnd(QDate(2026, 8, 1));
    QVERIFY(r.g.blnChanged);
    r.undo();
    QCOMPARE(r.g.blnChanged, changedAfterUndo);
    r.redo();
    QVERIFY(r.g.blnChanged);
}

void tst_mainform_undo::undoLeavesDateDialogAlone()
{
    // The date dialog marks which date it sets; a date undone after it closed must not
    // mark it open again, nor one redone.
    Run r;
    r.g.blnDataBegin = true;
    r.main().SetDataBegin(QDate(2026, 7, 1));
    r.g.blnDataBegin = false;
    r.undo();
    QCOMPARE(r.g.dtDataBegin, QDate(1900, 1, 1));
    QVERIFY(!r.g.blnDataBegin);
    QVERIFY(!r.g.blnDataEnd);
    r.g.blnDataEnd = true;
    r.redo();
    QCOMPARE(r.g.dtDataBegin, QDate(2026, 7, 1));
    QVERIFY(!r.g.blnDataBegin);
    QVERIFY(r.g.blnDataEnd);
}

void tst_mainform_undo::ctrlZInWindow_data()
{
    QTest::addColumn<QString>("button"); // the main window's button that opens the window
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("undone");

    QTest::newRow("ration editor") << "cmdMenu"
                                   << "frmMenu" << true;
    // The layout is built when it opens and does not follow a change.
    QTest::newRow("layout window") << "cmdRaklad"
                                   << "frmRasklad" << false;
}

void tst_mainform_undo::ctrlZInWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(bool, undone);
    Run r;
    TestSupport::makeTrip(r.g, {{"Гречка", "80", "гр"}}, {"1 | | "}, 2, 1, 5, QDate(2026, 7, 1));
    r.g.dtDataEnd = QDate(2026, 7, 5);
    r.main().ReWriteOption();
    r.main().SetDataEnd(QDate(2026, 7, 3));
    QTest::mouseClick(r.main().findChild<QPushButton*>(button), Qt::LeftButton);
    QWidget* w = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        w = top->objectName() == window && top->isVisible() ? top : w;
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(r.g.dtDataEnd, undone ? QDate(2026, 7, 5) : QDate(2026, 7, 3));
}

QTEST_MAIN(tst_mainform_undo)
#include "tst_mainform_undo.moc"

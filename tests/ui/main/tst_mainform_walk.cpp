// Main window faults that the random walk (tests/robust) found, one case each.
#include "model/GlobalVariable.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/about/frmAbout.h"
#include "ui/editor/frmMenu.h"
#include "ui/main/frmCalendar.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmRasklad.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_mainform_walk : public QObject
{
    Q_OBJECT

private slots:
    void openedTripNeverShowsTheOldOne_data();
    void openedTripNeverShowsTheOldOne();
    void dateDialogClosesBeforeAnotherWindow_data();
    void dateDialogClosesBeforeAnotherWindow();
};

namespace {

QString writeTrip(const QTemporaryDir& dir, const QString& name, const QDate& begin, const QDate& end, qint16 people,
                  qint16 smena, const QString& description)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    g.dtDataBegin = begin;
    g.dtDataEnd = end;
    g.intCountPeople = people;
    g.intCountSmena = smena;
    g.strDeffine = description;
    const QString path = dir.filePath(name);
    QString error;
    if (!TripFile::save(g, path, error))
        qWarning("%s", qPrintable(error));
    return path;
}

} // namespace

void tst_mainform_walk::openedTripNeverShowsTheOldOne_data()
{
    QTest::addColumn<QDate>("begin");
    QTest::addColumn<QDate>("end");

    // Dates the window does not show: the fields of the trip open before must not stay.
    QTest::newRow("never set") << QDate(1900, 1, 1) << QDate(9999, 1, 1);
    QTest::newRow("too long a trip") << QDate(2026, 8, 1) << QDate(2026, 10, 1);
}

void tst_mainform_walk::openedTripNeverShowsTheOldOne()
{
    QFETCH(QDate, begin);
    QFETCH(QDate, end);

    QTemporaryDir dir;
    const QString first = writeTrip(dir, "first.trb", QDate(2026, 7, 1), QDate(2026, 7, 10), 5, 3, "Карелия");
    const QString second = writeTrip(dir, "second.trb", begin, end, 8, 4, "Кольский");

    MessageBox::Recorder boxes;
    FileDialog::Recorder files;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& w = forms.MainForm();
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QVERIFY(w.OpenFile(first));
    auto* people = w.findChild<QLineEdit*>("txtCountPeople");
    QCOMPARE(people->text(), QString("5"));
    QVERIFY(w.OpenFile(second));

    // Nothing of the first trip is left to be taken for the second.
    for (const char* name : {"txtDataBegin", "txtDataEnd", "txtCountPeople", "txtSmena"})
        QVERIFY2(w.findChild<QLineEdit*>(name)->text().isEmpty(), name);
    QCOMPARE(w.findChild<QPlainTextEdit*>("rtbDeffine")->toPlainText(), QString("Кольский"));

    // Passing through the fields leaves the opened trip as it was.
    const bool blnChanged = g.blnChanged;
    people->setFocus();
    QTest::keyClick(people, Qt::Key_Tab);
    w.findChild<QLineEdit*>("txtDataEnd")->setFocus();
    QTest::keyClick(w.findChild<QLineEdit*>("txtDataEnd"), Qt::Key_Tab);
    QCOMPARE(g.intCountPeople, qint16(8));
    QCOMPARE(g.intCountSmena, qint16(4));
    QCOMPARE(g.dtDataBegin, begin);
    QCOMPARE(g.dtDataEnd, end);
    QCOMPARE(g.strDeffine, QString("Кольский"));
    QCOMPARE(g.blnChanged, blnChanged);
}

void tst_mainform_walk::dateDialogClosesBeforeAnotherWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");

    QTest::newRow("ration") << "cmdMenu"
                            << "frmMenu";
    QTest::newRow("layout") << "cmdRaklad"
                            << "frmRasklad";
    QTest::newRow("about") << "mnuAbout"
                           << "frmAbout";
}

void tst_mainform_walk::dateDialogClosesBeforeAnotherWindow()
{
    QFETCH(QString, command);
    QFETCH(QString, window);

    MessageBox::Recorder boxes;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& w = forms.MainForm();
    w.show();
    g.intCountPeople = 4;
    g.intCountSmena = 2;
    w.SetDataBegin(QDate(2026, 7, 10));
    w.SetDataEnd(QDate(2026, 7, 20));

    // A start date after the end is refused: the dialog stays open, the main window usable.
    w.cmdDataBegin_Click();
    frmCalendar& calendar = forms.Calendar();
    calendar.SetDate(QDate(2026, 7, 25));
    calendar.cmdOK_Click();
    QVERIFY(calendar.isVisible());
    QVERIFY(w.isEnabled());
    // The user mends the end date in its field instead, and goes on.
    w.SetDataEnd(QDate(2026, 7, 30));

    if (command == "cmdMenu")
        w.cmdMenu_Click();
    else if (command == "cmdRaklad")
        w.cmdRaklad_Click();
    else
        w.mnuAbout_Click();
    QWidget* opened = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == window)
            opened = top;
    }
    QVERIFY(opened && opened->isVisible());
    QVERIFY(!w.isEnabled());
    // No date dialog is left whose closing would give the main window back under the other.
    QVERIFY(!calendar.isVisible());
    QVERIFY(!g.blnDataBegin && !g.blnDataEnd);
    QCOMPARE(g.dtDataBegin, QDate(2026, 7, 25));

    opened->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isEnabled());
}

QTEST_MAIN(tst_mainform_walk)
#include "tst_mainform_walk.moc"

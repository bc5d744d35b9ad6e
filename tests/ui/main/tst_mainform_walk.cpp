// Main window faults that the random walk (tests/robust) found, one case each.
#include "model/GlobalVariable.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/main/frmMainForm.h"

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

QTEST_MAIN(tst_mainform_walk)
#include "tst_mainform_walk.moc"

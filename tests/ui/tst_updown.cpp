#include "ui/UpDown.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class tst_updown : public QObject
{
    Q_OBJECT

private slots:
    void setValueKeepsToRange_data();
    void setValueKeepsToRange();
    void arrowsStepAndStopAtTheEnds();
    void narrowingTheRangeMovesTheValue();
    void buddyShowsEveryNewValue();
    void silentSetRaisesNothing();
};

void tst_updown::setValueKeepsToRange_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("raised");

    QTest::newRow("inside") << 1 << 7 << 7 << 1;
    QTest::newRow("same value") << 7 << 7 << 7 << 0;
    QTest::newRow("above the top") << 1 << 99 << 50 << 1;
    QTest::newRow("below the bottom") << 5 << -3 << 1 << 1;
    QTest::newRow("below, already at the bottom") << 1 << 0 << 1 << 0;
}

void tst_updown::setValueKeepsToRange()
{
    QFETCH(int, start);
    QFETCH(int, set);
    QFETCH(int, expected);
    QFETCH(int, raised);

    UpDown upd;
    upd.setRange(1, 50);
    upd.setValue(start);
    QSignalSpy spy(&upd, &UpDown::valueChanged);
    upd.setValue(set);
    QCOMPARE(upd.value(), expected);
    QCOMPARE(spy.count(), raised);
    if (raised)
        QCOMPARE(spy.first().first().toInt(), expected);
}

void tst_updown::arrowsStepAndStopAtTheEnds()
{
    QLineEdit field;
    UpDown upd;
    upd.setRange(1, 3);
    upd.setValue(1);
    upd.setBuddy(&field);
    upd.resize(20, 40);
    upd.show();
    auto* up = upd.findChild<QToolButton*>("up");
    auto* down = upd.findChild<QToolButton*>("down");
    QVERIFY(up && down);
    QVERIFY(!down->isEnabled());

    QSignalSpy spy(&upd, &UpDown::valueChanged);
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(upd.value(), 3);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(field.text(), QString("3"));
    QVERIFY(!up->isEnabled());

    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(upd.value(), 2);
    QCOMPARE(field.text(), QString("2"));
    QVERIFY(up->isEnabled() && down->isEnabled());
}

void tst_updown::narrowingTheRangeMovesTheValue()
{
    UpDown upd;
    upd.setRange(1, 25);
    upd.setValue(20);
    QSignalSpy spy(&upd, &UpDown::valueChanged);
    upd.setMaximum(4);
    QCOMPARE(upd.value(), 4);
    QCOMPARE(spy.count(), 1);

    // Given upside down, the ends are swapped rather than leaving an empty range.
    upd.setRange(10, 5);
    QCOMPARE(upd.minimum(), 5);
    QCOMPARE(upd.maximum(), 10);
    QCOMPARE(upd.value(), 5);
}

void tst_updown::buddyShowsEveryNewValue()
{
    QLineEdit field;
    UpDown upd;
    upd.setRange(1, 50);
    upd.setValue(1);
    // Binding alone writes nothing: an empty field stays empty until the value moves.
    upd.setBuddy(&field);
    QVERIFY(field.text().isEmpty());

    field.setText("abc");
    field.setModified(true);
    upd.setValue(12);
    QCOMPARE(field.text(), QString("12"));
    QVERIFY(!field.isModified());

    upd.setBuddy(nullptr);
    upd.setValue(13);
    QCOMPARE(field.text(), QString("12"));
}

void tst_updown::silentSetRaisesNothing()
{
    QLineEdit field;
    UpDown upd;
    upd.setRange(1, 50);
    upd.setBuddy(&field);
    field.setText("0");
    QSignalSpy spy(&upd, &UpDown::valueChanged);
    upd.setValueSilently(7);
    QCOMPARE(upd.value(), 7);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(field.text(), QString("0"));
}

QTEST_MAIN(tst_updown)
#include "tst_updown.moc"

#include "ui/UpDown.h"
#include "ui/editor/EditorHarness.h"

#include <QLineEdit>

namespace {

struct ExchangeHarness : EditorHarness
{
    frmRemoveDay& dialog() { return forms->RemoveDay(); }
    QLineEdit* field(const char* name) { return child<QLineEdit>(dialog(), name); }
    UpDown* spinner(const char* name) { return child<UpDown>(dialog(), name); }
    void clickDialog(const char* name) { QTest::mouseClick(child<QPushButton>(dialog(), name), Qt::LeftButton); }

    // A ration of `days` daily menus, each meal holding its own product, in the ration view.
    frmMenu& openWithDays(int days)
    {
        for (int d = 1; d <= days; ++d)
            for (int meal = 1; meal <= 3; ++meal)
                g.objCatalog.AddProduct(QStringLiteral("День %1, приём %2").arg(d).arg(meal), "10", "гр");
        frmMenu& m = open();
        click("cmdChange");
        for (int d = 2; d <= days; ++d)
            click("cmdAddDay");
        for (int d = 1; d <= days; ++d)
            for (int meal = 1; meal <= 3; ++meal)
                setMeal(d, meal, {qint16((d - 1) * 3 + meal)});
        return m;
    }
    // Which day's meals a daily menu holds now (0 when mixed).
    int dayHeld(int intDay)
    {
        const int first = meal(intDay, 1).value(0);
        const int d = (first - 1) / 3 + 1;
        for (int m = 1; m <= 3; ++m) {
            if (meal(intDay, m) != QList<qint16>{qint16((d - 1) * 3 + m)})
                return 0;
        }
        return d;
    }
    // Steps a spinner with its arrow buttons towards a day; the arrows stop at the ends.
    void spinTo(const char* name, int intDay)
    {
        UpDown* s = spinner(name);
        for (int i = 0; i < 50 && s->value() != intDay; ++i)
            QTest::mouseClick(child<QWidget>(*s, s->value() < intDay ? "up" : "down"), Qt::LeftButton);
    }
};

} // namespace

class tst_frmremoveday : public QObject
{
    Q_OBJECT

private slots:
    void opensOnSelectedDay();
    void exchange_data();
    void exchange();
    void cancelChangesNothing();
    void fieldsTakeNoTyping();
    void dialogLayout();
};

void tst_frmremoveday::opensOnSelectedDay()
{
    ExchangeHarness h;
    frmMenu& m = h.openWithDays(3);
    QVERIFY(h.button("cmdRemoveDay")->isEnabled());
    h.clickTab(h.days(), 1);
    h.click("cmdRemoveDay");
    QVERIFY(h.dialog().isVisible());
    QVERIFY(!m.isEnabled());
    QCOMPARE(h.dialog().windowTitle(), QStringLiteral("Заменить дни"));
    QCOMPARE(h.field("txtDay1")->text(), QStringLiteral("2"));
    QCOMPARE(h.field("txtDay2")->text(), QStringLiteral("2"));
    QCOMPARE(h.spinner("UpDownDay1")->minimum(), 1);
    QCOMPARE(h.spinner("UpDownDay1")->maximum(), 3);
    QCOMPARE(h.spinner("UpDownDay2")->value(), 2);
    h.clickDialog("btnEsc");

    // Every opening starts from the day selected then.
    h.clickTab(h.days(), 2);
    h.click("cmdRemoveDay");
    QCOMPARE(h.field("txtDay1")->text(), QStringLiteral("3"));
    QCOMPARE(h.field("txtDay2")->text(), QStringLiteral("3"));
    // The spinners stop at the ends of the ration.
    h.spinTo("UpDownDay1", 5);
    QCOMPARE(h.field("txtDay1")->text(), QStringLiteral("3"));
    h.spinTo("UpDownDay2", 0);
    QCOMPARE(h.field("txtDay2")->text(), QStringLiteral("1"));
}

void tst_frmremoveday::exchange_data()
{
    QTest::addColumn<int>("selectedDay");
    QTest::addColumn<int>("day1");
    QTest::addColumn<int>("day2");
    QTest::addColumn<QList<int>>("held");

    QTest::newRow("1 and 3, day 2 selected") << 2 << 1 << 3 << QList<int>{3, 2, 1};
    QTest::newRow("1 and 3, day 1 selected") << 1 << 1 << 3 << QList<int>{3, 2, 1};
    QTest::newRow("3 and 2, day 3 selected") << 3 << 3 << 2 << QList<int>{1, 3, 2};
    QTest::newRow("a day with itself") << 2 << 2 << 2 << QList<int>{1, 2, 3};
}

void tst_frmremoveday::exchange()
{
    QFETCH(int, selectedDay);
    QFETCH(int, day1);
    QFETCH(int, day2);
    QFETCH(QList<int>, held);

    ExchangeHarness h;
    frmMenu& m = h.openWithDays(3);
    h.clickTab(h.days(), selectedDay - 1);
    h.click("cmdRemoveDay");
    h.spinTo("UpDownDay1", day1);
    h.spinTo("UpDownDay2", day2);
    h.clickDialog("btnOk");

    QVERIFY(!h.dialog().isVisible());
    QVERIFY(m.isEnabled());
    QList<int> now;
    for (int d = 1; d <= 3; ++d)
        now.append(h.dayHeld(d));
    QCOMPARE(now, held);
    QCOMPARE(h.tabTexts(h.days()), (QStringList{"День 1", "День 2", "День 3"}));
    QCOMPARE(h.g.intPeriod, qint16(3));
    QCOMPARE(m.ActiveDay(), qint16(selectedDay));
    // The shown meal is the selected day's new one at once.
    QCOMPARE(h.names(h.grid("tblDayMenu")),
             QStringList{h.g.objCatalog.GetProduct(h.meal(selectedDay, m.ActiveTrapeza()).first()).Name()});
}

void tst_frmremoveday::cancelChangesNothing()
{
    ExchangeHarness h;
    frmMenu& m = h.openWithDays(3);
    h.click("cmdRemoveDay");
    h.spinTo("UpDownDay1", 1);
    h.clickDialog("btnEsc");
    QVERIFY(!h.dialog().isVisible());
    QVERIFY(m.isEnabled());
    QCOMPARE((QList<int>{h.dayHeld(1), h.dayHeld(2), h.dayHeld(3)}), (QList<int>{1, 2, 3}));
    // Closing by the frame is a cancel too.
    h.click("cmdRemoveDay");
    h.dialog().close();
    QVERIFY(m.isEnabled());
    QVERIFY(!h.dialog().isVisible());
}

void tst_frmremoveday::fieldsTakeNoTyping()
{
    ExchangeHarness h;
    h.openWithDays(3);
    h.clickTab(h.days(), 0);
    h.click("cmdRemoveDay");
    QLineEdit* day1 = h.field("txtDay1");
    h.typeText(day1, "9");
    QCOMPARE(day1->text(), QStringLiteral("1"));
    // The arrow keys step the spinner instead.
    QTest::keyClick(day1, Qt::Key_Up);
    QTest::keyClick(day1, Qt::Key_Up);
    QTest::keyClick(day1, Qt::Key_Up);
    QCOMPARE(day1->text(), QStringLiteral("3"));
    QCOMPARE(h.dialog().Day1(), qint16(3));
    QTest::keyClick(day1, Qt::Key_Down);
    QCOMPARE(h.dialog().Day1(), qint16(2));
}

void tst_frmremoveday::dialogLayout()
{
    ExchangeHarness h;
    h.openWithDays(2);
    h.click("cmdRemoveDay");
    frmRemoveDay& d = h.dialog();
    QCOMPARE(d.size(), Twips::toPixels(&d, 3540, 1530));
    QCOMPARE(d.twipsOf(h.field("txtDay1")), QRect(1440, 480, 612, 372));
    QCOMPARE(d.twipsOf(h.spinner("UpDownDay2")), QRect(3120, 480, 240, 372));
    for (QWidget* w : d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(d.rect().contains(w->geometry()), qPrintable(w->objectName()));

    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    h.child<QPushButton>(d, "btnOk")->setFocus();
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(seen, (QStringList{"btnOk", "btnEsc", "txtDay1", "txtDay2", "btnOk"}));
}

QTEST_MAIN(tst_frmremoveday)
#include "tst_frmremoveday.moc"

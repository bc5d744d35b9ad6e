#include "model/NameOrder.h"
#include "ui/Twips.h"
#include "ui/editor/EditorHarness.h"

#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QRandomGenerator>

class tst_frmmenu : public QObject
{
    Q_OBJECT

private slots:
    void freshWindow();
    void viewGeometry_data();
    void viewGeometry();
    void captionsAfterSwitching();
    void fontsAreSerif_data();
    void fontsAreSerif();
    void keyboardOrder_data();
    void keyboardOrder();

    void nameOrder();
    void rowMapErrors_data();
    void rowMapErrors();
    void emptyCatalogAfterProducts();
    void currentRowsAfterRebuild();

    void addDay_data();
    void addDay();
    void deleteMiddleDay();
    void deleteDayCancelled();
    void dayButtonsFollowDayCount();
    void dayTabsFollowLoadedRation_data();
    void dayTabsFollowLoadedRation();

    void mealTabKeptAcrossDays();
    void addProductToMeal();
    void addProductWithoutCatalog();
    void removeProductsFromTheLastUp();
    void activationPicksLastInNameOrder();

    void closeReturnsToMainWindow_data();
    void closeReturnsToMainWindow();
    void reopenKeepsViewAndSelection();
    void renameWithEmptyCatalog();

    void largeCatalogStaysFast();
};

void tst_frmmenu::freshWindow()
{
    EditorHarness h;
    frmMenu& m = h.menu();
    QCOMPARE(m.windowTitle(), QStringLiteral("Каталог продуктов"));
    QVERIFY(!m.isRationView());
    QCOMPARE(h.tabTexts(h.days()), QStringList{"День 1"});
    QCOMPARE(h.tabTexts(h.meals()), (QStringList{"Обед", "Ужин", "Завтрак"}));
    QCOMPARE(m.ActiveDay(), qint16(1));
    QCOMPARE(m.ActiveTrapeza(), qint16(1));
    QVERIFY(!h.button("cmdDelDay")->isEnabled());
    QVERIFY(!h.button("cmdRemoveDay")->isEnabled());
    QVERIFY(!h.button("cmdRename")->isEnabled());
    QVERIFY(h.button("cmdAddDay")->isEnabled());
    // The grids start with their header and one empty row.
    for (const char* name : {"tblProduct", "tblCatalog", "tblDayMenu"}) {
        QCOMPARE(h.grid(name)->model()->rowCount(), 1);
        QVERIFY(h.texts(h.grid(name)).first().join(QString()).isEmpty());
    }
    QTableView* product = h.grid("tblProduct");
    QCOMPARE(product->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Наименование"));
    QCOMPARE(product->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Норма"));
    QCOMPARE(product->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Ед."));
    QCOMPARE(h.grid("tblCatalog")->model()->columnCount(), 2);
    QCOMPARE(h.grid("tblDayMenu")->model()->columnCount(), 1);
    QCOMPARE(product->columnWidth(0), Twips::toPixelsX(product, 2100));
    QCOMPARE(h.grid("tblDayMenu")->columnWidth(0), Twips::toPixelsX(product, 3500));
    // Tooltips tell what the picture buttons do.
    QCOMPARE(h.button("cmdAddProduct")->toolTip(), QStringLiteral("Добавить продукт в меню"));
    QCOMPARE(h.button("cmdDelProduct")->toolTip(), QStringLiteral("Удалить продукт из меню"));
    QVERIFY(!h.button("cmdAddProduct")->icon().isNull());
}

void tst_frmmenu::viewGeometry_data()
{
    QTest::addColumn<bool>("ration");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QPoint>("close");
    QTest::addColumn<QPoint>("change");
    QTest::addColumn<QPoint>("credit");

    QTest::newRow("catalog") << false << QRect(2000, 1000, 5412, 5064) << QPoint(4104, 4248) << QPoint(2912, 4248)
                             << QPoint(240, 4290);
    QTest::newRow("ration") << true << QRect(100, 10, 9348, 6716) << QPoint(8040, 5900) << QPoint(6848, 5900)
                            << QPoint(240, 5976);
}

void tst_frmmenu::viewGeometry()
{
    QFETCH(bool, ration);
    QFETCH(QRect, window);
    QFETCH(QPoint, close);
    QFETCH(QPoint, change);
    QFETCH(QPoint, credit);

    EditorHarness h;
    frmMenu& m = h.open();
    if (ration)
        h.click("cmdChange");
    QCOMPARE(m.isRationView(), ration);
    QCOMPARE(m.twipsWindow(), window);
    QCOMPARE(m.twipsOf(h.button("cmdClose")), QRect(close, QSize(1092, 372)));
    QCOMPARE(m.twipsOf(h.button("cmdChange")), QRect(change, QSize(1092, 372)));
    QCOMPARE(m.twipsOf(h.ctl("Label1")).topLeft(), credit);

    // The twips reach the screen through its logical resolution.
    QPushButton* cmdClose = h.button("cmdClose");
    QCOMPARE(cmdClose->geometry(), Twips::toPixels(&m, close.x(), close.y(), 1092, 372));
    QCOMPARE(m.pos(), QPoint(Twips::toPixelsX(&m, window.x()), Twips::toPixelsY(&m, window.y())));
    // Nothing on the window reaches past its edges.
    for (QWidget* w : {static_cast<QWidget*>(cmdClose), static_cast<QWidget*>(h.button("cmdChange")), h.ctl("Label1")})
        QVERIFY2(m.rect().contains(w->geometry()), qPrintable(w->objectName()));
    QCOMPARE(h.ctl("Menu")->isVisible(), ration);
    QCOMPARE(h.ctl("ProductCatalog")->isVisible(), !ration);
    // The credit line never runs into the buttons.
    QVERIFY(h.ctl("Label1")->geometry().right() < h.button("cmdChange")->geometry().left());
}

void tst_frmmenu::captionsAfterSwitching()
{
    EditorHarness h;
    frmMenu& m = h.open();
    const QList<QPair<QString, QString>> expected{
        {"Рацион", "&Каталог"}, {"Каталог", "&Рацион"}, {"Рацион", "&Каталог"}};
    for (const auto& [window, button] : expected) {
        h.click("cmdChange");
        QCOMPARE(m.windowTitle(), window);
        QCOMPARE(h.button("cmdChange")->text(), button);
    }
}

void tst_frmmenu::fontsAreSerif_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    QTest::newRow("grid") << "tblProduct" << 10.5 << false << false;
    QTest::newRow("button") << "cmdAddDay" << 10.5 << false << false;
    QTest::newRow("ration heading") << "lblRacion" << 16.5 << true << false;
    QTest::newRow("catalog heading") << "Label2" << 13.5 << true << false;
    QTest::newRow("products heading") << "lblTitle" << 13.5 << true << false;
    QTest::newRow("credit") << "Label1" << 12.0 << true << true;
}

void tst_frmmenu::fontsAreSerif()
{
    QFETCH(QString, control);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);

    EditorHarness h;
    QWidget* w = h.ctl(qPrintable(control));
    const QFontInfo info(w->font());
    // Times New Roman, or the installed metric twin in its place, never a sans fallback.
    QVERIFY2(info.family() == QLatin1String("Times New Roman") || info.family() == QLatin1String("Liberation Serif"),
             qPrintable(info.family()));
    QCOMPARE(w->font().pointSizeF(), points);
    QCOMPARE(info.bold(), bold);
    QCOMPARE(info.italic(), italic);
}

void tst_frmmenu::keyboardOrder_data()
{
    QTest::addColumn<bool>("ration");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("catalog") << false
                             << QStringList{"tblProduct", "cmdAdd", "cmdRename", "cmdChange", "cmdClose", "tblProduct"};
    QTest::newRow("ration") << true
                            << QStringList{"tblCatalog",   "StripDayMenuTabs", "StripTrapezaTabs", "cmdAddProduct",
                                           "tblDayMenu",   "cmdDelProduct",    "cmdAddDay",        "cmdDelDay",
                                           "cmdRemoveDay", "cmdChange",        "cmdClose",         "tblCatalog"};
}

void tst_frmmenu::keyboardOrder()
{
    QFETCH(bool, ration);
    QFETCH(QStringList, order);

    EditorHarness h;
    h.addProducts({{"Чай", "2", "пак"}});
    frmMenu& m = h.open();
    m.EnableRename();
    m.cmdAddDay_Click(); // two days: every day button takes part
    if (ration)
        h.click("cmdChange");
    m.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m));

    h.ctl(qPrintable(order.first()))->setFocus();
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(seen, order);
}

void tst_frmmenu::nameOrder()
{
    EditorHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Гречка", "80", "гр"}, {"Chai", "0", "шт"}, {"рис", "250", "гр"}});
    frmMenu& m = h.open();

    QCOMPARE(h.texts(h.grid("tblProduct")),
             (QList<QStringList>{
                 {"Chai", "", "шт"}, {"Гречка", " 80", "гр"}, {"Сахар", " 50", "гр"}, {"рис", " 250", "гр"}}));
    QCOMPARE(h.texts(h.grid("tblCatalog")),
             (QList<QStringList>{{"Chai", " 0шт"}, {"Гречка", " 80гр"}, {"Сахар", " 50гр"}, {"рис", " 250гр"}}));
    const QList<qint16> expected{3, 2, 1, 4};
    for (qint16 i = 1; i <= 4; ++i) {
        QCOMPARE(m.GetIndexFromString(i), expected[i - 1]);
        QCOMPARE(m.GetStringFromIndex(i), expected[i - 1]);
    }
    QCOMPARE(h.boxes.count(), 0);
}

void tst_frmmenu::rowMapErrors_data()
{
    QTest::addColumn<int>("products");
    QTest::addColumn<bool>("rowToIndex");
    QTest::addColumn<int>("argument");

    QTest::newRow("row 0") << 2 << true << 0;
    QTest::newRow("row past the end") << 2 << true << 3;
    QTest::newRow("position past the end") << 2 << false << 3;
    QTest::newRow("negative position") << 2 << false << -1;
    QTest::newRow("row before any catalog") << 0 << true << 1;
    QTest::newRow("position before any catalog") << 0 << false << 1;
}

void tst_frmmenu::rowMapErrors()
{
    QFETCH(int, products);
    QFETCH(bool, rowToIndex);
    QFETCH(int, argument);

    EditorHarness h;
    for (int i = 0; i < products; ++i)
        h.g.objCatalog.AddProduct(QString::number(i), "1", "шт");
    frmMenu& m = h.menu();
    m.VisibleCatalog();
    const qint16 result = rowToIndex ? m.GetIndexFromString(qint16(argument)) : m.GetStringFromIndex(qint16(argument));
    QCOMPARE(result, qint16(0));
    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(h.boxes.last().caption, QStringLiteral("Ошибка!"));
    QCOMPARE(h.boxes.last().buttons, MessageBox::OkOnly);
    QCOMPARE(
        h.boxes.last().text,
        rowToIndex
            ? QStringLiteral("Ошибка преобразования строки в индекс. См. форму frmMenu, функцию GetIndexFromString.")
            : QStringLiteral("Ошибка индекса в номер строки. См. форму frmMenu, функцию GetStringFromIndex."));
}

void tst_frmmenu::emptyCatalogAfterProducts()
{
    // A trip with products replaced by one without: the lists must not keep the old rows.
    EditorHarness h;
    h.addProducts({{"Чай", "2", "пак"}, {"Соль", "5", "гр"}});
    frmMenu& m = h.open();
    h.click("cmdChange");
    QCOMPARE(h.grid("tblCatalog")->model()->rowCount(), 2);

    h.emptyCatalog();
    m.VisibleCatalog();
    for (const char* name : {"tblProduct", "tblCatalog"}) {
        QCOMPARE(h.grid(name)->model()->rowCount(), 1);
        QVERIFY(h.texts(h.grid(name)).first().join(QString()).isEmpty());
    }
    QVERIFY(m.nameOrder().isEmpty());
    // Picking from the empty list changes nothing and says nothing.
    h.click("cmdAddProduct");
    QVERIFY(h.meal(1, 1).isEmpty());
    QCOMPARE(h.boxes.count(), 0);
}

void tst_frmmenu::currentRowsAfterRebuild()
{
    EditorHarness h;
    // Added last: "Бобы", which sorts to row 1.
    h.addProducts({{"Сахар", "50", "гр"}, {"Чай", "2", "пак"}, {"Бобы", "70", "гр"}});
    frmMenu& m = h.open();
    QCOMPARE(h.current(h.grid("tblProduct")), QPoint(2, 1));
    QCOMPARE(h.current(h.grid("tblCatalog")), QPoint(1, 3));

    // A pick does not survive a rebuild.
    h.pick(h.grid("tblProduct"), 3);
    QCOMPARE(h.current(h.grid("tblProduct")).y(), 3);
    m.VisibleCatalog();
    QCOMPARE(h.current(h.grid("tblProduct")), QPoint(2, 1));

    // Cells writes a row and makes it the current one.
    clsProduct p;
    p.setName("Мёд");
    p.setNorma(30);
    p.strProductEdin = "гр";
    m.Cells(2, p);
    QCOMPARE(h.texts(h.grid("tblProduct")).at(1), (QStringList{"Мёд", " 30", "гр"}));
    QCOMPARE(h.current(h.grid("tblProduct")), QPoint(2, 2));
}

void tst_frmmenu::addDay_data()
{
    QTest::addColumn<int>("selectedDay");
    QTest::addColumn<int>("meal");
    QTest::addColumn<int>("expectedDay");

    QTest::newRow("day 3 selected") << 3 << 1 << 4;
    QTest::newRow("day 3, dinner") << 3 << 2 << 4;
    QTest::newRow("day 1 selected") << 1 << 1 << 2;
}

void tst_frmmenu::addDay()
{
    QFETCH(int, selectedDay);
    QFETCH(int, meal);
    QFETCH(int, expectedDay);

    EditorHarness h;
    h.addProducts({{"Гречка", "80", "гр"}, {"Чай", "2", "пак"}});
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.click("cmdAddDay");
    h.click("cmdAddDay");
    // Something to see on day 2's dinner and lunch.
    h.setMeal(2, 1, {1});
    h.setMeal(2, 2, {2, 1});
    h.clickTab(h.meals(), meal - 1);
    h.clickTab(h.days(), selectedDay - 1);
    QCOMPARE(m.ActiveDay(), qint16(selectedDay));

    h.click("cmdAddDay");
    QCOMPARE(h.tabTexts(h.days()), (QStringList{"День 1", "День 2", "День 3", "День 4"}));
    QCOMPARE(h.g.intPeriod, qint16(4));
    QCOMPARE(h.g.objMenuList.size(), qint16(4));
    QCOMPARE(h.days()->currentIndex(), expectedDay - 1);
    QCOMPARE(m.ActiveDay(), qint16(expectedDay));
    QCOMPARE(m.ActiveTrapeza(), qint16(meal));
    QCOMPARE(h.meals()->currentIndex(), meal - 1);

    // The grid shows the same meal of the newly selected day.
    QStringList shown;
    for (qint16 p : h.meal(expectedDay, meal))
        shown.append(h.g.objCatalog.GetProduct(p).Name());
    if (shown.isEmpty())
        shown.append(QString());
    QCOMPARE(h.names(h.grid("tblDayMenu")), shown);
    QVERIFY(h.meal(4, meal).isEmpty());
}

void tst_frmmenu::deleteMiddleDay()
{
    EditorHarness h;
    h.addProducts({{"Гречка", "80", "гр"}, {"Чай", "2", "пак"}, {"Рис", "70", "гр"}});
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.click("cmdAddDay");
    h.click("cmdAddDay");
    h.setMeal(1, 1, {1});
    h.setMeal(2, 1, {2});
    h.setMeal(3, 1, {3});
    h.setMeal(3, 3, {1, 2});
    h.clickTab(h.days(), 1);

    h.boxes.setNextAnswer(MessageBox::Ok);
    h.click("cmdDelDay");
    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(h.boxes.last().text, QStringLiteral("Вы действительно хотите удалить из рациона 'День 2' ?"));
    QCOMPARE(h.boxes.last().caption, QStringLiteral("Запрос на удаление"));
    QCOMPARE(h.boxes.last().buttons, MessageBox::OkCancel);
    QCOMPARE(h.boxes.last().icon, MessageBox::NoIcon);

    QCOMPARE(h.tabTexts(h.days()), (QStringList{"День 1", "День 2"}));
    QCOMPARE(h.g.intPeriod, qint16(2));
    QCOMPARE(h.g.objMenuList.size(), qint16(2));
    // The former day 3 is day 2 now, with all its meals.
    QCOMPARE(h.meal(1, 1), QList<qint16>{1});
    QCOMPARE(h.meal(2, 1), QList<qint16>{3});
    QCOMPARE(h.meal(2, 3), (QList<qint16>{1, 2}));
    // The window shows the day that is selected now.
    QCOMPARE(m.ActiveDay(), qint16(h.days()->currentIndex() + 1));
    QCOMPARE(h.names(h.grid("tblDayMenu")),
             QStringList{h.g.objCatalog.GetProduct(h.meal(m.ActiveDay(), 1).first()).Name()});
}

void tst_frmmenu::deleteDayCancelled()
{
    EditorHarness h;
    h.addProducts({{"Гречка", "80", "гр"}});
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.click("cmdAddDay");
    h.click("cmdAddDay");
    h.setMeal(2, 1, {1});
    h.clickTab(h.days(), 1);

    h.boxes.setNextAnswer(MessageBox::Cancel);
    h.click("cmdDelDay");
    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(h.tabTexts(h.days()), (QStringList{"День 1", "День 2", "День 3"}));
    QCOMPARE(h.g.intPeriod, qint16(3));
    QCOMPARE(h.g.objMenuList.size(), qint16(3));
    QCOMPARE(h.meal(2, 1), QList<qint16>{1});
    QCOMPARE(m.ActiveDay(), qint16(2));
    // Any answer but OK is a no as well.
    m.DelDay(0);
    m.DelDay(2);
    QCOMPARE(h.g.objMenuList.size(), qint16(3));
}

void tst_frmmenu::dayButtonsFollowDayCount()
{
    EditorHarness h;
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.click("cmdAddDay");
    h.click("cmdAddDay");
    QVERIFY(h.button("cmdDelDay")->isEnabled());
    QVERIFY(h.button("cmdRemoveDay")->isEnabled());

    h.boxes.setNextAnswer(MessageBox::Ok);
    h.click("cmdDelDay");
    QVERIFY(h.button("cmdDelDay")->isEnabled());
    h.boxes.setNextAnswer(MessageBox::Ok);
    h.click("cmdDelDay");
    QCOMPARE(h.days()->count(), 1);
    QVERIFY(!h.button("cmdDelDay")->isEnabled());
    QVERIFY(!h.button("cmdRemoveDay")->isEnabled());

    // The last day is never deleted, even when asked directly (as the file reader does).
    m.DelDay(frmMenu::DelDayOk);
    QCOMPARE(h.days()->count(), 1);
    QCOMPARE(h.g.objMenuList.size(), qint16(1));
    QCOMPARE(h.g.intPeriod, qint16(1));

    h.click("cmdAddDay");
    QVERIFY(h.button("cmdDelDay")->isEnabled());
    QVERIFY(h.button("cmdRemoveDay")->isEnabled());
}

void tst_frmmenu::dayTabsFollowLoadedRation_data()
{
    QTest::addColumn<bool>("editorBeforeLoad");
    QTest::addColumn<int>("days");

    QTest::newRow("editor before, three days") << true << 3;
    QTest::newRow("editor after, three days") << false << 3;
    QTest::newRow("editor before, one day") << true << 1;
    QTest::newRow("editor after, one day") << false << 1;
}

void tst_frmmenu::dayTabsFollowLoadedRation()
{
    QFETCH(bool, editorBeforeLoad);
    QFETCH(int, days);

    EditorHarness h;
    h.addProducts({{"Гречка", "80", "гр"}, {"Чай", "2", "пак"}});
    if (editorBeforeLoad) {
        // An editor left with other days and the second one selected.
        h.open();
        for (int i = 0; i < 4; ++i)
            h.click("cmdAddDay");
        h.clickTab(h.days(), 1);
        Forms::closeBackTo(h.menu(), h.forms->MainForm());
    }
    // What loading leaves behind: a ration of `days` menus, the last with a lunch.
    while (h.g.objMenuList.size() > 0)
        h.g.objMenuList.DelMenu(1);
    for (int i = 0; i < days; ++i)
        h.g.objMenuList.AddMenu();
    h.g.intPeriod = qint16(days);
    h.setMeal(days, 1, {2});
    if (h.forms->hasMenu()) {
        h.menu().RebuildDayTabs();
        h.menu().VisibleCatalog();
    }

    frmMenu& m = h.open();
    QStringList captions;
    for (int i = 1; i <= days; ++i)
        captions.append(QStringLiteral("День %1").arg(i));
    QCOMPARE(h.tabTexts(h.days()), captions);
    QCOMPARE(h.days()->currentIndex(), days - 1);
    QCOMPARE(m.ActiveDay(), qint16(days));
    QCOMPARE(h.button("cmdDelDay")->isEnabled(), days > 1);
    QCOMPARE(h.button("cmdRemoveDay")->isEnabled(), days > 1);
    QCOMPARE(h.names(h.grid("tblDayMenu")), QStringList{"Чай"});
    // The loaded products can be changed at once.
    QVERIFY(h.button("cmdRename")->isEnabled());
}

void tst_frmmenu::mealTabKeptAcrossDays()
{
    EditorHarness h;
    h.addProducts({{"Гречка", "80", "гр"}, {"Чай", "2", "пак"}, {"Рис", "70", "гр"}});
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.click("cmdAddDay");
    h.setMeal(1, 3, {1});
    h.setMeal(2, 3, {2, 3});
    h.setMeal(2, 1, {1});
    h.clickTab(h.meals(), 2);
    QCOMPARE(m.ActiveTrapeza(), qint16(3));
    QCOMPARE(h.names(h.grid("tblDayMenu")), (QStringList{"Чай", "Рис"}));
    h.clickTab(h.days(), 0);
    QCOMPARE(m.ActiveTrapeza(), qint16(3));
    QCOMPARE(h.names(h.grid("tblDayMenu")), QStringList{"Гречка"});
    // The meal grid's current row is its last product.
    h.clickTab(h.days(), 1);
    QCOMPARE(h.current(h.grid("tblDayMenu")), QPoint(0, 2));
}

void tst_frmmenu::addProductToMeal()
{
    EditorHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Гречка", "80", "гр"}, {"Chai", "2", "шт"}});
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.clickTab(h.meals(), 1);

    h.pick(h.grid("tblCatalog"), 2); // Гречка, catalog position 2
    h.click("cmdAddProduct");
    h.pick(h.grid("tblCatalog"), 2);
    h.click("cmdAddProduct");
    QCOMPARE(h.meal(1, 2), QList<qint16>{2});
    QCOMPARE(h.names(h.grid("tblDayMenu")), QStringList{"Гречка"});

    h.pick(h.grid("tblCatalog"), 1); // Chai, position 3
    h.click("cmdAddProduct");
    QCOMPARE(h.meal(1, 2), (QList<qint16>{2, 3}));
    QCOMPARE(h.names(h.grid("tblDayMenu")), (QStringList{"Гречка", "Chai"}));
    QVERIFY(h.meal(1, 1).isEmpty());
    QVERIFY(h.meal(1, 3).isEmpty());
    QCOMPARE(m.ActiveTrapeza(), qint16(2));
}

void tst_frmmenu::addProductWithoutCatalog()
{
    EditorHarness h;
    h.open();
    h.click("cmdChange");
    h.click("cmdAddProduct");
    QVERIFY(h.meal(1, 1).isEmpty());
    QCOMPARE(h.names(h.grid("tblDayMenu")), QStringList{QString()});
    QCOMPARE(h.boxes.count(), 0);
    // Removing from an empty meal does nothing either.
    h.click("cmdDelProduct");
    QVERIFY(h.meal(1, 1).isEmpty());
    QCOMPARE(h.boxes.count(), 0);
}

void tst_frmmenu::removeProductsFromTheLastUp()
{
    EditorHarness h;
    h.addProducts({{"Гречка", "80", "гр"}, {"Чай", "2", "пак"}, {"Рис", "70", "гр"}});
    h.setMeal(1, 1, {3, 1, 2});
    h.open();
    h.click("cmdChange");
    QCOMPARE(h.names(h.grid("tblDayMenu")), (QStringList{"Рис", "Гречка", "Чай"}));

    h.click("cmdDelProduct");
    QCOMPARE(h.meal(1, 1), (QList<qint16>{3, 1}));
    h.click("cmdDelProduct");
    QCOMPARE(h.meal(1, 1), QList<qint16>{3});
    // A picked row goes, whichever it is.
    h.setMeal(1, 1, {3, 1, 2});
    h.menu().ViewMenu();
    h.pick(h.grid("tblDayMenu"), 1);
    h.click("cmdDelProduct");
    QCOMPARE(h.meal(1, 1), (QList<qint16>{1, 2}));
    h.click("cmdDelProduct");
    h.click("cmdDelProduct");
    h.click("cmdDelProduct");
    QVERIFY(h.meal(1, 1).isEmpty());
    QCOMPARE(h.names(h.grid("tblDayMenu")), QStringList{QString()});
}

void tst_frmmenu::activationPicksLastInNameOrder()
{
    EditorHarness h;
    h.addProducts({{"Яблоки", "100", "гр"}, {"Гречка", "80", "гр"}, {"Чай", "2", "пак"}});
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.pick(h.grid("tblCatalog"), 1);
    // Back from a dialog: the pick is gone, the last product in name order is current.
    m.Form_Activate();
    QCOMPARE(h.current(h.grid("tblCatalog")), QPoint(1, 3));
    h.click("cmdAddProduct");
    QCOMPARE(h.meal(1, 1), QList<qint16>{1});
}

void tst_frmmenu::closeReturnsToMainWindow_data()
{
    QTest::addColumn<bool>("byFrame");
    QTest::newRow("close button") << false;
    QTest::newRow("window frame") << true;
}

void tst_frmmenu::closeReturnsToMainWindow()
{
    QFETCH(bool, byFrame);

    EditorHarness h;
    frmMenu& m = h.open();
    frmMainForm& main = h.forms->MainForm();
    QVERIFY(!main.isEnabled());
    QVERIFY(m.isVisible());
    if (byFrame)
        m.close();
    else
        h.click("cmdClose");
    QVERIFY(!m.isVisible());
    QVERIFY(main.isEnabled());
    QVERIFY(h.forms->hasMenu());
}

void tst_frmmenu::reopenKeepsViewAndSelection()
{
    EditorHarness h;
    frmMenu& m = h.open();
    h.click("cmdChange");
    h.click("cmdAddDay");
    h.click("cmdAddDay");
    h.clickTab(h.days(), 1);
    h.clickTab(h.meals(), 2);
    h.click("cmdClose");

    h.open();
    QVERIFY(m.isRationView());
    QCOMPARE(m.windowTitle(), QStringLiteral("Рацион"));
    QCOMPARE(m.twipsWindow(), QRect(100, 10, 9348, 6716));
    QCOMPARE(m.ActiveDay(), qint16(2));
    QCOMPARE(m.ActiveTrapeza(), qint16(3));
    QCOMPARE(h.days()->currentIndex(), 1);
    QCOMPARE(h.meals()->currentIndex(), 2);
}

void tst_frmmenu::renameWithEmptyCatalog()
{
    // The change button is disabled then, but a double-click on the grid still asks.
    EditorHarness h;
    frmMenu& m = h.open();
    QTableView* grid = h.grid("tblProduct");
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(h.boxes.last().text, QStringLiteral("Каталог пуст!"));
    QCOMPARE(h.boxes.last().caption, QStringLiteral("Ошибка!"));
    QVERIFY(m.isEnabled());
    QVERIFY(!h.forms->DialogProduct().isVisible());
}

void tst_frmmenu::largeCatalogStaysFast()
{
    EditorHarness h;
    auto* rng = QRandomGenerator::global();
    QStringList names;
    for (int i = 0; i < clsCatalog::MaxSize; ++i) {
        QString name;
        for (int k = 0; k < 8; ++k)
            name.append(QChar(u'а' + rng->bounded(32)));
        names.append(name);
        h.g.objCatalog.AddProduct(name, QString::number(i % 500), "гр");
    }
    frmMenu& m = h.open();
    h.click("cmdChange");

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 3; ++i)
        m.Form_Activate();
    // Rebuilding on every activation must not make the window sluggish.
    QVERIFY2(timer.elapsed() < 6000, qPrintable(QString::number(timer.elapsed())));

    names.sort();
    QCOMPARE(h.names(h.grid("tblCatalog")), names);
    QCOMPARE(h.current(h.grid("tblCatalog")), QPoint(1, clsCatalog::MaxSize));
    h.click("cmdAddProduct");
    QCOMPARE(h.g.objCatalog.GetProduct(h.meal(1, 1).first()).Name(), names.last());
}

QTEST_MAIN(tst_frmmenu)
#include "tst_frmmenu.moc"

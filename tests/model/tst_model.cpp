#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/TripDays.h"
#include "model/Units.h"

#include <QTest>

namespace {

// A catalog from (name, norm, unit) triples.
void fill(clsCatalog& c, const QList<QStringList>& products)
{
    for (const auto& p : products)
        c.AddProduct(p.at(0), p.at(1), p.at(2));
}

clsTrapeza meal(std::initializer_list<qint16> positions)
{
    clsTrapeza t;
    for (qint16 p : positions)
        t.AddProduct(p);
    return t;
}

QList<qint16> entries(const clsTrapeza& t)
{
    QList<qint16> out;
    for (qint16 i = 1; i <= t.GetCountProduct(); ++i)
        out.append(t.GetIndexProduct(i));
    return out;
}

} // namespace

class tst_model : public QObject
{
    Q_OBJECT

private slots:
    void addProductNorm_data();
    void addProductNorm();
    void addProductOverflowAppendsNothing();
    void catalogReferencesAndBounds();
    void fullCatalogCopiedAndMoved();
    void productSetters();
    void gramUnits_data();
    void gramUnits();
    void mealRepeatsAndDelete();
    void mealWeightAndGrid_data();
    void mealWeightAndGrid();
    void weightsPast16Bits();
    void menuOfDayCopies();
    void setMenu_data();
    void setMenu();
    void setMenuFromItself();
    void tripDays_data();
    void tripDays();
    void layoutBuild_data();
    void layoutBuild();
    void layoutWeightAndView();
    void startUpState();
};

void tst_model::addProductNorm_data()
{
    QTest::addColumn<QString>("norm");
    QTest::addColumn<int>("expected");

    QTest::newRow("blanks around") << " 80 " << 80;
    QTest::newRow("minus five keeps 0") << "-5" << 0;
    QTest::newRow("no digits") << "много" << 0;
    QTest::newRow("2.5") << "2.5" << 2;
    QTest::newRow("3.5") << "3.5" << 4;
    QTest::newRow("with unit") << "80g" << 80;
    QTest::newRow("max") << "32767" << 32767;
}

void tst_model::addProductNorm()
{
    QFETCH(QString, norm);
    QFETCH(int, expected);
    clsCatalog c;
    c.AddProduct(QStringLiteral("Гречка"), norm, QString());
    QCOMPARE(c.size(), qint16(1));
    QCOMPARE(int(c.GetProduct(1).Norma()), expected);
    QCOMPARE(c.GetProduct(1).strProductEdin, QString());
}

void tst_model::addProductOverflowAppendsNothing()
{
    clsCatalog c;
    c.AddProduct(QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("гр"));
    QVERIFY_THROWS_EXCEPTION(OverflowError, c.AddProduct(QStringLiteral("b"), QStringLiteral("40000"), QString()));
    QVERIFY_THROWS_EXCEPTION(OverflowError, c.AddProduct(QStringLiteral("b"), QStringLiteral("-32769"), QString()));
    QCOMPARE(c.size(), qint16(1));
}

void tst_model::catalogReferencesAndBounds()
{
    clsCatalog c;
    fill(c, {{"a", "1", "гр"}, {"a", "2", "шт"}, {"c", "3", ""}});
    QCOMPARE(c.size(), qint16(3));
    QCOMPARE(c.GetProduct(1).Name(), c.GetProduct(2).Name()); // same name, two positions
    c.GetProduct(3).setName(QStringLiteral("Рис"));
    QCOMPARE(c.GetProduct(3).Name(), QStringLiteral("Рис"));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, c.GetProduct(0));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, c.GetProduct(4));
    c.DelAllProduct();
    QCOMPARE(c.size(), qint16(0));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, c.GetProduct(1));
}

// A full catalog takes no more; a copy is the same and of its own; a catalog moved
// from is empty and takes products again.
void tst_model::fullCatalogCopiedAndMoved()
{
    clsCatalog c;
    for (int i = 1; i <= clsCatalog::MaxSize; ++i)
        c.AddProduct(QStringLiteral("П%1").arg(i), qint16(i % 7), QStringLiteral("гр"));
    QVERIFY_THROWS_EXCEPTION(OverflowError, c.AddProduct(QStringLiteral("лишний"), qint16(1), QString()));
    QCOMPARE(c.size(), clsCatalog::MaxSize);
    QCOMPARE(c.GetProduct(clsCatalog::MaxSize).Name(), QStringLiteral("П%1").arg(clsCatalog::MaxSize));

    clsCatalog copy(c);
    QVERIFY(copy == c);
    copy.GetProduct(5).setNorma(99);
    QVERIFY(!(copy == c));
    QCOMPARE(c.GetProduct(5).Norma(), qint16(5));

    clsCatalog moved(std::move(c));
    QCOMPARE(moved.size(), clsCatalog::MaxSize);
    QCOMPARE(c.size(), qint16(0));
    c.AddProduct(QStringLiteral("снова"), qint16(1), QString());
    QCOMPARE(c.GetProduct(1).Name(), QStringLiteral("снова"));
    copy = std::move(moved);
    QCOMPARE(copy.size(), clsCatalog::MaxSize);
    QCOMPARE(moved.size(), qint16(0));
}

void tst_model::productSetters()
{
    clsCatalog c;
    c.AddProduct(QString(), QStringLiteral("5"), QStringLiteral("шт"));
    clsProduct& p = c.GetProduct(1);
    QCOMPARE(p.Name(), QString());
    p.setName(QStringLiteral("Сыр"));
    p.setName(QString());
    QCOMPARE(p.Name(), QStringLiteral("Сыр"));
    p.setNorma(-1);
    QCOMPARE(p.Norma(), qint16(5));
    p.setNorma(0);
    QCOMPARE(p.Norma(), qint16(0));
}

void tst_model::gramUnits_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("gram");

    QTest::newRow("гр") << "гр" << true;
    QTest::newRow("гр.") << "гр." << true;
    QTest::newRow("грамм") << "грамм" << true;
    QTest::newRow("g") << "g" << true;
    QTest::newRow("g.") << "g." << true;
    QTest::newRow("capital") << "Гр" << false;
    QTest::newRow("leading blank") << " гр" << false;
    QTest::newRow("г") << "г" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("G") << "G" << false;
}

void tst_model::gramUnits()
{
    QFETCH(QString, unit);
    QFETCH(bool, gram);
    QCOMPARE(Units::isGramUnit(unit), gram);
}

void tst_model::mealRepeatsAndDelete()
{
    clsTrapeza t = meal({5, 3, 5, 1});
    QCOMPARE(entries(t), (QList<qint16>{5, 3, 1}));
    t.DelProduct(2); // a meal position, not a catalog position
    QCOMPARE(entries(t), (QList<qint16>{5, 1}));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, t.DelProduct(3));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, t.GetIndexProduct(0));
    QCOMPARE(entries(t), (QList<qint16>{5, 1}));
    t.DelAllProduct();
    QCOMPARE(t.GetCountProduct(), qint16(0));
}

void tst_model::mealWeightAndGrid_data()
{
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QStringList>("amounts");

    QTest::newRow("4 people") << 4 << 400 << QStringList{"400", "8", "", "40"};
    QTest::newRow("0 people") << 0 << 0 << QStringList{"", "", "", ""};
    QTest::newRow("1 person") << 1 << 100 << QStringList{"100", "2", "", "10"};
}

void tst_model::mealWeightAndGrid()
{
    QFETCH(int, people);
    QFETCH(int, weight);
    QFETCH(QStringList, amounts);

    clsCatalog c;
    fill(c, {{"Гречка", "100", "гр"}, {"Яйца", "2", "шт"}, {"Соль", "0", "гр"}, {"Мука", "10", "Гр"}});
    const clsTrapeza t = meal({1, 2, 3, 4});
    QCOMPARE(t.GetVes(c, qint16(people)), weight);

    const auto rows = t.ViewRasklad(c, qint16(people));
    QCOMPARE(rows.size(), 4);
    for (int r = 0; r < rows.size(); ++r) {
        QCOMPARE(rows[r].size(), 3);
        QCOMPARE(rows[r][0], c.GetProduct(qint16(r + 1)).Name());
        QCOMPARE(rows[r][1], amounts[r]);
        QCOMPARE(rows[r][2], c.GetProduct(qint16(r + 1)).strProductEdin);
    }
    QCOMPARE(t.ViewMenu(c), (QStringList{"Гречка", "Яйца", "Соль", "Мука"}));

    // An empty meal shows one empty row in both grids.
    const clsTrapeza empty;
    QCOMPARE(empty.ViewMenu(c), QStringList{QString()});
    QCOMPARE(empty.ViewRasklad(c, qint16(people)), (QList<QStringList>{{"", "", ""}}));
    QCOMPARE(empty.GetVes(c, qint16(people)), 0);

    // A position the catalog lacks is a failure, not a crash.
    const clsTrapeza broken = meal({9});
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, broken.GetVes(c, 1));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, broken.ViewMenu(c));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, broken.ViewRasklad(c, 1));
}

void tst_model::weightsPast16Bits()
{
    // 30 people and 1.1 kg a person per day pass 32767 g for the group.
    clsCatalog c;
    fill(c, {{"a", "500", "гр"}, {"b", "400", "гр"}, {"c", "200", "гр"}, {"d", "32767", "g"}});
    clsMenuOfDay m;
    m.SetTrapeza(meal({1}), 1);
    m.SetTrapeza(meal({2}), 2);
    m.SetTrapeza(meal({3}), 3);
    QCOMPARE(m.GetVes(c, 30), 33000);
    QCOMPARE(meal({4}).GetVes(c, 30), 983010);
    QCOMPARE(meal({4}).ViewRasklad(c, 30).at(0).at(1), QStringLiteral("983010"));
}

void tst_model::menuOfDayCopies()
{
    clsCatalog c;
    fill(c, {{"a", "300", "гр"}, {"b", "500", "гр"}, {"c", "200", "гр"}});
    clsMenuOfDay m;
    clsTrapeza source = meal({1});
    m.SetTrapeza(source, 1);
    source.AddProduct(2);
    QCOMPARE(entries(*m.GetTrapeza(1)), (QList<qint16>{1}));

    m.GetTrapeza(2)->AddProduct(2); // the stored meal itself
    m.GetTrapeza(3)->AddProduct(3);
    QCOMPARE(m.GetVes(c, 1), 1000);

    QVERIFY(m.GetTrapeza(0) == nullptr);
    QVERIFY(m.GetTrapeza(4) == nullptr);
    m.SetTrapeza(meal({2, 3}), 0);
    m.SetTrapeza(meal({2, 3}), 4);
    QCOMPARE(m.GetVes(c, 1), 1000);

    clsMenuOfDay copy(m);
    copy.GetTrapeza(1)->AddProduct(3);
    QCOMPARE(entries(*m.GetTrapeza(1)), (QList<qint16>{1}));
    clsMenuOfDay assigned;
    assigned = m;
    m.GetTrapeza(2)->DelAllProduct();
    QCOMPARE(entries(*assigned.GetTrapeza(2)), (QList<qint16>{2}));
}

void tst_model::setMenu_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<qint16>>("markers"); // lunch's first entry of each menu

    QTest::newRow("inside replaces") << 2 << QList<qint16>{1, 9, 3};
    QTest::newRow("first replaces") << 1 << QList<qint16>{9, 2, 3};
    QTest::newRow("last replaces") << 3 << QList<qint16>{1, 2, 9};
    QTest::newRow("just past appends") << 4 << QList<qint16>{1, 2, 3, 9};
    QTest::newRow("far past appends") << 7 << QList<qint16>{1, 2, 3, 9};
}

void tst_model::setMenu()
{
    QFETCH(int, position);
    QFETCH(QList<qint16>, markers);

    clsMenuList list;
    for (qint16 d = 1; d <= 3; ++d) {
        list.AddMenu(d);
        list.GetMenu(d).GetTrapeza(1)->AddProduct(d);
    }
    clsMenuOfDay nine;
    nine.GetTrapeza(1)->AddProduct(9);
    list.SetMenu(nine, qint16(position));
    nine.GetTrapeza(1)->AddProduct(10); // the stored menu is a copy

    QCOMPARE(int(list.size()), markers.size());
    for (qint16 d = 1; d <= list.size(); ++d)
        QCOMPARE(entries(*list.GetMenu(d).GetTrapeza(1)), QList<qint16>{markers[d - 1]});
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, list.GetMenu(0));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, list.DelMenu(qint16(list.size() + 1)));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, list.SetMenu(nine, 0));
}

void tst_model::setMenuFromItself()
{
    clsMenuList list;
    list.AddMenu();
    list.AddMenu();
    list.GetMenu(2).GetTrapeza(3)->AddProduct(4);
    list.SetMenu(list.GetMenu(2), 2);
    QCOMPARE(list.size(), qint16(2));
    QCOMPARE(entries(*list.GetMenu(2).GetTrapeza(3)), QList<qint16>{4});
    list.DelMenu(1);
    QCOMPARE(list.size(), qint16(1));
    QCOMPARE(entries(*list.GetMenu(1).GetTrapeza(3)), QList<qint16>{4});
}

void tst_model::tripDays_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("shifts");
    QTest::addColumn<int>("menu");
    QTest::addColumn<int>("shift");

    QTest::newRow("day 1") << 1 << 3 << 4 << 1 << 1;
    QTest::newRow("day 4") << 4 << 3 << 4 << 1 << 4;
    QTest::newRow("day 7") << 7 << 3 << 4 << 1 << 3;
    QTest::newRow("day 51 of 5") << 51 << 5 << 3 << 1 << 3;
    QTest::newRow("one shift") << 6 << 10 << 1 << 6 << 1;
}

void tst_model::tripDays()
{
    QFETCH(int, day);
    QFETCH(int, period);
    QFETCH(int, shifts);
    QFETCH(int, menu);
    QFETCH(int, shift);
    QCOMPARE(int(TripDays::menuOfDay(day, period)), menu);
    QCOMPARE(int(TripDays::smenaOfDay(day, shifts)), shift);
    QCOMPARE(TripDays::dateOfDay(QDate(2026, 2, 27), day), QDate(2026, 2, 27).addDays(day - 1));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, TripDays::menuOfDay(0, period));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, TripDays::smenaOfDay(day, 0));
}

void tst_model::layoutBuild_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("period");
    QTest::addColumn<QList<qint16>>("menus");

    QTest::newRow("one day") << 1 << 1 << QList<qint16>{1};
    QTest::newRow("7 days of 3") << 7 << 3 << QList<qint16>{1, 2, 3, 1, 2, 3, 1};
    QTest::newRow("ration longer than trip") << 4 << 10 << QList<qint16>{1, 2, 3, 4};
    QList<qint16> fiftyOne;
    for (int d = 1; d <= 51; ++d)
        fiftyOne.append(qint16((d - 1) % 5 + 1));
    QTest::newRow("51 days of 5") << 51 << 5 << fiftyOne;
}

void tst_model::layoutBuild()
{
    QFETCH(int, days);
    QFETCH(int, period);
    QFETCH(QList<qint16>, menus);

    clsRasklad r;
    r.Build(qint16(days), qint16(period));
    r.Build(qint16(days), qint16(period)); // building twice does not double the days
    QCOMPARE(int(r.CountDay()), days);
    for (qint16 d = 1; d <= days; ++d)
        QCOMPARE(r.GetMenu(d), menus[d - 1]);
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, r.GetMenu(0));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, r.GetMenu(qint16(days + 1)));
}

void tst_model::layoutWeightAndView()
{
    clsCatalog c;
    fill(c, {{"Каша", "1000", "гр"}, {"Сыр", "200", "гр"}, {"Яйцо", "1", "шт"}});
    clsMenuList list;
    list.AddMenu();
    list.AddMenu();
    list.GetMenu(1).GetTrapeza(1)->AddProduct(1);
    list.GetMenu(2).GetTrapeza(2)->AddProduct(1);
    list.GetMenu(2).GetTrapeza(3)->AddProduct(2);
    list.GetMenu(2).GetTrapeza(3)->AddProduct(3);

    clsRasklad r;
    r.Build(3, 2);
    QCOMPARE(r.GetVes(list, c, 1), qint64(3200));
    QCOMPARE(r.GetVes(list, c, 30), qint64(96000)); // past 16 and past a day's limit

    QCOMPARE(r.ViewRasklad(2, 3, 2, list, c, 4), (QList<QStringList>{{"Сыр", "800", "гр"}, {"Яйцо", "4", "шт"}}));
    QCOMPARE(r.ViewRasklad(3, 2, 2, list, c, 4), (QList<QStringList>{{"", "", ""}}));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, r.ViewRasklad(0, 1, 2, list, c, 4));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, r.ViewRasklad(1, 4, 2, list, c, 4));
}

void tst_model::startUpState()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    QCOMPARE(g.strTitle, QStringLiteral("Торбел 3.1"));
    QCOMPARE(g.dtDataBegin, QDate(1900, 1, 1));
    QCOMPARE(g.dtDataEnd, QDate(9999, 1, 1));
    QCOMPARE(g.intPeriod, qint16(1));
    QCOMPARE(g.objMenuList.size(), qint16(1));
    QCOMPARE(g.objMenuList.GetMenu(1).GetVes(g.objCatalog, 0), 0);
    QCOMPARE(g.objCatalog.size(), qint16(0));
    QCOMPARE(g.intCountPeople, qint16(0));
    QCOMPARE(g.intCountSmena, qint16(0));
    QCOMPARE(g.intCountDay, qint16(0));
    QVERIFY(g.strFileName.isEmpty());
    QVERIFY(!g.blnChanged && !g.blnDataBegin && !g.blnDataEnd);
}

QTEST_GUILESS_MAIN(tst_model)
#include "tst_model.moc"

#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/PurchaseList.h"
#include "model/Weights.h"
#include "support/SampleTrip.h"

#include <QTest>

using Rows = QList<QStringList>;

class tst_purchaselist : public QObject
{
    Q_OBJECT

private slots:
    void build_data();
    void build();
    void takenDays_data();
    void takenDays();
    void gramUnits_data();
    void gramUnits();
    void amountPast32Bits();
    void entryOutsideCatalog();
    void layoutShorterThanTrip();
    void perPerson_data();
    void perPerson();
    void numberText_data();
    void numberText();
};

void tst_purchaselist::build_data()
{
    QTest::addColumn<Rows>("products");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("smena");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("viewAll");
    QTest::addColumn<int>("smen");
    QTest::addColumn<Rows>("grid");

    // Day d of a 7-day trip is served the product "Дd"; "Крупа" is in every dinner.
    Rows week;
    QStringList weekMenus;
    for (int d = 1; d <= 7; ++d) {
        week.append({QStringLiteral("Д%1").arg(d), "1", "шт"});
        weekMenus.append(QStringLiteral("%1 | 8 |").arg(d));
    }
    week.append({"Крупа", "100", "гр"});

    QTest::newRow("shift 2 of 3 takes days 2 and 5")
        << week << weekMenus << 2 << 3 << 7 << false << 2
        << Rows{{"Д2", "2", "шт"}, {"Д5", "2", "шт"}, {"Крупа", "400", "гр"}, {"ВСЕГО:", "400", "гр"}};
    QTest::newRow("shift 3 of 3 takes days 3 and 6")
        << week << weekMenus << 2 << 3 << 7 << false << 3
        << Rows{{"Д3", "2", "шт"}, {"Д6", "2", "шт"}, {"Крупа", "400", "гр"}, {"ВСЕГО:", "400", "гр"}};
    QTest::newRow("all days whatever the shift")
        << week << weekMenus << 2 << 3 << 7 << true << 2
        << Rows{{"Д1", "2", "шт"}, {"Д2", "2", "шт"},       {"Д3", "2", "шт"},
                {"Д4", "2", "шт"}, {"Д5", "2", "шт"},       {"Д6", "2", "шт"},
                {"Д7", "2", "шт"}, {"Крупа", "1400", "гр"}, {"ВСЕГО:", "1400", "гр"}};
    QTest::newRow("shift that cooks no day") << week << weekMenus << 2 << 5 << 3 << false << 5 << Rows{};

    QTest::newRow("menus repeat over the days")
        << Rows{{"A", "1", "шт"}, {"B", "1", "шт"}, {"C", "1", "шт"}} << QStringList{"1||", "|2|", "||3"} << 1 << 1 << 7
        << true << 1 << Rows{{"A", "3", "шт"}, {"B", "2", "шт"}, {"C", "2", "шт"}};

    QTest::newRow("only gram words of the list count")
        << Rows{{"Сахар", "50", "г"}, {"Яйца", "2", "шт"}, {"Мука", "100", "грамм"}, {"Рис", "80", "гр."},
                {"Чай", "5", "g"},    {"Соль", "1", "Гр"}, {"Изюм", "10", "г."}}
        << QStringList{"1 2 3 4 5 6 7||"} << 3 << 1 << 1 << true << 1
        << Rows{{"Изюм", "30", "г."}, {"Мука", "300", "грамм"}, {"Рис", "240", "гр."}, {"Сахар", "150", "г"},
                {"Соль", "3", "Гр"},  {"Чай", "15", "g"},       {"Яйца", "6", "шт"},   {"ВСЕГО:", "435", "гр"}};
    QTest::newRow("no gram product, no total")
        << Rows{{"Яйца", "2", "шт"}, {"Молоко", "1", "л"}} << QStringList{"1|2|"} << 2 << 1 << 1 << true << 1
        << Rows{{"Молоко", "2", "л"}, {"Яйца", "4", "шт"}};
    QTest::newRow("unused and zero-norm products left out")
        << Rows{{"Соль", "0", "гр"}, {"Перец", "5", "гр"}, {"Рис", "100", "гр"}} << QStringList{"1 3||"} << 2 << 1 << 1
        << true << 1 << Rows{{"Рис", "200", "гр"}, {"ВСЕГО:", "200", "гр"}};
    QTest::newRow("empty catalog") << Rows{} << QStringList{"||"} << 2 << 1 << 3 << true << 1 << Rows{{"", "", ""}};
    QTest::newRow("catalog without any use")
        << Rows{{"Рис", "100", "гр"}} << QStringList{"||"} << 2 << 1 << 3 << true << 1 << Rows{};
    QTest::newRow("name order, not order of use")
        << Rows{{"Сахар", "1", "гр"}, {"Гречка", "1", "гр"}, {"Chai", "1", "гр"}, {"рис", "1", "гр"}}
        << QStringList{"4 1 2 3||"} << 1 << 1 << 1 << true << 1
        << Rows{{"Chai", "1", "гр"},
                {"Гречка", "1", "гр"},
                {"Сахар", "1", "гр"},
                {"рис", "1", "гр"},
                {"ВСЕГО:", "4", "гр"}};
    QTest::newRow("30 people, 100 g in 11 meals")
        << Rows{{"Крупа", "100", "гр"}} << QStringList{"1|1|1", "1|1|1", "1|1|1", "1|1|"} << 30 << 15 << 4 << true << 1
        << Rows{{"Крупа", "33000", "гр"}, {"ВСЕГО:", "33000", "гр"}};
    QTest::newRow("gram total past 32 bits")
        << Rows{{"A", "32767", "гр"}, {"B", "32767", "гр"}} << QStringList{"1 2|1 2|"} << 30 << 1 << 15 << true << 1
        << Rows{{"A", "29490300", "гр"}, {"B", "29490300", "гр"}, {"ВСЕГО:", "58980600", "гр"}};
}

void tst_purchaselist::build()
{
    QFETCH(Rows, products);
    QFETCH(QStringList, menus);
    QFETCH(int, people);
    QFETCH(int, smena);
    QFETCH(int, days);
    QFETCH(bool, viewAll);
    QFETCH(int, smen);
    QFETCH(Rows, grid);

    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, products, menus, qint16(people), qint16(smena), qint16(days));
    const PurchaseList list = PurchaseList::build(g, viewAll, qint16(smen));
    QCOMPARE(list.gridRows(), grid);
    QCOMPARE(list.intUnknownEntries, 0);
}

void tst_purchaselist::takenDays_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("smena");
    QTest::addColumn<bool>("viewAll");
    QTest::addColumn<int>("smen");
    QTest::addColumn<QList<qint16>>("taken");

    QTest::newRow("all") << 4 << 2 << true << 2 << QList<qint16>{1, 2, 3, 4};
    QTest::newRow("shift 1 of 3") << 7 << 3 << false << 1 << QList<qint16>{1, 4, 7};
    QTest::newRow("one shift cooks every day") << 3 << 1 << false << 1 << QList<qint16>{1, 2, 3};
    QTest::newRow("shift past the days") << 3 << 5 << false << 4 << QList<qint16>{};
    QTest::newRow("shift past the shifts") << 6 << 3 << false << 4 << QList<qint16>{};
    QTest::newRow("no days") << 0 << 3 << true << 1 << QList<qint16>{};
}

void tst_purchaselist::takenDays()
{
    QFETCH(int, days);
    QFETCH(int, smena);
    QFETCH(bool, viewAll);
    QFETCH(int, smen);
    QFETCH(QList<qint16>, taken);
    QCOMPARE(PurchaseList::takenDays(qint16(days), qint16(smena), viewAll, qint16(smen)), taken);
}

void tst_purchaselist::gramUnits_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("gram");
    for (const char* u : {"гр.", "гр", "г", "г.", "g", "g."})
        QTest::newRow(u) << QString::fromUtf8(u) << true;
    for (const char* u : {"грамм", "Г", "G", " г", "г ", "кг", "шт", ""})
        QTest::newRow(qPrintable(QStringLiteral("'%1'").arg(QString::fromUtf8(u)))) << QString::fromUtf8(u) << false;
}

void tst_purchaselist::gramUnits()
{
    QFETCH(QString, unit);
    QFETCH(bool, gram);
    QCOMPARE(PurchaseList::isGramUnit(unit), gram);
}

void tst_purchaselist::amountPast32Bits()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    // 32767 × 32767 per meal, in three meals: past 2^31 − 1.
    TestSupport::makeTrip(g, {{"A", "32767", "гр"}}, {"1|1|1"}, 32767, 1, 1);
    QVERIFY_THROWS_EXCEPTION(OverflowError, PurchaseList::build(g, true, 1));
    // Two meals still fit.
    TestSupport::makeTrip(g, {{"A", "32767", "гр"}}, {"1|1|"}, 32767, 1, 1);
    QCOMPARE(PurchaseList::build(g, true, 1).rows.value(0).intAmount, 2 * 32767 * 32767);
}

void tst_purchaselist::entryOutsideCatalog()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Рис", "100", "гр"}}, {"1 2|7|"}, 2, 1, 2);
    const PurchaseList list = PurchaseList::build(g, true, 1);
    QCOMPARE(list.gridRows(), (Rows{{"Рис", "400", "гр"}, {"ВСЕГО:", "400", "гр"}}));
    QCOMPARE(list.intUnknownEntries, 4);
}

void tst_purchaselist::layoutShorterThanTrip()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Рис", "100", "гр"}}, {"1||"}, 2, 1, 2);
    g.intCountDay = 3; // the layout was not rebuilt
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, PurchaseList::build(g, true, 1));
}

void tst_purchaselist::perPerson_data()
{
    QTest::addColumn<qint64>("group");
    QTest::addColumn<int>("people");
    QTest::addColumn<qint64>("each");

    QTest::newRow("exact") << qint64(2000) << 4 << qint64(500);
    QTest::newRow("half down to even") << qint64(10) << 4 << qint64(2);
    QTest::newRow("half up to even") << qint64(14) << 4 << qint64(4);
    QTest::newRow("below half") << qint64(10) << 3 << qint64(3);
    QTest::newRow("above half") << qint64(20) << 3 << qint64(7);
    QTest::newRow("past 16 bits") << qint64(33000) << 30 << qint64(1100);
    QTest::newRow("zero") << qint64(0) << 5 << qint64(0);
    QTest::newRow("no participants") << qint64(0) << 0 << qint64(0);
}

void tst_purchaselist::perPerson()
{
    QFETCH(qint64, group);
    QFETCH(int, people);
    QFETCH(qint64, each);
    QCOMPARE(Weights::perPerson(group, qint16(people)), each);
}

void tst_purchaselist::numberText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("positive") << qint64(500) << " 500";
    QTest::newRow("negative") << qint64(-3) << "-3";
    QTest::newRow("large") << qint64(5000000000) << " 5000000000";
}

void tst_purchaselist::numberText()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(Weights::numberText(value), text);
}

QTEST_GUILESS_MAIN(tst_purchaselist)
#include "tst_purchaselist.moc"

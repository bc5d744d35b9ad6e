#include "model/FactsText.h"
#include "model/FoodReference.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Nutrition.h"
#include "model/PurchaseList.h"
#include "model/Shopping.h"
#include "support/SampleTrip.h"

#include <QTest>

#include <cstring>
#include <limits>

using Rows = QList<QStringList>;

namespace {

void setFacts(GlobalVariable& g, qint16 intIndex, const QString& strLine)
{
    // "energy;proteins;fats;carbohydrates;grams per unit;package;price", as the file has them.
    const QStringList fields = strLine.split(u';');
    QCOMPARE(fields.size(), FactsText::FieldCount);
    ProductFacts& f = g.objCatalog.GetProduct(intIndex).facts;
    for (int i = 0; i < FactsText::FieldCount; ++i)
        FactsText::value(f, FactsText::fieldAt(i)) =
            fields.at(i).isEmpty() ? std::nullopt : FactsText::parse(fields.at(i));
}

} // namespace

class tst_nutrition : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void ranges_data();
    void ranges();
    void storedValues_data();
    void storedValues();
    void figuresOfHandCheckedTrip();
    void marks_data();
    void marks();
    void missingText_data();
    void missingText();
    void noPriceText_data();
    void noPriceText();
    void shoppingOfHandCheckedTrip_data();
    void shoppingOfHandCheckedTrip();
    void shoppingHasThePurchaseListsProducts();
    void shoppingOverflowSaysWhat_data();
    void shoppingOverflowSaysWhat();
    void referenceRefusals_data();
    void referenceRefusals();
    void referenceFillsOnlyEmptyFields();
    void bundledReference();
};

void tst_nutrition::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<qint64>("hundredths"); // -1: refused
    QTest::addColumn<QString>("shortest");
    QTest::newRow("whole") << "120" << false << qint64(12000) << "120";
    QTest::newRow("one decimal") << "13.3" << false << qint64(1330) << "13.3";
    QTest::newRow("two decimals") << "0.35" << false << qint64(35) << "0.35";
    QTest::newRow("trailing zero dropped") << "13.30" << false << qint64(1330) << "13.3";
    QTest::newRow("zero") << "0" << false << qint64(0) << "0";
    QTest::newRow("half") << "0.5" << false << qint64(50) << "0.5";
    QTest::newRow("three decimals") << "1.234" << false << qint64(-1) << "";
    QTest::newRow("comma in the file") << "1,5" << false << qint64(-1) << "";
    QTest::newRow("comma typed") << "1,5" << true << qint64(150) << "1.5";
    QTest::newRow("sign") << "-1" << false << qint64(-1) << "";
    QTest::newRow("blank") << " 1" << false << qint64(-1) << "";
    QTest::newRow("point alone") << "1." << false << qint64(-1) << "";
    QTest::newRow("no digits") << ".5" << false << qint64(-1) << "";
    QTest::newRow("empty") << "" << false << qint64(-1) << "";
    QTest::newRow("too long") << "99999999999999999999" << false << qint64(-1) << "";
}

void tst_nutrition::numbers()
{
    QFETCH(QString, text);
    QFETCH(bool, comma);
    QFETCH(qint64, hundredths);
    QFETCH(QString, shortest);
    const std::optional<qint64> v = FactsText::parse(text, comma);
    if (hundredths < 0) {
        QVERIFY(!v);
        return;
    }
    QCOMPARE(v, std::optional<qint64>(hundredths));
    QCOMPARE(FactsText::format(*v), shortest);
}

void tst_nutrition::ranges_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    using F = FactsText::Field;
    QTest::newRow("energy 1000") << int(F::Energy) << "1000" << true;
    QTest::newRow("energy 1000.01") << int(F::Energy) << "1000.01" << false;
    QTest::newRow("fats 100") << int(F::Fats) << "100" << true;
    QTest::newRow("fats 100.5") << int(F::Fats) << "100.5" << false;
    QTest::newRow("weight 0") << int(F::GramsPerUnit) << "0" << false;
    QTest::newRow("weight 0.01") << int(F::GramsPerUnit) << "0.01" << true;
    QTest::newRow("weight 100000.01") << int(F::GramsPerUnit) << "100000.01" << false;
    QTest::newRow("package 0") << int(F::Package) << "0" << false;
    QTest::newRow("package 1000000") << int(F::Package) << "1000000" << true;
    QTest::newRow("price 0") << int(F::Price) << "0" << true;
    QTest::newRow("price 10^9") << int(F::Price) << "1000000000" << true;
    QTest::newRow("price over") << int(F::Price) << "1000000000.01" << false;
    QTest::newRow("text") << int(F::Proteins) << "много" << false;
    QTest::newRow("empty is unknown") << int(F::Proteins) << "  " << true;
}

void tst_nutrition::ranges()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    const auto f = FactsText::fieldAt(field);
    std::optional<qint64> out = 7;
    QString strError;
    QCOMPARE(FactsText::read(f, text, QStringLiteral("Гречка"), out, strError), ok);
    if (ok)
        return;
    QCOMPARE(out, std::optional<qint64>(7)); // nothing stored
    QVERIFY2(strError.contains(QStringLiteral("«Гречка»")) && strError.contains(FactsText::fieldName(f)),
             qPrintable(strError));
}

void tst_nutrition::storedValues_data()
{
    QTest::addColumn<std::optional<qint64>>("value");
    QTest::newRow("unknown") << std::optional<qint64>();
    QTest::newRow("zero") << std::optional<qint64>(0);
    QTest::newRow("one hundredth") << std::optional<qint64>(1);
    QTest::newRow("the largest price") << std::optional<qint64>(1000000000LL * 100);
    QTest::newRow("negative") << std::optional<qint64>(-1);
    QTest::newRow("the largest qint64") << std::optional<qint64>(std::numeric_limits<qint64>::max());
}

void tst_nutrition::storedValues()
{
    QFETCH(std::optional<qint64>, value);
    // Every value a product may hold comes back as it went in, and only "unknown" is empty.
    FactValue stored = value;
    QCOMPARE(stored.has_value(), value.has_value());
    QCOMPARE(stored.optional(), value);
    QVERIFY(stored == value);
    QCOMPARE(stored.value_or(-7), value.value_or(-7));
    FactValue copy;
    copy = stored;
    QVERIFY(copy == stored);
    copy.reset();
    QVERIFY(copy == std::nullopt);
    QCOMPARE(copy == stored, !value.has_value());

    // New catalog blocks are zeroed memory: it must read as a product that knows nothing.
    ProductFacts zeroed;
    std::memset(static_cast<void*>(&zeroed), 0, sizeof zeroed);
    QVERIFY(zeroed.isEmpty());
    QVERIFY(zeroed == ProductFacts());
}

void tst_nutrition::figuresOfHandCheckedTrip()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    // Buckwheat served twice on menu 1's days; tea has no weight; sugar lacks carbohydrates.
    TestSupport::makeTrip(g, {{"Гречка", "80", "гр"}, {"Яйца", "1", "шт"}, {"Чай", "2", "пак"}, {"Сахар", "30", "г"}},
                          {"1 2 | 1 3 | 4", "2 | 2 | "}, 4, 1, 3);
    setFacts(g, 1, QStringLiteral("346;11.73;2.71;74.95;;;"));
    setFacts(g, 2, QStringLiteral("143;12.56;9.51;0.72;50;;"));
    setFacts(g, 3, QStringLiteral("0;0;0;0;;;"));
    setFacts(g, 4, QStringLiteral("387;0;0;;;;"));

    const Nutrition::Table t = Nutrition::build(g, 3);
    QCOMPARE(t.days.size(), 3);
    // Tea at dinner, sugar at breakfast of menu 1's days; menu 2 lacks nothing.
    QCOMPARE(t.days.at(0).missing, (QList<qint16>{3, 4}));
    QCOMPARE(t.days.at(1).missing, QList<qint16>());
    QCOMPARE(t.days.at(2).missing, (QList<qint16>{3, 4}));
    QCOMPARE(t.missing, (QList<qint16>{3, 4}));
    // Day 1: 160 g buckwheat, one 50 g egg, 30 g sugar.
    QCOMPARE(t.days.at(0).perPerson.kcal, 553.6 + 71.5 + 116.1);
    const Rows expected{
        {"1", "01.07.2024", "741", "25.0", "9.1", "120.3", "240", "2"},
        {"2", "02.07.2024", "143", "12.6", "9.5", "0.7", "100", "0"},
        {"3", "03.07.2024", "741", "25.0", "9.1", "120.3", "240", "2"},
        // Averages of the unrounded figures: (741.2 * 2 + 143) / 3 = 541.8 ...
        {"в среднем", "", "542", "20.9", "9.2", "80.4", "193", "2"},
    };
    QCOMPARE(Nutrition::rows(t), expected);
}

void tst_nutrition::marks_data()
{
    QTest::addColumn<double>("kcal");
    QTest::addColumn<int>("aim");
    QTest::addColumn<int>("mark");
    QTest::newRow("no aim") << 100.0 << 0 << int(Nutrition::Mark::None);
    QTest::newRow("just below 90 %") << 2699.9 << 3000 << int(Nutrition::Mark::Low);
    QTest::newRow("90 %") << 2700.0 << 3000 << int(Nutrition::Mark::None);
    QTest::newRow("115 %") << 3450.0 << 3000 << int(Nutrition::Mark::None);
    QTest::newRow("above 115 %") << 3450.1 << 3000 << int(Nutrition::Mark::High);
}

void tst_nutrition::marks()
{
    QFETCH(double, kcal);
    QFETCH(int, aim);
    QFETCH(int, mark);
    QCOMPARE(int(Nutrition::mark(kcal, aim)), mark);
}

void tst_nutrition::missingText_data()
{
    QTest::addColumn<int>("products"); // in the catalog, "Продукт 01" ... in grams, knowing nothing
    QTest::addColumn<QList<qint16>>("positions");
    QTest::addColumn<QString>("expected"); // "..." stands for the lines not checked

    const QString tea = QStringLiteral("\nЧай — нет: вес единицы");
    const QString sugar = QStringLiteral("\nСахар — нет: углеводы");
    QTest::newRow("none") << 0 << QList<qint16>{} << QString();
    QTest::newRow("one") << 0 << QList<qint16>{1} << "Без данных:" + tea;
    QTest::newRow("by name") << 0 << QList<qint16>{1, 2} << "Без данных:" + sugar + tea;
    QTest::newRow("not in the catalog") << 0 << QList<qint16>{0, -1, 3, 32767} << QString();
    QTest::newRow("grams know their weight")
        << 1 << QList<qint16>{3} << QStringLiteral("Без данных:\nПродукт 01 — нет: ккал, белки, жиры, углеводы");
    QList<qint16> many;
    for (qint16 p = 3; p < 3 + Nutrition::MaxNamed; ++p)
        many.append(p);
    QTest::newRow("as many as named") << Nutrition::MaxNamed << many << QStringLiteral("...");
    QTest::newRow("one past them") << Nutrition::MaxNamed + 1 << (many + QList<qint16>{qint16(3 + Nutrition::MaxNamed)})
                                   << QStringLiteral("...\nи ещё продуктов: 1");
}

void tst_nutrition::missingText()
{
    QFETCH(int, products);
    QFETCH(QList<qint16>, positions);
    QFETCH(QString, expected);
    GlobalVariable g;
    InitGlobalVariable(g);
    g.objCatalog.AddProduct(QStringLiteral("Чай"), QStringLiteral("2"), QStringLiteral("пак"));
    g.objCatalog.AddProduct(QStringLiteral("Сахар"), QStringLiteral("30"), QStringLiteral("гр"));
    setFacts(g, 1, QStringLiteral("0;0;0;0;;;"));
    setFacts(g, 2, QStringLiteral("387;0;0;;;;"));
    for (int i = 1; i <= products; ++i)
        g.objCatalog.AddProduct(QStringLiteral("Продукт %1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("10"),
                                QStringLiteral("гр"));
    const QString text = Nutrition::missingText(g.objCatalog, positions);
    if (!expected.startsWith(QStringLiteral("..."))) {
        QCOMPARE(text, expected);
        return;
    }
    // Never more lines than the products named and the count of the rest.
    const QStringList lines = text.split(u'\n');
    QCOMPARE(lines.first(), QStringLiteral("Без данных:"));
    QCOMPARE(lines.size(), 1 + Nutrition::MaxNamed + (expected.size() > 3 ? 1 : 0));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("Продукт 01 — нет: ")));
    QVERIFY(text.endsWith(expected.mid(3)));
}

void tst_nutrition::noPriceText_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every price known") << qint64(0) << QString();
    QTest::newRow("one") << qint64(1) << "без цены: 1";
    QTest::newRow("two") << qint64(2) << "без цены: 2";
    QTest::newRow("the catalog's most") << qint64(32767) << "без цены: 32767";
    QTest::newRow("past 2^31") << qint64(2147483648LL) << "без цены: 2147483648";
}

void tst_nutrition::noPriceText()
{
    QFETCH(qint64, count);
    QFETCH(QString, expected);
    QCOMPARE(Shopping::noPriceText(count), expected);
}

void tst_nutrition::shoppingOfHandCheckedTrip_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<Rows>("expected");
    QTest::newRow("whole trip") << true
                                << Rows{{"Крупа", "42", "кг", "0.35", "120", "420.00", "0"},
                                        {"Сгущёнка", "600", "гр", "380", "2", "240.00", "160"},
                                        {"Соль", "30", "гр", "", "", "0.90", ""},
                                        {"Чай", "24", "пак", "", "", "", ""},
                                        {"ИТОГО:", "", "", "", "", "660.90", "без цены: 1"},
                                        {"На участника:", "", "", "", "", "220.30", ""}};
    // 21 with a package of 0.35 is exactly 60 packages.
    QTest::newRow("shift 1") << false
                             << Rows{{"Крупа", "21", "кг", "0.35", "60", "210.00", "0"},
                                     {"Сгущёнка", "300", "гр", "380", "1", "120.00", "80"},
                                     {"Соль", "15", "гр", "", "", "0.45", ""},
                                     {"Чай", "12", "пак", "", "", "", ""},
                                     {"ИТОГО:", "", "", "", "", "330.45", "без цены: 1"},
                                     {"На участника:", "", "", "", "", "110.15", ""}};
}

void tst_nutrition::shoppingOfHandCheckedTrip()
{
    QFETCH(bool, all);
    QFETCH(Rows, expected);
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g,
                          {{"Чай", "2", "пак"}, {"Соль", "5", "гр"}, {"Сгущёнка", "100", "гр"}, {"Крупа", "7", "кг"}},
                          {"4 1 | 2 3 | 1"}, 3, 2, 2);
    setFacts(g, 2, QStringLiteral(";;;;;;0.03"));
    setFacts(g, 3, QStringLiteral("321;7.91;8.7;54.4;;380;120"));
    setFacts(g, 4, QStringLiteral(";;;;;0.35;3.5"));
    QCOMPARE(Shopping::rows(Shopping::build(g, 2, all, 1)), expected);
}

void tst_nutrition::shoppingHasThePurchaseListsProducts()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Б", "3", "гр"}, {"А", "1", "шт"}, {"В", "0", "гр"}, {"Б", "2", "л"}, {"Г", "5", "g"}},
                          {"1 2 | 4 | 5", "2 3 | | 1", "| |"}, 5, 3, 8);
    for (qint16 intSmen = 0; intSmen <= 3; ++intSmen) {
        const PurchaseList purchases = PurchaseList::build(g, intSmen == 0, intSmen);
        const Shopping::List shopping = Shopping::build(g, g.intCountDay, intSmen == 0, intSmen);
        QCOMPARE(shopping.rows.size(), purchases.rows.size());
        for (qsizetype i = 0; i < purchases.rows.size(); ++i) {
            const Shopping::Row& r = shopping.rows.at(i);
            QCOMPARE((PurchaseRow{r.strName, r.intAmount, r.strEdin}), purchases.rows.at(i));
        }
    }
}

// The cost is counted in 64 bits, the amount in 32: the one that runs over is named. A
// package of 0.01 at the highest price, 1000000000 roubles, costs 10^11 hundredths; a
// meal of the largest norm for 28 people is 91747600 packages, just under 2^63
// hundredths, for 29 people just over it.
void tst_nutrition::shoppingOverflowSaysWhat_data()
{
    QTest::addColumn<qint16>("people");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("facts");
    QTest::addColumn<QString>("thrown");
    QTest::addColumn<QString>("total");

    const QString dearest = QStringLiteral(";;;;;0.01;1000000000");
    QTest::newRow("1 person, one meal") << qint16(1) << QStringList{"1||"} << dearest << ""
                                        << "3276700000000000.00";
    QTest::newRow("2 people, one meal") << qint16(2) << QStringList{"1||"} << dearest << ""
                                        << "6553400000000000.00";
    QTest::newRow("28 people, one meal") << qint16(28) << QStringList{"1||"} << dearest << ""
                                         << "91747600000000000.00";
    QTest::newRow("29 people, one meal: the cost") << qint16(29) << QStringList{"1||"} << dearest << "cost"
                                                   << "";
    QTest::newRow("30 people, one meal: the cost") << qint16(30) << QStringList{"1||"} << dearest << "cost"
                                                   << "";
    // Each product fits, their sum does not.
    QTest::newRow("28 people, two products: the total") << qint16(28) << QStringList{"1 2||"} << dearest << "cost"
                                                        << "";
    // Past 2^31 in the product's unit, with no price at all: the amount.
    QTest::newRow("the amount past 2^31") << qint16(32767) << QStringList{"1|1|1"} << QString(";;;;;;") << "amount"
                                          << "";
}

void tst_nutrition::shoppingOverflowSaysWhat()
{
    QFETCH(qint16, people);
    QFETCH(QStringList, menus);
    QFETCH(QString, facts);
    QFETCH(QString, thrown);
    QFETCH(QString, total);

    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Икра", "32767", "гр"}, {"Трюфель", "32767", "гр"}}, menus, people, 1, 1);
    setFacts(g, 1, facts);
    setFacts(g, 2, facts);
    QString caught;
    try {
        const Shopping::List list = Shopping::build(g, 1, true, 1);
        QCOMPARE(Shopping::moneyText(list.intTotal), total);
    } catch (const CostOverflowError&) {
        caught = QStringLiteral("cost");
    } catch (const OverflowError&) {
        caught = QStringLiteral("amount");
    }
    QCOMPARE(caught, thrown);
}

void tst_nutrition::referenceRefusals_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("line");
    QTest::newRow("too few fields") << QByteArray("Гречка,346,11.73,2.71,74.95,,\nБеда,1,2\n") << 2;
    QTest::newRow("not a number") << QByteArray("X,abc,1,1,1,,\n") << 1;
    QTest::newRow("out of range") << QByteArray("X,1001,1,1,1,,\n") << 1;
    QTest::newRow("weight without unit") << QByteArray("X,1,1,1,1,,50\n") << 1;
    QTest::newRow("open quote") << QByteArray("\"X,1,1,1,1,,\n") << 1;
    QTest::newRow("name twice") << QByteArray("А|Б,1,1,1,1,,\nб,1,1,1,1,,\n") << 2;
    QTest::newRow("no name") << QByteArray(" | ,1,1,1,1,,\n") << 1;
    QTest::newRow("comments count") << QByteArray("# c\nНазвание,ккал\n\nX,1,1,1,1,шт,0\n") << 4;
}

void tst_nutrition::referenceRefusals()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, line);
    FoodReference table;
    QString strError;
    QVERIFY(FoodReference::parse("Прежний,1,1,1,1,,\n", table, strError));
    QVERIFY(!FoodReference::parse(csv, table, strError));
    QVERIFY2(strError.contains(QStringLiteral("строка %1:").arg(line)), qPrintable(strError));
    QVERIFY(table.find(QStringLiteral("Прежний"))); // the table is as it was
}

void tst_nutrition::referenceFillsOnlyEmptyFields()
{
    FoodReference table;
    QString strError;
    QVERIFY2(FoodReference::parse("Название,ккал,белки,жиры,углеводы,единица,вес единицы\n"
                                  "Гречка|Крупа гречневая,346,11.73,2.71,74.95,,\n"
                                  "Сгущёнка,321,7.91,8.7,54.4,,\n"
                                  "\"Яйцо, куриное\"|Яйцо,143,12.56,9.51,0.72,шт,50\n"
                                  "Сахар,387,0,0,99.98,,\n",
                                  table, strError),
             qPrintable(strError));
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g,
                          {{"  крупа   ГРЕЧНЕВАЯ ", "80", "гр"},
                           {"Сгущенка", "30", "гр"},
                           {"Яйцо", "1", "шт."},
                           {"яйцо", "1", "гр"},
                           {"Сахар", "1", "кг"},
                           {"Соль", "5", "гр"}},
                          {"| |"}, 2, 1, 1);
    setFacts(g, 1, QStringLiteral("300;;;;;900;110"));
    const clsCatalog before = g.objCatalog;
    TripChange made;
    QObject::connect(&g.edits, &TripEditor::made, [&](const TripChange& c) { made = c; });
    g.edits.setProducts(table.filled(g.objCatalog), QString());
    QCOMPARE(made.parts.size(), size_t(5));
    const auto facts = [&](qint16 i) { return g.objCatalog.GetProduct(i).facts; };
    QCOMPARE(facts(1).energy, std::optional<qint64>(30000)); // kept
    QCOMPARE(facts(1).proteins, std::optional<qint64>(1173));
    QCOMPARE(facts(1).package, std::optional<qint64>(90000));
    QCOMPARE(facts(2).energy, std::optional<qint64>(32100));        // "е" for "ё"
    QCOMPARE(facts(3).gramsPerUnit, std::optional<qint64>(5000));   // "шт." is the entry's "шт"
    QCOMPARE(facts(4).gramsPerUnit, std::nullopt);                  // grams weigh 1 g by themselves
    QCOMPARE(facts(5).gramsPerUnit, std::optional<qint64>(100000)); // a kilogram
    QVERIFY(facts(6).isEmpty());
    QVERIFY(table.filled(g.objCatalog).isEmpty()); // nothing left to fill
    // One step: taken back whole.
    g.edits.undo(made);
    QVERIFY(g.objCatalog == before);
}

void tst_nutrition::bundledReference()
{
    FoodReference table;
    QString strError;
    QVERIFY2(FoodReference::readFile(QStringLiteral(TORBEL_TEST_DATA_DIR "/../../data/foods.csv"), table, strError),
             qPrintable(strError));
    QVERIFY(table.entries().size() >= 80);
    for (const FoodReference::Entry& e : table.entries()) {
        const ProductFacts& f = e.facts;
        if (!f.energy && !f.proteins && !f.fats && !f.carbohydrates)
            continue; // known by name only: no source gave its values
        QVERIFY2(f.energy && f.proteins && f.fats && f.carbohydrates, qPrintable(e.names.first()));
        // Energy within what the nutrients can give (the largest specific factors of the
        // tables are about 4.3, 9.1 and 4.2 kcal a gram; fibre is counted in the
        // carbohydrates and gives less): a slipped digit shows here.
        const double p = *f.proteins / 100.0, fat = *f.fats / 100.0, c = *f.carbohydrates / 100.0;
        const double atwater = 4.3 * p + 9.1 * fat + 4.2 * c;
        const double kcal = *f.energy / 100.0;
        QVERIFY2(p + fat + c <= 100.5, qPrintable(e.names.first()));
        QVERIFY2(kcal <= atwater + 10 && kcal >= atwater * 0.5 - 10, qPrintable(e.names.first()));
    }
}

QTEST_GUILESS_MAIN(tst_nutrition)
#include "tst_nutrition.moc"

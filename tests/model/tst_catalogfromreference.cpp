#include "model/CatalogFromReference.h"
#include "model/GlobalVariable.h"
#include "model/Nutrition.h"
#include "model/clsMenuOfDay.h"
#include "model/clsTrapeza.h"
#include "tripfile/TripFile.h"

#include <QtTest>

namespace {

// Every kind of food: a known norm and packages, a piece good, a name only, a litre, and
// the smallest and largest values the table admits.
const QByteArray Table = "Название,ккал,белки,жиры,углеводы,единица,вес единицы,источник,группа,упаковки,"
                         "источник упаковок,норма,источник нормы\n"
                         "Гречка|Ядрица,346,11.73,2.71,74.95,,,s,Крупы,900|450,p,80,n\n"
                         "Яйцо|Яйца,143,12.56,9.51,0.72,шт,50,s,Молочные,,,,\n"
                         "Сухари,,,,,,,,Хлеб,,,,\n"
                         "Мёд,304,0.3,0,82.4,л,1433,s,Сладкое,,,,\n"
                         "Предел,1000,100,100,100,шт,100000,s,Прочее,1000000,p,32767,n\n"
                         "Малое,0,0,0,0,пак,0.01,s,Прочее,0.01,p,1,n\n";

FoodReference reference()
{
    FoodReference table;
    QString strError;
    if (!FoodReference::parse(Table, table, strError))
        qFatal("%s", qPrintable(strError));
    return table;
}

// "Гречка|80|гр" -> the choice of that food.
QList<CatalogFromReference::Choice> choices(const FoodReference& table, const QStringList& texts)
{
    QList<CatalogFromReference::Choice> list;
    for (const QString& text : texts) {
        const QStringList parts = text.split(u'|');
        const FoodReference::Entry* entry = table.find(parts.at(0));
        list.append({entry ? entry - table.entries().constData() : -1, parts.value(1), parts.value(2)});
    }
    return list;
}

QStringList products(const clsCatalog& c)
{
    QStringList list;
    for (int i = 1; i <= c.size(); ++i) {
        const clsProduct& p = c.GetProduct(static_cast<qint16>(i));
        const ProductFacts& f = p.facts;
        list.append(QStringLiteral("%1|%2|%3|%4|%5|%6")
                        .arg(p.Name())
                        .arg(p.Norma())
                        .arg(p.strProductEdin)
                        .arg(f.energy.value_or(-1))
                        .arg(f.gramsPerUnit.value_or(-1))
                        .arg(f.package.value_or(-1)));
    }
    return list;
}

} // namespace

class tst_catalogfromreference : public QObject
{
    Q_OBJECT

private slots:
    void units_data();
    void units();
    void add_data();
    void add();
    void roomInTheCatalog_data();
    void roomInTheCatalog();
    void figuresNeedNoTyping_data();
    void figuresNeedNoTyping();
    void sampleTripIsNotDoubled();
};

void tst_catalogfromreference::units_data()
{
    QTest::addColumn<QString>("food");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<QString>("norm"); // as offered for the default unit

    QTest::newRow("norm known, in grams") << "Гречка"
                                          << "гр" << QStringList{"гр"} << "80";
    QTest::newRow("piece good") << "Яйцо"
                                << "шт" << QStringList{"гр", "шт"} << "";
    QTest::newRow("a litre is bought by weight") << "Мёд"
                                                 << "гр" << QStringList{"гр", "л"} << "";
    QTest::newRow("a gram norm is not offered in pieces") << "Предел"
                                                          << "шт" << QStringList{"гр", "шт"} << "";
    QTest::newRow("packet") << "Малое"
                            << "пак" << QStringList{"гр", "пак"} << "";
}

void tst_catalogfromreference::units()
{
    QFETCH(QString, food);
    QFETCH(QString, unit);
    QFETCH(QStringList, units);
    QFETCH(QString, norm);
    const FoodReference table = reference();
    const FoodReference::Entry& e = *table.find(food);
    QCOMPARE(CatalogFromReference::defaultUnit(e), unit);
    QCOMPARE(CatalogFromReference::units(e), units);
    QCOMPARE(CatalogFromReference::normText(e, unit), norm);
}

void tst_catalogfromreference::add_data()
{
    QTest::addColumn<QStringList>("catalog"); // names already there, norm 10 in гр
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("error");     // part of the message; empty: added
    QTest::addColumn<QStringList>("added"); // name|norm|unit|kcal|g per unit|package, -1 none
    QTest::addColumn<QStringList>("skipped");

    const QStringList none;
    QTest::newRow("norm and package from the reference")
        << none << QStringList{"Гречка|80|гр"} << "" << QStringList{"Гречка|80|гр|34600|-1|90000"} << none;
    QTest::newRow("found by a synonym, added by the first name")
        << none << QStringList{"ядрица|80|гр"} << "" << QStringList{"Гречка|80|гр|34600|-1|90000"} << none;
    QTest::newRow("piece good weighs its piece")
        << none << QStringList{"Яйцо|1|шт"} << "" << QStringList{"Яйцо|1|шт|14300|5000|-1"} << none;
    QTest::newRow("piece good in grams") << none << QStringList{"Яйцо|50| ГР "} << ""
                                         << QStringList{"Яйцо|50|гр|14300|-1|-1"} << none;
    QTest::newRow("largest values") << none << QStringList{"Предел|32767|шт", "Предел|0|гр"} << ""
                                    << QStringList{"Предел|32767|шт|100000|10000000|-1"}
                                    << QStringList{"Предел (в каталоге: Предел)"};
    QTest::newRow("largest package in grams")
        << none << QStringList{"Предел|1|гр"} << "" << QStringList{"Предел|1|гр|100000|-1|100000000"} << none;
    QTest::newRow("smallest values") << none << QStringList{"Малое|1|пак"} << "" << QStringList{"Малое|1|пак|0|1|-1"}
                                     << none;
    QTest::newRow("a name only") << none << QStringList{"Сухари|60|гр"} << "" << QStringList{"Сухари|60|гр|-1|-1|-1"}
                                 << none;
    QTest::newRow("norm blanks around") << none << QStringList{"Сухари| 60 |гр"} << ""
                                        << QStringList{"Сухари|60|гр|-1|-1|-1"} << none;
    QTest::newRow("in the catalog by a synonym, other case and ё")
        << QStringList{"ЯДРИЦА", "  мед "} << QStringList{"Гречка|80|гр", "Яйцо|1|шт", "Мёд|20|гр"} << ""
        << QStringList{"ЯДРИЦА|10|гр|-1|-1|-1", "  мед |10|гр|-1|-1|-1", "Яйцо|1|шт|14300|5000|-1"}
        << QStringList{"Гречка (в каталоге: ЯДРИЦА)", "Мёд (в каталоге:   мед )"};
    QTest::newRow("chosen twice") << none << QStringList{"Гречка|80|гр", "Ядрица|70|гр"} << ""
                                  << QStringList{"Гречка|80|гр|34600|-1|90000"}
                                  << QStringList{"Гречка (в каталоге: Гречка)"};
    QTest::newRow("nothing chosen") << none << none << "" << none << none;

    // All or nothing: a refused choice leaves the others out too.
    QTest::newRow("norm missing") << none << QStringList{"Гречка|80|гр", "Яйцо||шт", "Сухари| |гр"}
                                  << "Укажите норму на участника: Яйцо, Сухари." << none << none;
    for (const char* norm : {"-1", "32768", "2147483648", "4294967296", "99999999999999999999", "12,5", "1e3", "abc"})
        QTest::newRow(qPrintable(QStringLiteral("norm %1").arg(QLatin1String(norm))))
            << none << QStringList{"Гречка|80|гр", QStringLiteral("Сухари|%1|гр").arg(QLatin1String(norm))}
            << QStringLiteral("Сухари: норма «%1» не целое число от 0 до 32767").arg(QLatin1String(norm)) << none
            << none;
    QTest::newRow("a litre weighs its litre")
        << none << QStringList{"Мёд|1|Л"} << "" << QStringList{"Мёд|1|л|30400|143300|-1"} << none;
    QTest::newRow("a kilogram weighs 1000 g")
        << none << QStringList{"Гречка|1|кг"} << "" << QStringList{"Гречка|1|кг|34600|100000|-1"} << none;
    QTest::newRow("a unit the reference has no weight for")
        << none << QStringList{"Гречка|1|стакан"} << "" << QStringList{"Гречка|1|стакан|34600|-1|-1"} << none;
    QTest::newRow("no unit") << none << QStringList{"Гречка|1| "}
                             << "Гречка: единица должна быть одной непустой строкой, например гр" << none << none;
    QTest::newRow("a unit of two lines") << none << QStringList{"Яйцо|1|ш\nт"}
                                         << "Яйцо: единица должна быть одной непустой строкой, например гр или шт"
                                         << none << none;
}

void tst_catalogfromreference::add()
{
    QFETCH(QStringList, catalog);
    QFETCH(QStringList, chosen);
    QFETCH(QString, error);
    QFETCH(QStringList, added);
    QFETCH(QStringList, skipped);
    const FoodReference table = reference();
    GlobalVariable g;
    clsCatalog& c = g.objCatalog;
    for (const QString& name : catalog)
        c.AddProduct(name, qint16(10), QStringLiteral("гр"));
    const clsCatalog before = c;
    CatalogFromReference::Result result;
    QString strError;
    std::vector<TripChange> made;
    QObject::connect(&g.edits, &TripEditor::made, [&](const TripChange& change) { made.push_back(change); });
    const bool blnOk = CatalogFromReference::add(table, choices(table, chosen), g, result, strError);
    if (!error.isEmpty()) {
        QVERIFY(!blnOk);
        QVERIFY2(strError.contains(error), qPrintable(strError));
        QVERIFY(strError.endsWith(QStringLiteral("Ничего не добавлено.")));
        QVERIFY(c == before);
        return;
    }
    QVERIFY2(blnOk, qPrintable(strError));
    QCOMPARE(products(c), added);
    QCOMPARE(result.skipped, skipped);
    QCOMPARE(result.intAdded, c.size() - before.size());
    if (chosen.value(0).startsWith(QStringLiteral("Сухари")))
        QCOMPARE(result.withoutValues, QStringList{QStringLiteral("Сухари")});
    // All the foods are one step, and taking it back leaves the catalog as it was.
    QCOMPARE(made.size(), size_t(result.intAdded > 0 ? 1 : 0));
    if (!made.empty()) {
        g.edits.undo(made.front());
        QVERIFY(c == before);
    }
}

void tst_catalogfromreference::roomInTheCatalog_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("added");

    QTest::newRow("empty, one") << 0 << 1 << true;
    QTest::newRow("room for two, two") << int(clsCatalog::MaxSize) - 2 << 2 << true;
    QTest::newRow("room for one, two") << int(clsCatalog::MaxSize) - 1 << 2 << false;
    QTest::newRow("full, one") << int(clsCatalog::MaxSize) << 1 << false;
}

void tst_catalogfromreference::roomInTheCatalog()
{
    QFETCH(int, size);
    QFETCH(int, chosen);
    QFETCH(bool, added);
    const FoodReference table = reference();
    GlobalVariable g;
    clsCatalog& c = g.objCatalog;
    for (int i = 1; i <= size; ++i)
        c.AddProduct(QStringLiteral("Продукт %1").arg(i), qint16(1), QStringLiteral("гр"));
    const QStringList foods{"Гречка|80|гр", "Яйцо|1|шт"};
    CatalogFromReference::Result result;
    QString strError;
    QCOMPARE(CatalogFromReference::add(table, choices(table, foods.mid(0, chosen)), g, result, strError), added);
    QCOMPARE(int(c.size()), added ? size + chosen : size);
    if (!added)
        QVERIFY2(strError.contains(QStringLiteral("не может быть больше 32767")), qPrintable(strError));
}

void tst_catalogfromreference::figuresNeedNoTyping_data()
{
    QTest::addColumn<qint16>("people");
    QTest::newRow("1") << qint16(1);
    QTest::newRow("2") << qint16(2);
    QTest::newRow("30") << qint16(30);
}

void tst_catalogfromreference::figuresNeedNoTyping()
{
    // Products taken from the reference carry everything the figures per participant need.
    QFETCH(qint16, people);
    const FoodReference table = reference();
    GlobalVariable g;
    InitGlobalVariable(g);
    g.intCountPeople = people;
    g.intCountSmena = 1;
    CatalogFromReference::Result result;
    QString strError;
    QVERIFY(CatalogFromReference::add(table, choices(table, {"Гречка|80|гр", "Яйцо|1|шт"}), g, result, strError));
    clsTrapeza* lunch = g.objMenuList.GetMenu(1).GetTrapeza(1);
    lunch->AddProduct(1);
    lunch->AddProduct(2);
    const Nutrition::Table t = Nutrition::build(g, 1);
    QCOMPARE(t.intMissing, 0);
    QCOMPARE(t.days.size(), 1);
    // 80 g of buckwheat at 346 kcal and one egg of 50 g at 143.
    QCOMPARE(t.days.first().perPerson.kcal, 80 * 3.46 + 50 * 1.43);
    QCOMPARE(t.days.first().perPerson.grams, 130.0);
}

void tst_catalogfromreference::sampleTripIsNotDoubled()
{
    // Every product of the sample is a food of the bundled reference, and choosing that
    // food for the sample's catalog is seen as a product it already has.
    FoodReference table;
    QString strError;
    QVERIFY2(FoodReference::readFile(QStringLiteral(TORBEL_TEST_DATA_DIR "/../../data/foods.csv"), table, strError),
             qPrintable(strError));
    TripData sample;
    QVERIFY2(TripFile::readFile(QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb"), sample, strError),
             qPrintable(strError));
    QList<CatalogFromReference::Choice> all;
    for (int i = 1; i <= sample.catalog.size(); ++i) {
        const clsProduct& p = sample.catalog.GetProduct(static_cast<qint16>(i));
        const FoodReference::Entry* entry = table.find(p.Name());
        QVERIFY2(entry, qPrintable(p.Name()));
        QCOMPARE(CatalogFromReference::inCatalog(*entry, sample.catalog), p.Name());
        all.append({entry - table.entries().constData(), QString::number(p.Norma()), p.strProductEdin});
    }
    GlobalVariable g;
    g.objCatalog = sample.catalog;
    CatalogFromReference::Result result;
    QVERIFY(CatalogFromReference::add(table, all, g, result, strError));
    QCOMPARE(result.intAdded, 0);
    QCOMPARE(result.skipped.size(), all.size());
    QVERIFY(g.objCatalog == sample.catalog);
}

QTEST_APPLESS_MAIN(tst_catalogfromreference)
#include "tst_catalogfromreference.moc"

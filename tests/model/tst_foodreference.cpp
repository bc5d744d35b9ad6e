#include "model/FoodReference.h"
#include "support/TestSupport.h"
#include "tripfile/TripFile.h"

#include <QRegularExpression>
#include <QtTest>

class tst_foodreference : public QObject
{
    Q_OBJECT

private slots:
    void bundledFood_data();
    void bundledFood();
    void sampleTripProductsFound_data();
    void sampleTripProductsFound();
    void fullLine_data();
    void fullLine();
    void search_data();
    void search();
};

namespace {

FoodReference bundled()
{
    FoodReference table;
    QString strError;
    if (!FoodReference::readFile(TestSupport::dataPath(QStringLiteral("../../data/foods.csv")), table, strError))
        qFatal("%s", qPrintable(strError));
    return table;
}

} // namespace

void tst_foodreference::bundledFood_data()
{
    // Reading the table at all proves every line parses and no name or synonym repeats
    // once case, "ё"/"е" and blanks are ignored: the reader refuses both.
    QTest::addColumn<qsizetype>("index");
    const FoodReference table = bundled();
    qsizetype intWithValues = 0;
    for (qsizetype i = 0; i < table.entries().size(); ++i) {
        QTest::newRow(qPrintable(table.entries().at(i).names.first())) << i;
        intWithValues += table.entries().at(i).facts.energy ? 1 : 0;
    }
    QVERIFY(intWithValues >= 300);
}

void tst_foodreference::bundledFood()
{
    QFETCH(qsizetype, index);
    static const FoodReference table = bundled();
    const FoodReference::Entry& e = table.entries().at(index);
    const ProductFacts& f = e.facts;
    QVERIFY(!e.strGroup.isEmpty());
    const int intValues = int(bool(f.energy)) + bool(f.proteins) + bool(f.fats) + bool(f.carbohydrates);
    QVERIFY2(intValues == 0 || intValues == 4, "the four values come together from one record");
    if (intValues == 0) {
        QVERIFY2(!f.gramsPerUnit && e.strSource.isEmpty(), "a name-only line cites nothing");
        return;
    }
    QVERIFY2(e.strSource.startsWith(QStringLiteral("USDA SR")), qPrintable(e.strSource));
    // Package sizes taken from the USDA weights belong to the very record the values come
    // from: a size pasted onto the wrong food shows as two record numbers.
    static const QRegularExpression ndb(QStringLiteral("NDB (\\d{5})"));
    if (const QString strRecord = ndb.match(e.strPackageSource).captured(1); !strRecord.isEmpty())
        QCOMPARE(strRecord, ndb.match(e.strSource).captured(1));
    // SR28 derives energy with the specific Atwater factors of each food (e.g. 4.27,
    // 8.79 and 3.87 kcal/g for milk, 2.44 to 4.05 for the protein of vegetables), so the
    // general 4-9-4 factors land within about 15 % or 20 kcal. Dried herbs, spices,
    // dehydrated vegetables and cocoa are the exception: their carbohydrate "by
    // difference" is one quarter to one half dietary fibre, which gives little energy,
    // and SR28 lists them up to 47 % (cocoa) below 4-9-4.
    const double atwater = (4.0 * *f.proteins + 9.0 * *f.fats + 4.0 * *f.carbohydrates) / 100.0;
    const double kcal = *f.energy / 100.0;
    const bool blnFibrous = e.strGroup == QStringLiteral("Специи и приправы") ||
                            e.strGroup == QStringLiteral("Сушёные овощи и грибы") ||
                            e.names.first() == QStringLiteral("Какао");
    const double slack = std::max(20.0, 0.15 * atwater);
    QVERIFY2(kcal <= atwater + slack, qPrintable(QString::number(atwater)));
    QVERIFY2(kcal >= (blnFibrous ? 0.5 * atwater : atwater - slack), qPrintable(QString::number(atwater)));
}

void tst_foodreference::sampleTripProductsFound_data()
{
    QTest::addColumn<QString>("name");
    TripData data;
    QString strError;
    QVERIFY2(TripFile::readFile(TestSupport::dataPath(QStringLiteral("../../examples/karelia.trb")), data, strError),
             qPrintable(strError));
    for (int i = 1; i <= data.catalog.size(); ++i)
        QTest::newRow(qPrintable(data.catalog.GetProduct(i).Name())) << data.catalog.GetProduct(i).Name();
}

void tst_foodreference::sampleTripProductsFound()
{
    QFETCH(QString, name);
    static const FoodReference table = bundled();
    QVERIFY(table.find(name));
}

void tst_foodreference::fullLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("error"); // empty: the line is read
    QTest::addColumn<QList<qint64>>("packages");
    QTest::addColumn<int>("norm"); // 0: none

    const QByteArray head("Рис,365,7.13,0.66,79.95,,,USDA,Крупы,");
    QTest::newRow("old 8 fields") << QByteArray("Рис,365,7.13,0.66,79.95,,,USDA") << QString() << QList<qint64>() << 0;
    QTest::newRow("no package, no norm") << head + ",,," << QString() << QList<qint64>() << 0;
    QTest::newRow("smallest values") << head + "0.01,книга,1,справочник" << QString() << QList<qint64>{1} << 1;
    QTest::newRow("largest values") << head + "1000000|900,книга,32767,справочник" << QString()
                                    << QList<qint64>{100000000, 90000} << 32767;
    QTest::newRow("norm past 16 bits") << head + ",,32768,справочник" << QStringLiteral("норма") << QList<qint64>()
                                       << 0;
    QTest::newRow("norm 0") << head + ",,0,справочник" << QStringLiteral("норма") << QList<qint64>() << 0;
    QTest::newRow("fractional norm") << head + ",,1.5,справочник" << QStringLiteral("норма") << QList<qint64>() << 0;
    QTest::newRow("norm past 2^31") << head + ",,2147483648,справочник" << QStringLiteral("норма") << QList<qint64>()
                                    << 0;
    QTest::newRow("package 0") << head + "0,книга,," << QStringLiteral("упаковка") << QList<qint64>() << 0;
    QTest::newRow("package too large") << head + "1000000.01,книга,," << QStringLiteral("упаковка") << QList<qint64>()
                                       << 0;
    QTest::newRow("package without source") << head + "90,,," << QStringLiteral("источника") << QList<qint64>() << 0;
    QTest::newRow("norm without source") << head + ",,80," << QStringLiteral("источника") << QList<qint64>() << 0;
    QTest::newRow("12 fields") << head + ",," << QStringLiteral("а их 12") << QList<qint64>() << 0;
    QTest::newRow("14 fields") << head + ",,,," << QStringLiteral("а их 14") << QList<qint64>() << 0;
}

void tst_foodreference::fullLine()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, error);
    QFETCH(QList<qint64>, packages);
    QFETCH(int, norm);
    FoodReference table;
    QString strError;
    const bool blnRead = FoodReference::parse("# comment\n" + line + "\n", table, strError);
    if (!error.isEmpty()) {
        QVERIFY(!blnRead);
        QVERIFY2(strError.contains(QStringLiteral("строка 2:")) && strError.contains(error), qPrintable(strError));
        return;
    }
    QVERIFY2(blnRead, qPrintable(strError));
    const FoodReference::Entry& e = table.entries().at(0);
    QCOMPARE(e.strSource, QStringLiteral("USDA"));
    QCOMPARE(e.packages, packages);
    QCOMPARE(e.norm.value_or(0), norm);
}

void tst_foodreference::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QList<qsizetype>>("found");
    QTest::newRow("part of a name") << QStringLiteral("гречк") << QString() << QList<qsizetype>{0};
    QTest::newRow("case and blanks") << QStringLiteral("  КРУПА   гречневая ") << QString() << QList<qsizetype>{0};
    QTest::newRow("е for ё") << QStringLiteral("сгущенка") << QString() << QList<qsizetype>{1};
    QTest::newRow("ё for е") << QStringLiteral("РЁС") << QString() << QList<qsizetype>();
    QTest::newRow("synonyms, table order") << QStringLiteral("молоко") << QString() << QList<qsizetype>{1, 2};
    QTest::newRow("group filter") << QStringLiteral("молоко") << QStringLiteral("крупы") << QList<qsizetype>();
    QTest::newRow("whole group") << QString() << QStringLiteral("Крупы") << QList<qsizetype>{0, 3};
    QTest::newRow("everything") << QStringLiteral("   ") << QString() << QList<qsizetype>{0, 1, 2, 3, 4};
    QTest::newRow("no group") << QString() << QStringLiteral("Нет такой") << QList<qsizetype>();
}

void tst_foodreference::search()
{
    QFETCH(QString, query);
    QFETCH(QString, group);
    QFETCH(QList<qsizetype>, found);
    FoodReference table;
    QString strError;
    QVERIFY2(FoodReference::parse("Гречка|Крупа гречневая,346,11.73,2.71,74.95,,,s,Крупы,,,,\n"
                                  "Сгущёнка|Молоко сгущённое,321,7.91,8.7,54.4,,,s,Молочные,,,,\n"
                                  "Молоко сухое,496,26.32,26.71,38.42,,,s,Молочные,,,,\n"
                                  "Рис,365,7.13,0.66,79.95,,,s,Крупы,,,,\n"
                                  "Соль,0,0,0,0,,\n",
                                  table, strError),
             qPrintable(strError));
    QCOMPARE(table.search(query, group), found);
    QCOMPARE(table.groups(), (QStringList{QStringLiteral("Крупы"), QStringLiteral("Молочные")}));
}

QTEST_GUILESS_MAIN(tst_foodreference)
#include "tst_foodreference.moc"

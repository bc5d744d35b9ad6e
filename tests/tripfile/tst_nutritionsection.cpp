#include "model/Cp1251.h"
#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "support/TestSupport.h"
#include "tripfile/NutritionSection.h"
#include "tripfile/TripFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QByteArray cp1251(const QString& text)
{
    QByteArray out;
    Cp1251::encode(text, out);
    return out;
}

QByteArray twoDays()
{
    QFile f(TestSupport::dataPath(QStringLiteral("tripfile/two_days.trb")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// The section of the format's own example: buckwheat in grams, tea in packets.
const QString Section = QStringLiteral("Пищевая ценность и закупка\r\n"
                                       "3500,\"Калорий в сутки на участника\"\r\n"
                                       "2,\"Размер каталога\"\r\n"
                                       "№ 1;343;13.3;3.4;71.5;;900;120\r\n"
                                       "№ 2;;;;;2;25;89.9\r\n"
                                       "_____________________________\r\n");

// Named participants after the section, so that its lines are not the file's last bytes.
const QString Participants = QStringLiteral("Участники\r\n"
                                            "4,\"Число участников\"\r\n"
                                            "№ 1;Анна Сергеевна Первая;1\r\n"
                                            "№ 2;Борис Петрович Второй;1.25\r\n"
                                            "№ 3;Вера Николаевна Третья;0.8\r\n"
                                            "№ 4;Григорий Ильич Четвёртый;1\r\n"
                                            "___________________________________\r\n");

const ProductFacts& factsOf(const TripData& data, int intPosition)
{
    return data.catalog.GetProduct(qint16(intPosition)).facts;
}

QList<ProductFacts> allFacts(const TripData& data)
{
    QList<ProductFacts> out;
    for (int i = 1; i <= data.catalog.size(); ++i)
        out.append(factsOf(data, i));
    return out;
}

QByteArray withSection(const QString& section = Section)
{
    return twoDays() + cp1251(section);
}

} // namespace

class tst_nutritionsection : public QObject
{
    Q_OBJECT

private slots:
    void lastLineWithoutLineEnd();
    void readsAndWritesTheExample();
    void noFactsNoSection();
    void aimAloneWritesEmptyProducts();
    void malformed_data();
    void malformed();
    void fieldTexts_data();
    void fieldTexts();
    void valuesFollowTheProduct();
    void positionsOfLargeCatalogs_data();
    void positionsOfLargeCatalogs();
    void writeRefusesOutOfRange();
    void unitChangedToGrams();
};

void tst_nutritionsection::readsAndWritesTheExample()
{
    TripData data;
    QString strError;
    QVERIFY2(TripFile::read(withSection(), data, strError), qPrintable(strError));
    QCOMPARE(data.intEnergyAim, 3500);
    QCOMPARE(data.catalog.size(), 2);
    QCOMPARE(factsOf(data, 1).energy, std::optional<qint64>(34300));
    QCOMPARE(factsOf(data, 1).gramsPerUnit, std::nullopt);
    QCOMPARE(factsOf(data, 1).package, std::optional<qint64>(90000));
    QCOMPARE(factsOf(data, 2).gramsPerUnit, std::optional<qint64>(200));
    QCOMPARE(factsOf(data, 2).price, std::optional<qint64>(8990));
    QByteArray bytes;
    QVERIFY(TripFile::write(data, bytes, strError));
    QCOMPARE(bytes, withSection()); // loading then saving gives the same bytes

    // And through the open trip.
    GlobalVariable g;
    InitGlobalVariable(g);
    QVERIFY(TripFile::apply(data, g, strError));
    QCOMPARE(g.intEnergyAim, 3500);
    QCOMPARE(g.objCatalog.GetProduct(2).facts.package, std::optional<qint64>(2500));
    QVERIFY(TripFile::write(TripFile::fromState(g), bytes, strError));
    QCOMPARE(bytes, withSection());
}

void tst_nutritionsection::noFactsNoSection()
{
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(twoDays(), data, strError));
    QVERIFY(!NutritionSection::present(data));
    GlobalVariable g;
    InitGlobalVariable(g);
    QVERIFY(TripFile::apply(data, g, strError));
    QByteArray bytes;
    QVERIFY(TripFile::write(TripFile::fromState(g), bytes, strError));
    QCOMPARE(bytes, twoDays());
}

void tst_nutritionsection::aimAloneWritesEmptyProducts()
{
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(twoDays(), data, strError));
    GlobalVariable g;
    InitGlobalVariable(g);
    QVERIFY(TripFile::apply(data, g, strError));
    g.intEnergyAim = 4000;
    QByteArray bytes;
    QVERIFY(TripFile::write(TripFile::fromState(g), bytes, strError));
    QCOMPARE(bytes, withSection(QStringLiteral("Пищевая ценность и закупка\r\n"
                                               "4000,\"Калорий в сутки на участника\"\r\n"
                                               "2,\"Размер каталога\"\r\n"
                                               "№ 1;;;;;;;\r\n"
                                               "№ 2;;;;;;;\r\n"
                                               "_____________________________\r\n")));
}

void tst_nutritionsection::malformed_data()
{
    // The line the fault is reported on: the section's first line is the file's 43rd.
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("count not the catalog's") << 45 << "2,\"Размер каталога\"\r\n№ 1"
                                             << "3,\"Размер каталога\"\r\n№ 1";
    QTest::newRow("a field missing") << 47 << "№ 2;;;;;2;25;89.9"
                                     << "№ 2;;;;2;25;89.9";
    QTest::newRow("a field too many") << 47 << "№ 2;;;;;2;25;89.9"
                                      << "№ 2;;;;;2;25;89.9;";
    QTest::newRow("comma for point") << 46 << "13.3"
                                     << "13,3";
    QTest::newRow("three decimals") << 47 << "89.9"
                                    << "89.999";
    QTest::newRow("not a number") << 46 << "71.5"
                                  << "много";
    QTest::newRow("energy over 1000") << 46 << "343"
                                      << "1000.5";
    QTest::newRow("nutrient over 100") << 46 << "71.5"
                                       << "100.01";
    QTest::newRow("package 0") << 47 << "25;89.9"
                               << "0;89.9";
    QTest::newRow("weight of 0") << 47 << ";2;25"
                                 << ";0;25";
    QTest::newRow("weight of a gram product") << 46 << "71.5;;900"
                                              << "71.5;5;900";
    QTest::newRow("position out of step") << 47 << "№ 2;"
                                          << "№ 3;";
    QTest::newRow("position with a leading zero") << 47 << "№ 2;"
                                                  << "№ 02;";
    QTest::newRow("position without its blank") << 47 << "№ 2;"
                                                << "№2;";
    QTest::newRow("position with a sign") << 47 << "№ 2;"
                                          << "№ +2;";
    QTest::newRow("aim over 20000") << 44 << "3500,"
                                    << "20001,";
    QTest::newRow("aim not whole") << 44 << "3500,"
                                   << "3500.5,";
    QTest::newRow("aim with blanks") << 44 << "3500,"
                                     << " 3500 ,";
    QTest::newRow("aim with a sign") << 44 << "3500,"
                                     << "+3500,";
    QTest::newRow("aim with a leading zero") << 44 << "3500,"
                                             << "03500,";
    QTest::newRow("aim's label misspelt") << 44 << "участника\""
                                          << "участников\"";
    QTest::newRow("count with a leading zero") << 45 << "2,\"Размер"
                                               << "002,\"Размер";
    QTest::newRow("no separator") << 48 << "_____________________________\r\n"
                                  << "";
    QTest::newRow("short separator") << 48 << "_____________________________\r\n"
                                     << "____\r\n";
    QTest::newRow("lines after it") << 49 << "_____________________________\r\n"
                                    << "_____________________________\r\nлишнее\r\n";
    QTest::newRow("cut after a product") << 48 << "№ 2;;;;;2;25;89.9\r\n_____________________________\r\n"
                                         << "№ 2;;;;;2;25;89.9\r\n";
}

// One value of tea's line read from the file as it stands there: what it reads as
// (nothing for an empty field), or -1 for a refused file, and how it is written back.
void tst_nutritionsection::fieldTexts_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("followed");

    struct Row
    {
        const char* name;
        int field;
        QString text;
        qint64 value;
        QString written;
    };
    QList<Row> rows;

    const int energy = int(FactsText::Field::Energy);
    const int proteins = int(FactsText::Field::Proteins);
    const int grams = int(FactsText::Field::GramsPerUnit);
    const int package = int(FactsText::Field::Package);
    const int price = int(FactsText::Field::Price);
    rows.append({"zero", energy, QStringLiteral("0"), qint64(0), QStringLiteral("0")});
    rows.append({"energy at its top", energy, QStringLiteral("1000"), qint64(100000), QStringLiteral("1000")});
    rows.append({"zero decimals", energy, QStringLiteral("1000.00"), qint64(-1), QStringLiteral("")});
    rows.append({"energy over its top", energy, QStringLiteral("1000.01"), qint64(-1), QStringLiteral("")});
    rows.append({"leading zeros", energy, QStringLiteral("007"), qint64(-1), QStringLiteral("")});
    rows.append({"one leading zero", energy, QStringLiteral("01"), qint64(-1), QStringLiteral("")});
    rows.append({"zero before the point", proteins, QStringLiteral("0.5"), qint64(50), QStringLiteral("0.5")});
    rows.append({"point without decimals", energy, QStringLiteral("7."), qint64(-1), QStringLiteral("")});
    rows.append({"point first", energy, QStringLiteral(".5"), qint64(-1), QStringLiteral("")});
    rows.append({"plus sign", energy, QStringLiteral("+5"), qint64(-1), QStringLiteral("")});
    rows.append({"minus sign", energy, QStringLiteral("-5"), qint64(-1), QStringLiteral("")});
    rows.append({"three decimals", energy, QStringLiteral("5.123"), qint64(-1), QStringLiteral("")});
    rows.append({"comma", energy, QStringLiteral("5,5"), qint64(-1), QStringLiteral("")});
    rows.append({"blank before", energy, QStringLiteral(" 5"), qint64(-1), QStringLiteral("")});
    rows.append({"blank after", energy, QStringLiteral("5 "), qint64(-1), QStringLiteral("")});
    rows.append({"exponent", energy, QStringLiteral("1e2"), qint64(-1), QStringLiteral("")});
    rows.append({"Cyrillic letter", energy, QStringLiteral("5б"), qint64(-1), QStringLiteral("")});
    rows.append({"two points", energy, QStringLiteral("1.2.3"), qint64(-1), QStringLiteral("")});
    rows.append({"hundredths", proteins, QStringLiteral("0.05"), qint64(5), QStringLiteral("0.05")});
    rows.append({"trailing zero decimal", proteins, QStringLiteral("0.50"), qint64(-1), QStringLiteral("")});
    rows.append({"one zero decimal", proteins, QStringLiteral("2.0"), qint64(-1), QStringLiteral("")});
    rows.append({"nutrient at its top", proteins, QStringLiteral("100"), qint64(10000), QStringLiteral("100")});
    rows.append({"weight of zero", grams, QStringLiteral("0"), qint64(-1), QStringLiteral("")});
    rows.append({"smallest weight", grams, QStringLiteral("0.01"), qint64(1), QStringLiteral("0.01")});
    rows.append({"largest package", package, QStringLiteral("1000000"), qint64(100000000), QStringLiteral("1000000")});
    rows.append(
        {"price at its top", price, QStringLiteral("1000000000"), qint64(100000000000), QStringLiteral("1000000000")});
    rows.append({"price over its top", price, QStringLiteral("1000000000.01"), qint64(-1), QStringLiteral("")});
    rows.append({"twelve digits", price, QStringLiteral("999999999999"), qint64(-1), QStringLiteral("")});
    rows.append(
        {"thirteen digits, mostly zeros", price, QStringLiteral("0000000000001.5"), qint64(-1), QStringLiteral("")});
    rows.append({"too large to hold", price, QStringLiteral("99999999999999999999"), qint64(-1), QStringLiteral("")});
    rows.append({"empty", price, QStringLiteral(""), qint64(0), QStringLiteral("")});
    // The bytes on either side of the digits, and numbers of seven and eight digits.
    rows.append({"colon after digits", energy, QStringLiteral("5:"), qint64(-1), QStringLiteral("")});
    rows.append({"slash after digits", energy, QStringLiteral("5/"), qint64(-1), QStringLiteral("")});
    rows.append({"tab after digits", energy, QStringLiteral("12\t"), qint64(-1), QStringLiteral("")});
    rows.append({"seven digits and decimals", price, QStringLiteral("1234567.89"), qint64(123456789),
                 QStringLiteral("1234567.89")});
    rows.append({"eight digits", price, QStringLiteral("12345678"), qint64(1234567800), QStringLiteral("12345678")});
    rows.append({"nine digits, leading zeros", package, QStringLiteral("000999999.5"), qint64(-1), QStringLiteral("")});
    rows.append({"largest package but half", package, QStringLiteral("999999.5"), qint64(99999950),
                 QStringLiteral("999999.5")});
    // Each as the last line of the file, and with more of the file after it.
    for (const Row& r : rows) {
        for (bool followed : {false, true})
            QTest::newRow(
                qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(r.name), followed ? "followed" : "last")))
                << r.field << r.text << r.value << r.written << followed;
    }
}

void tst_nutritionsection::fieldTexts()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QFETCH(QString, written);
    QFETCH(bool, followed);

    const auto lineWith = [&](const QString& strValue) {
        QStringList fields(FactsText::FieldCount);
        fields[field] = strValue;
        return QStringLiteral("№ 2;") + fields.join(u';');
    };
    QString section = Section;
    section.replace(QStringLiteral("№ 2;;;;;2;25;89.9"), lineWith(text));
    TripData data;
    QString strError;
    const bool ok =
        TripFile::read(withSection(section) + (followed ? cp1251(Participants) : QByteArray()), data, strError);
    QCOMPARE(ok, value >= 0);
    if (!ok)
        return;
    const std::optional<qint64> read = FactsText::value(factsOf(data, 2), FactsText::fieldAt(field));
    QCOMPARE(read, text.isEmpty() ? std::nullopt : std::optional<qint64>(value));
    QByteArray bytes;
    QVERIFY2(TripFile::write(data, bytes, strError), qPrintable(strError));
    QVERIFY(bytes.contains(cp1251(lineWith(written) + QStringLiteral("\r\n"))));
}

// A last line without its line end is a line, here as anywhere in the file.
void tst_nutritionsection::lastLineWithoutLineEnd()
{
    QByteArray cut = withSection(Section);
    QVERIFY(cut.endsWith("\r\n"));
    cut.chop(2);
    TripData whole;
    TripData data;
    QString strError;
    QVERIFY2(TripFile::read(withSection(Section), whole, strError), qPrintable(strError));
    QVERIFY2(TripFile::read(cut, data, strError), qPrintable(strError));
    QVERIFY(NutritionSection::present(data));
    QCOMPARE(allFacts(data), allFacts(whole));
}

void tst_nutritionsection::malformed()
{
    QFETCH(int, line);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QString section = Section;
    QVERIFY(section.contains(from));
    section.replace(section.indexOf(from), from.size(), to);
    TripData data;
    data.strTitle = QStringLiteral("прежний");
    QString strError;
    QVERIFY(!TripFile::read(withSection(section), data, strError));
    QVERIFY2(strError.startsWith(QStringLiteral("строка %1:").arg(line)), qPrintable(strError));
    QCOMPARE(data.strTitle, QStringLiteral("прежний")); // untouched
    // The same with more of the file after the section.
    QVERIFY(!TripFile::read(withSection(section) + cp1251(Participants), data, strError));
    QVERIFY2(strError.startsWith(QStringLiteral("строка %1:").arg(line)), qPrintable(strError));

    // The open trip is left as it was.
    const QString path = QDir::temp().filePath(QStringLiteral("tst_nutritionsection.trb"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(withSection(section));
    }
    GlobalVariable g;
    InitGlobalVariable(g);
    g.intEnergyAim = 1234;
    QString strMessage;
    QVERIFY(!TripFile::load(g, path, strMessage));
    QCOMPARE(strMessage, TripFile::readErrorText());
    QCOMPARE(g.intEnergyAim, 1234);
    QFile::remove(path);
}

void tst_nutritionsection::positionsOfLargeCatalogs_data()
{
    // Catalogs whose positions gain a digit, and the line whose number is made wrong.
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("wrong");
    QTest::newRow("9 products, the last") << 9 << 9;
    QTest::newRow("10 products, the tenth") << 10 << 10;
    QTest::newRow("100 products, the 99th") << 100 << 99;
    QTest::newRow("100 products, the 100th") << 100 << 100;
    QTest::newRow("1000 products, the 1000th") << 1000 << 1000;
    QTest::newRow("10001 products, the 10000th") << 10001 << 10000;
    QTest::newRow("10001 products, the 10001st") << 10001 << 10001;
}

void tst_nutritionsection::positionsOfLargeCatalogs()
{
    QFETCH(int, count);
    QFETCH(int, wrong);
    GlobalVariable g;
    InitGlobalVariable(g);
    for (int i = 1; i <= count; ++i) {
        g.objCatalog.AddProduct(QStringLiteral("Продукт %1").arg(i), qint16(10), QStringLiteral("шт"));
        ProductFacts& facts = g.objCatalog.GetProduct(qint16(i)).facts;
        facts.energy = qint64(i % 997) * 100 + i % 100;
        if (i % 3 == 0)
            facts.price = qint64(i) * 1001;
    }
    QByteArray bytes;
    QString strError;
    QVERIFY2(TripFile::write(TripFile::fromState(g), bytes, strError), qPrintable(strError));

    // Every product gets its own line's values.
    TripData data;
    QVERIFY2(TripFile::read(bytes, data, strError), qPrintable(strError));
    QCOMPARE(data.catalog.size(), count);
    for (int i = 1; i <= count; ++i) {
        QCOMPARE(factsOf(data, i).energy, g.objCatalog.GetProduct(qint16(i)).facts.energy);
        QCOMPARE(factsOf(data, i).price, g.objCatalog.GetProduct(qint16(i)).facts.price);
    }

    // A line that says another product's number is refused, however the number is read.
    const QByteArray line = cp1251(QStringLiteral("\r\n№ %1;").arg(wrong));
    const qsizetype at = bytes.lastIndexOf(line);
    QVERIFY(at > 0);
    bytes.replace(at, line.size(), cp1251(QStringLiteral("\r\n№ %1;").arg(wrong + 1)));
    QVERIFY(!TripFile::read(bytes, data, strError));
    QVERIFY2(strError.contains(QString::number(wrong)), qPrintable(strError));
}

void tst_nutritionsection::valuesFollowTheProduct()
{
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(withSection(), data, strError));
    GlobalVariable g;
    InitGlobalVariable(g);
    QVERIFY(TripFile::apply(data, g, strError));
    // A product added later starts empty; the others keep theirs.
    g.objCatalog.AddProduct(QStringLiteral("Сахар"), qint16(30), QStringLiteral("гр"));
    const TripData again = TripFile::fromState(g);
    QCOMPARE(again.catalog.size(), 3);
    QCOMPARE(factsOf(again, 1), factsOf(data, 1));
    QCOMPARE(factsOf(again, 2), factsOf(data, 2));
    QVERIFY(factsOf(again, 3).isEmpty());
    TripData back;
    QByteArray bytes;
    QVERIFY(TripFile::write(again, bytes, strError));
    QVERIFY(TripFile::read(bytes, back, strError));
    QCOMPARE(back, again);
}

void tst_nutritionsection::writeRefusesOutOfRange()
{
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(withSection(), data, strError));
    TripData aim = data;
    aim.intEnergyAim = 20001;
    QByteArray bytes = "прежнее";
    QVERIFY(!TripFile::write(aim, bytes, strError));
    QCOMPARE(bytes, QByteArray("прежнее"));
    TripData price = data;
    price.catalog.GetProduct(2).facts.price = 100000000001;
    QVERIFY(!TripFile::write(price, bytes, strError));
    QVERIFY2(strError.contains(QStringLiteral("цена")), qPrintable(strError));
}

void tst_nutritionsection::unitChangedToGrams()
{
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(withSection(), data, strError));
    GlobalVariable g;
    InitGlobalVariable(g);
    QVERIFY(TripFile::apply(data, g, strError));
    // Tea's unit becomes grams in the editor: its old weight is dropped, the trip still saves.
    g.objCatalog.GetProduct(2).strProductEdin = QStringLiteral("г");
    QByteArray bytes;
    QVERIFY2(TripFile::write(TripFile::fromState(g), bytes, strError), qPrintable(strError));
    QVERIFY(bytes.contains(cp1251(QStringLiteral("№ 2;;;;;;25;89.9\r\n"))));
}

QTEST_GUILESS_MAIN(tst_nutritionsection)
#include "tst_nutritionsection.moc"

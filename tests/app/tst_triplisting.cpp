#include "app/TripListing.h"
#include "model/GlobalVariable.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"

#include <QTest>

using Rows = QList<QStringList>;

// The lists go to a terminal: nothing from a trip file may drive it.
class tst_triplisting : public QObject
{
    Q_OBJECT

private slots:
    void controlCharacters_data();
    void controlCharacters();
    void rowsAndCells_data();
    void rowsAndCells();
    void purchasesWithoutTheGrid_data();
    void purchasesWithoutTheGrid();
};

void tst_triplisting::controlCharacters_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("printed");

    const QString r(QChar::ReplacementCharacter);
    QTest::newRow("plain") << "Гречка «ядрица»"
                           << "Гречка «ядрица»";
    QTest::newRow("escape sequence") << "a\x1b[2Jb"
                                     << "a" + r + "[2Jb";
    QTest::newRow("bell") << "x\ay"
                          << "x" + r + "y";
    QTest::newRow("nul") << QString("n") + QChar(0) + "m"
                         << "n" + r + "m";
    QTest::newRow("backspace and delete") << "a\bb\x7f"
                                          << "a" + r + "b" + r;
    QTest::newRow("C1 control") << QString("c") + QChar(0x9b) + "31m"
                                << "c" + r + "31m";
    QTest::newRow("the control sets' edges")
        << QString("a") + QChar(0x1f) + QChar(0x20) + QChar(0x7e) + QChar(0x9f) + QChar(0xa0) + "б"
        << "a" + r + " ~" + r + QChar(0xa0) + "б";
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("beyond the basic plane")
        << QString::fromUtf8("x\xF0\x9F\x8D\x9Ey") << QString::fromUtf8("x\xF0\x9F\x8D\x9Ey");
    // The column and line separators inside a cell only split the row: a blank.
    QTest::newRow("tab and line ends") << "a\tb\nc\rd"
                                       << "a b c d";
}

void tst_triplisting::controlCharacters()
{
    QFETCH(QString, cell);
    QFETCH(QString, printed);

    const QByteArray bytes = TripListing::toTsv({{cell, "1", "гр"}});
    QCOMPARE(QString::fromUtf8(bytes), printed + "\t1\tгр\n");
}

void tst_triplisting::rowsAndCells_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QByteArray>("tsv");

    QTest::newRow("nothing") << QList<QStringList>{} << QByteArray();
    QTest::newRow("an empty row is an empty line")
        << QList<QStringList>{{"a", "b"}, {}, {"c"}} << QByteArray("a\tb\n\nc\n");
    QTest::newRow("empty cells keep their columns")
        << QList<QStringList>{{"", "", ""}, {"x", "", "y"}} << QByteArray("\t\t\nx\t\ty\n");
    QTest::newRow("many rows of one cell")
        << QList<QStringList>(1000, QStringList{"Соль"}) << QString("Соль\n").repeated(1000).toUtf8();
}

void tst_triplisting::rowsAndCells()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(QByteArray, tsv);

    QCOMPARE(TripListing::toTsv(rows), tsv);
}

void tst_triplisting::purchasesWithoutTheGrid_data()
{
    QTest::addColumn<Rows>("products");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("shift");

    const Rows mixed{{"Чай", "5", "гр."}, {"Яйца", "1", "шт"}, {"Гречка", "100", "г"}, {"Масло", "0", "гр"}};
    QTest::newRow("whole trip, with the total") << mixed << QStringList{"1 2 | 3 | 4", "3 | | 1"} << 2 << 0;
    QTest::newRow("one shift") << mixed << QStringList{"1 2 | 3 | 4", "3 | | 1"} << 2 << 2;
    QTest::newRow("no gram unit: no total")
        << Rows{{"Яйца", "2", "шт"}, {"Вода", "500", "мл"}} << QStringList{"1 2 | 1 | 2"} << 3 << 0;
    QTest::newRow("nothing bought") << Rows{{"Соль", "0", "г"}} << QStringList{"1 | | "} << 1 << 0;
    QTest::newRow("empty catalog") << Rows{} << QStringList{" | | "} << 1 << 0;
    QTest::newRow("names to make safe") << Rows{{"a\tb", "10", "г\n"}, {QString("c") + QChar(0x1b) + "d", "1", "г"}}
                                        << QStringList{"1 2 | | "} << 2 << 0;
    // Numbers of every length; the total past 32 bits.
    QTest::newRow("long numbers") << Rows{{"Мука", "32000", "г"}, {"Сахар", "7", "г"}, {"Соль", "10000", "г"}}
                                  << QStringList{"1 2 | 3 | 2 3"} << 9000 << 0;
}

void tst_triplisting::purchasesWithoutTheGrid()
{
    QFETCH(Rows, products);
    QFETCH(QStringList, menus);
    QFETCH(int, people);
    QFETCH(int, shift);

    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, products, menus, qint16(people), 3, 7);
    const bool blnAll = shift == 0;
    const qint16 intSmen = qint16(blnAll ? 1 : shift);
    QCOMPARE(QString::fromUtf8(TripListing::purchasesTsv(g, blnAll, intSmen)),
             QString::fromUtf8(TripListing::toTsv(TripListing::purchases(g, blnAll, intSmen))));
}

QTEST_MAIN(tst_triplisting)
#include "tst_triplisting.moc"

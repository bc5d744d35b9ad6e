#include "export/LayoutDocument.h"
#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "support/DocumentCheck.h"
#include "support/SampleTrip.h"

#include <QFileInfo>
#include <QTest>

using namespace TestSupport;
using Rows = QList<QStringList>;

namespace {

const QString kNoWord = QStringLiteral("Возможно у Вас не установлен Word 2000!");

// Twelve gram products, "Продукт k" with norm 10·k.
Rows numberedProducts()
{
    Rows products;
    for (int k = 1; k <= 12; ++k)
        products.append({QStringLiteral("Продукт %1").arg(k), QString::number(10 * k), QStringLiteral("гр")});
    return products;
}

// "a b c | d | " from the counts of products in the three meals, numbering on.
QString menuOf(const QList<int>& counts)
{
    QStringList meals;
    int next = 1;
    for (int n : counts) {
        QStringList positions;
        for (int k = 0; k < n; ++k)
            positions.append(QString::number(next++));
        meals.append(positions.join(QLatin1Char(' ')));
    }
    return meals.join(QLatin1Char('|'));
}

QStringList headings(const WordDocument& doc)
{
    // The paragraph before each table is its day's heading.
    QStringList out;
    const QList<WordBlock>& blocks = doc.main.blocks;
    for (int i = 1; i < blocks.size(); ++i) {
        if (std::holds_alternative<WordTable>(blocks.at(i)))
            out.append(std::get<WordParagraph>(blocks.at(i - 1)).text());
    }
    return out;
}

} // namespace

class tst_layoutdocument : public QObject
{
    Q_OBJECT

private slots:
    void dayTable_data();
    void dayTable();
    void headingsAndDates_data();
    void headingsAndDates();
    void amounts_data();
    void amounts();
    void daysOfTheExport_data();
    void daysOfTheExport();
    void headingFormatAfterADay();
    void failsBeforeOpenWord();
    void tripWithoutTheDay();
    void wordNotAvailable();
};

void tst_layoutdocument::dayTable_data()
{
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("5, 3 and 0 products") << QList<int>{5, 3, 0};
    QTest::newRow("0, 2 and 4 products") << QList<int>{0, 2, 4};
    QTest::newRow("no products") << QList<int>{0, 0, 0};
}

void tst_layoutdocument::dayTable()
{
    QFETCH(QList<int>, counts);
    ExportingTrip t;
    makeTrip(t.g, numberedProducts(), {menuOf(counts)}, 4, 1, 1, QDate(2026, 6, 7));
    QVERIFY(TripDocuments::exportLayout(t.g, true, 1).ok());
    QCOMPARE(messageTexts(), QStringList());

    const QList<const WordTable*> tables = t.last().main.tables();
    QCOMPARE(tables.size(), 1);
    const WordTable& table = *tables.first();
    const int rows = *std::max_element(counts.cbegin(), counts.cend());
    QCOMPARE(table.columns, 6);
    QCOMPARE(table.rows.size(), rows + 3);

    // The meal headers, each over its pair of columns; breakfast is the next morning's.
    const QStringList headers = {QStringLiteral("Обед   07.06.2026"), QStringLiteral("Ужин  07.06.2026"),
                                 QStringLiteral("Завтрак  08.06.2026")};
    // Neighbouring cells share their lines: under the header the rows below draw theirs.
    const QString under = rows > 0 ? QStringLiteral("2/4") : QStringLiteral("11/24");
    const QStringList headerEdges = {QStringLiteral("10/24 10/24 %1 11/24").arg(under),
                                     QStringLiteral("10/24 11/24 %1 11/24").arg(under),
                                     QStringLiteral("10/24 11/24 %1 9/24").arg(under)};
    QCOMPARE(table.rows.at(0).cells.size(), 3);
    for (int m = 0; m < 3; ++m) {
        const WordCell& c = table.cell(0, m);
        QCOMPARE(c.span, 2);
        QCOMPARE(c.text(), headers.at(m));
        QCOMPARE(c.paragraphs.first().runs.first().format, (WordCharFormat{14, true, false, QString()}));
        QCOMPARE(edges(c), headerEdges.at(m));
    }

    // Product rows: the k-th product of each meal, or empty but bordered cells.
    int first = 1;
    for (int m = 0; m < 3; ++m) {
        for (int k = 1; k <= rows; ++k) {
            const WordCell& name = table.cell(k, 2 * m);
            const WordCell& amount = table.cell(k, 2 * m + 1);
            QCOMPARE(table.rows.at(k).cells.size(), 6);
            if (k <= counts.at(m)) {
                const int p = first + k - 1;
                QCOMPARE(name.text(), QStringLiteral("Продукт %1").arg(p));
                QCOMPARE(amount.text(), QStringLiteral("%1 гр").arg(4 * 10 * p));
                QCOMPARE(int(name.paragraphs.first().align), int(WordAlign::Left));
                QCOMPARE(int(amount.paragraphs.first().align), int(WordAlign::Right));
            } else {
                QVERIFY(name.isEmpty());
                QVERIFY(amount.isEmpty());
            }
            const QString below = k == rows ? QStringLiteral("11/24") : QStringLiteral("2/4");
            QCOMPARE(edges(name), QStringLiteral("2/4 %1 %2 2/4").arg(m == 0 ? "10/24" : "11/24", below));
            QCOMPARE(edges(amount), QStringLiteral("2/4 2/4 %1 %2").arg(below, m == 2 ? "9/24" : "11/24"));
        }
        first += counts.at(m);
    }

    // Per-person weights: the sum of the meal's norms.
    int sums[3] = {0, 0, 0};
    first = 1;
    for (int m = 0; m < 3; ++m) {
        for (int k = 0; k < counts.at(m); ++k)
            sums[m] += 10 * (first + k);
        first += counts.at(m);
    }
    const WordRow& weights = table.rows.at(rows + 1);
    QCOMPARE(weights.cells.size(), 3);
    const QStringList weightEdges = {QStringLiteral("11/24 10/24 1/4 11/24"), QStringLiteral("11/24 11/24 1/4 11/24"),
                                     QStringLiteral("11/24 11/24 1/4 9/24")};
    const QStringList names = {QStringLiteral("Удельный вес обеда  "), QStringLiteral("Удельный вес ужина  "),
                               QStringLiteral("Удельный вес завтрака  ")};
    for (int m = 0; m < 3; ++m) {
        const WordCell& c = weights.cells.at(m);
        QCOMPARE(c.span, 2);
        QCOMPARE(c.text(), names.at(m) + QString::number(sums[m]) + QStringLiteral(" гр"));
        QCOMPARE(c.paragraphs.first().runs.first().format.size, 10);
        QCOMPARE(edges(c), weightEdges.at(m));
    }

    const WordRow& day = table.rows.at(rows + 2);
    QCOMPARE(day.cells.size(), 1);
    QCOMPARE(day.cells.at(0).span, 6);
    QCOMPARE(day.cells.at(0).text(), QStringLiteral("Удельный вес рациона  %1 гр").arg(sums[0] + sums[1] + sums[2]));
    QCOMPARE(day.cells.at(0).paragraphs.first().runs.first().format, (WordCharFormat{11, true, false, QString()}));
    QCOMPARE(edges(day.cells.at(0)), QStringLiteral("1/4 10/24 9/24 9/24"));

    // The cursor went on below the table: an empty paragraph, then the next one.
    const QList<WordBlock>& blocks = t.last().main.blocks;
    QVERIFY(std::holds_alternative<WordTable>(blocks.at(blocks.size() - 3)));
    QVERIFY(std::get<WordParagraph>(blocks.at(blocks.size() - 2)).isEmpty());
    QVERIFY(std::get<WordParagraph>(blocks.last()).isEmpty());
}

void tst_layoutdocument::headingsAndDates_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QStringList>("expected");   // headings
    QTest::addColumn<QStringList>("breakfasts"); // breakfast headers

    QTest::newRow("whole layout") << true << 1
                                  << QStringList{"Дежурная смена №1", "Дежурная смена №2", "Дежурная смена №1"}
                                  << QStringList{"Завтрак  02.03.2026", "Завтрак  03.03.2026",
                                                 "Завтрак  04.03.2026"}; // the day after the trip's end
    QTest::newRow("one shift") << false << 2 << QStringList{" 2  марта  2026, ( понедельник )"}
                               << QStringList{"Завтрак  03.03.2026"};
}

void tst_layoutdocument::headingsAndDates()
{
    QFETCH(bool, all);
    QFETCH(int, shift);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, breakfasts);
    ExportingTrip t;
    makeTrip(t.g, numberedProducts(), {"1|2|3", "4||"}, 2, 2, 3, QDate(2026, 3, 1));
    QVERIFY(TripDocuments::exportLayout(t.g, all, shift).ok());
    QCOMPARE(messageTexts(), QStringList());

    const WordDocument& doc = t.last();
    QCOMPARE(headings(doc), expected);
    const QList<const WordTable*> tables = doc.main.tables();
    QCOMPARE(tables.size(), expected.size());
    for (int i = 0; i < tables.size(); ++i)
        QCOMPARE(tables.at(i)->cell(0, 2).text(), breakfasts.at(i));
    if (all) {
        QCOMPARE(tables.first()->cell(0, 0).text(), QStringLiteral("Обед   01.03.2026"));
        QCOMPARE(tables.first()->cell(0, 1).text(), QStringLiteral("Ужин  01.03.2026"));
        // The last day still shows its own menu (menu 1 again) in the breakfast column.
        QCOMPARE(tables.last()->cell(1, 4).text(), QStringLiteral("Продукт 3"));
    }
}

void tst_layoutdocument::amounts_data()
{
    QTest::addColumn<int>("people");
    QTest::addColumn<Rows>("products"); // all in the lunch
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<int>("weight"); // per person

    QTest::newRow("ten people") << 10 << Rows{{"Гречка", "150", "гр"}, {"Рис", "200", "гр"}}
                                << QStringList{"1500 гр", "2000 гр"} << 350;
    QTest::newRow("norm 0") << 3 << Rows{{"Соль", "0", "гр"}, {"Чай", "5", "гр"}} << QStringList{"0 гр", "15 гр"} << 5;
    QTest::newRow("pieces do not weigh") << 4 << Rows{{"Гречка", "100", "гр"}, {"Яйца", "3", "шт"}}
                                         << QStringList{"400 гр", "12 шт"} << 100;
    QTest::newRow("no unit") << 2 << Rows{{"Вода", "7", ""}} << QStringList{"14 "} << 0;
    // Above 16 bits the amount is written as it is and the day goes on.
    QTest::newRow("above 32767") << 30 << Rows{{"Сухари", "2000", "гр"}, {"Сало", "1500", "г"}}
                                 << QStringList{"60000 гр", "45000 г"} << 2000; // "г" weighs in purchase lists only
}

void tst_layoutdocument::amounts()
{
    QFETCH(int, people);
    QFETCH(Rows, products);
    QFETCH(QStringList, amounts);
    QFETCH(int, weight);
    ExportingTrip t;
    QStringList lunch;
    for (int p = 1; p <= products.size(); ++p)
        lunch.append(QString::number(p));
    makeTrip(t.g, products, {lunch.join(QLatin1Char(' ')) + "||"}, qint16(people), 1, 2, QDate(2026, 6, 7));
    QVERIFY(TripDocuments::exportLayout(t.g, true, 1).ok());
    QCOMPARE(messageTexts(), QStringList());

    const QList<const WordTable*> tables = t.last().main.tables();
    QCOMPARE(tables.size(), 2); // both days
    const WordTable& table = *tables.first();
    for (int k = 0; k < amounts.size(); ++k) {
        QCOMPARE(table.cell(k + 1, 0).text(), products.at(k).at(0));
        QCOMPARE(table.cell(k + 1, 1).text(), amounts.at(k));
    }
    const int rows = int(table.rows.size());
    QCOMPARE(table.cell(rows - 2, 0).text(), QStringLiteral("Удельный вес обеда  %1 гр").arg(weight));
    QCOMPARE(table.cell(rows - 1, 0).text(), QStringLiteral("Удельный вес рациона  %1 гр").arg(weight));
}

void tst_layoutdocument::daysOfTheExport_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("shifts");
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("shift 3 of 3 on 7 days")
        << 7 << 3 << false << 3 << "Раскладка дежурной смены №3"
        << QStringList{" 9  июня  2026, ( вторник )", " 12  июня  2026, ( пятница )"};
    QTest::newRow("shift 1 of 3 on 7 days")
        << 7 << 3 << false << 1 << "Раскладка дежурной смены №1"
        << QStringList{" 7  июня  2026, ( воскресенье )", " 10  июня  2026, ( среда )", " 13  июня  2026, ( суббота )"};
    QTest::newRow("a shift that cooks no day")
        << 3 << 4 << false << 4 << "Раскладка дежурной смены №4" << QStringList{};
    QTest::newRow("whole layout") << 4 << 3 << true << 2 << "Раскладка"
                                  << QStringList{"Дежурная смена №1", "Дежурная смена №2", "Дежурная смена №3",
                                                 "Дежурная смена №1"};
}

void tst_layoutdocument::daysOfTheExport()
{
    QFETCH(int, days);
    QFETCH(int, shifts);
    QFETCH(bool, all);
    QFETCH(int, shift);
    QFETCH(QString, title);
    QFETCH(QStringList, expected);
    ExportingTrip t;
    makeTrip(t.g, numberedProducts(), {"1|2|3"}, 2, qint16(shifts), qint16(days), QDate(2026, 6, 7));

    const TripDocuments::ExportResult r = TripDocuments::exportLayout(t.g, all, shift);
    QVERIFY(r.ok());
    QVERIFY(QFileInfo(r.strFile).isFile());
    QCOMPARE(QFileInfo(r.strFile).absolutePath(), t.documents());
    QCOMPARE(messageTexts(), QStringList());
    const WordDocument& doc = t.last();
    QCOMPARE(doc.header.paragraphs().first()->text(), title);
    QCOMPARE(headings(doc), expected);
    // The document is handed to the word processor once.
    QCOMPARE(t.platform.desktop.count(), 1);
    QCOMPARE(t.platform.desktop.last().target, r.strFile);
}

void tst_layoutdocument::headingFormatAfterADay()
{
    // The second day's heading looks like the first's: what the table leaves behind
    // after the bold day weight does not reach it.
    ExportingTrip t;
    makeTrip(t.g, numberedProducts(), {"1|2|3"}, 2, 1, 2, QDate(2026, 6, 7));
    QVERIFY(TripDocuments::exportLayout(t.g, true, 1).ok());
    QList<WordCharFormat> formats;
    const QList<WordBlock>& blocks = t.last().main.blocks;
    for (int i = 1; i < blocks.size(); ++i) {
        if (std::holds_alternative<WordTable>(blocks.at(i))) {
            const WordParagraph& heading = std::get<WordParagraph>(blocks.at(i - 1));
            QCOMPARE(int(heading.align), int(WordAlign::Left));
            formats.append(heading.runs.first().format);
        }
    }
    QCOMPARE(formats.size(), 2);
    QCOMPARE(formats.at(0).size, 14);
    QCOMPARE(formats.at(1), formats.at(0));
}

void tst_layoutdocument::failsBeforeOpenWord()
{
    ExportingTrip t;
    makeTrip(t.g, numberedProducts(), {"1|2|3"}, 2, 1, 1);
    QVERIFY(!LayoutDocument::PrintWord(t.g, 1, 0));
    // Each step tells its failure; the heading's ends the day.
    QCOMPARE(messageTexts(), (QStringList{"Невозможно задать выравнивание! Error in ClassWord::SetAlign ",
                                          "Невозможно установить размер шрифта! Error in ClassWord::SetFontSize ",
                                          "Невозможно вставить текст!  Error in ClassWord::InsertText"}));
    for (const MessageBox::Shown& s : t.platform.boxes.shown())
        QCOMPARE(s.caption, QStringLiteral("Ошибка!"));
    QVERIFY(!objWord(t.g).lastDocument());
}

void tst_layoutdocument::tripWithoutTheDay()
{
    // Day 2's menu names a product the catalog lacks (a damaged trip): the document
    // holds day 1, the user is told, and nothing after day 2 is written.
    ExportingTrip t;
    makeTrip(t.g, numberedProducts(), {"1||", "99||", "2||"}, 2, 1, 3, QDate(2026, 6, 7));

    QString why;
    QVERIFY(objWord(t.g).OpenWord());
    QVERIFY(!LayoutDocument::PrintWord(t.g, 2, 0, &why));
    QVERIFY(!why.isEmpty());
    QCOMPARE(messageTexts(), QStringList());
    QVERIFY(objWord(t.g).document()->main.isBlank()); // nothing of the day was written
    objWord(t.g).CloseWord();
    t.platform.boxes.clear();

    const TripDocuments::ExportResult r = TripDocuments::exportLayout(t.g, true, 1);
    QVERIFY(!r.blnComplete);
    QVERIFY(QFileInfo(r.strFile).isFile()); // what was written is kept
    QCOMPARE(headings(t.last()), QStringList{"Дежурная смена №1"});
    QCOMPARE(t.platform.boxes.count(), 1);
    QCOMPARE(t.platform.boxes.last().caption, QStringLiteral("Раскладка"));
    QVERIFY(t.platform.boxes.last().text.startsWith(QStringLiteral("День 2 не записан")));
}

void tst_layoutdocument::wordNotAvailable()
{
    ExportingTrip t;
    makeTrip(t.g, numberedProducts(), {"1|2|3"}, 2, 1, 2);
    // A file where the documents folder should be: nothing can be saved there.
    QFile blocker(t.dir.filePath(QStringLiteral("занято")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    objWord(t.g).setDocumentsFolder(blocker.fileName() + QStringLiteral("/Документы"));

    const TripDocuments::ExportResult r = TripDocuments::exportLayout(t.g, true, 1);
    QVERIFY(!r.blnComplete);
    QVERIFY(r.strFile.isEmpty());
    QCOMPARE(messageTexts(),
             (QStringList{"Невозможно открыть приложение Word 2000 !  Error in ClassWord::OpenWord", kNoWord}));
    const MessageBox::Shown noWord = t.platform.boxes.last();
    QCOMPARE(noWord.caption, QStringLiteral("Раскладка"));
    QCOMPARE(int(noWord.icon), int(MessageBox::Information));
    QCOMPARE(int(noWord.buttons), int(MessageBox::OkOnly));
    QCOMPARE(t.platform.desktop.count(), 0);
    QVERIFY(!objWord(t.g).isOpen());
}

QTEST_MAIN(tst_layoutdocument)
#include "tst_layoutdocument.moc"

#include "export/PurchaseListDocument.h"
#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "model/RuDate.h"
#include "support/DocumentCheck.h"
#include "support/SampleTrip.h"

#include <QFileInfo>
#include <QTest>

using namespace TestSupport;
using Rows = QList<QStringList>;

namespace {

const QString kNoWord = QStringLiteral("Возможно у Вас не установлен Word 2000!");
const QString kNotes = QStringLiteral("                           Для заметок ");

// What a table row holds, cell by cell.
QStringList rowTexts(const WordTable& t, int row)
{
    QStringList out;
    for (const WordCell& c : t.rows.at(row).cells)
        out.append(c.text());
    return out;
}

} // namespace

class tst_purchaselistdocument : public QObject
{
    Q_OBJECT

private slots:
    void titleBlock_data();
    void titleBlock();
    void purchaseTable_data();
    void purchaseTable();
    void failsBeforeOpenWord();
    void wordNotAvailable();
};

void tst_purchaselistdocument::titleBlock_data()
{
    QTest::addColumn<bool>("viewAll");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("title");

    QTest::newRow("whole trip") << true << "Карелия, июнь"
                                << "Общий список закупок по раскладке";
    QTest::newRow("one shift, no description") << false << ""
                                               << "Список закупок продуктов дежурной смены №2";
}

void tst_purchaselistdocument::titleBlock()
{
    QFETCH(bool, viewAll);
    QFETCH(QString, description);
    QFETCH(QString, title);
    ExportingTrip t;
    makeTrip(t.g, {{"Гречка", "100", "гр"}}, {"1||"}, 6, 3, 5, QDate(2026, 6, 7));
    t.g.strDeffine = description;
    QVERIFY(TripDocuments::exportPurchases(t.g, viewAll, 2).ok());
    QCOMPARE(messageTexts(), QStringList());
    const WordDocument& doc = t.last();

    // Margins 2.0, 1.5, 1.5 and 1.5 cm, in twips.
    QCOMPARE(qRound(doc.page.leftMargin * 20), 1134);
    QCOMPARE(qRound(doc.page.rightMargin * 20), 850);
    QCOMPARE(qRound(doc.page.topMargin * 20), 850);
    QCOMPARE(qRound(doc.page.bottomMargin * 20), 850);

    // Page header: the title, bold 18 pt, and the description, 14 pt, centred.
    QCOMPARE(doc.header.text(), title + QLatin1Char('\n') + description);
    const QList<const WordParagraph*> header = doc.header.paragraphs();
    QCOMPARE(header.at(0)->runs.first().format, (WordCharFormat{18, true, false, QString()}));
    QCOMPARE(header.at(1)->mark.size, 14);
    QCOMPARE(header.at(1)->mark.bold, false);
    for (const WordParagraph* p : header)
        QCOMPARE(int(p->align), int(WordAlign::Center));

    // Page footer, on the right: the credit, the maker's addresses, today, the numbering.
    const QString today = RuDate::shortDate(QDate::currentDate());
    QCOMPARE(doc.footer.text(), QStringLiteral("Product of R.K.Forge©\nmailto:torbel@example.org\n"
                                               "http://www.example.org/torbel/\n") +
                                    today + QStringLiteral("\nСтр. {PAGE} из {NUMPAGES}"));
    const QList<const WordParagraph*> footer = doc.footer.paragraphs();
    QCOMPARE(footer.at(0)->runs.first().format, (WordCharFormat{11, true, true, QString()}));
    for (const WordParagraph* p : footer) {
        QCOMPARE(int(p->align), int(WordAlign::Right));
        if (p != footer.first())
            QCOMPARE(p->runs.first().format, (WordCharFormat{10, false, false, QString()}));
    }
    const WordParagraph& numbering = *footer.last();
    QCOMPARE(int(numbering.runs.at(1).kind), int(WordRun::Kind::PageNumber));
    QCOMPARE(int(numbering.runs.at(3).kind), int(WordRun::Kind::PageCount));

    // The body's three lines, centred 14 pt, after an empty first paragraph.
    const QList<const WordParagraph*> body = doc.main.paragraphs();
    QVERIFY(body.at(0)->isEmpty());
    const QStringList lines = {"Поход с 7  июня  2026 по 11  июня  2026.", "Общая продолжительность: 5 дней(дня).",
                               "Количество участников:  6 человек(а)."};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(body.at(i + 1)->text(), lines.at(i));
        QCOMPARE(int(body.at(i + 1)->align), int(WordAlign::Center));
        QCOMPARE(body.at(i + 1)->runs.first().format, (WordCharFormat{14, false, false, QString()}));
    }
    QVERIFY(body.at(4)->isEmpty());
    QVERIFY(std::holds_alternative<WordTable>(doc.main.blocks.at(5)));
}

void tst_purchaselistdocument::purchaseTable_data()
{
    QTest::addColumn<Rows>("products");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<bool>("viewAll");
    QTest::addColumn<int>("shift");
    QTest::addColumn<Rows>("expected"); // rows below the header, first three columns

    // 2 people, 3 shifts, 7 days.
    const Rows grams = {{"Сахар", "50", "гр"}, {"Гречка", "100", "гр"}, {"Чай", "5", "г"}, {"Спички", "1", "шт"}};
    QTest::newRow("gram products and a total") << grams << QStringList{"2 4|1|3"} << true << 1
                                               << Rows{{"Гречка", "1400", "гр"},
                                                       {"Сахар", "700", "гр"},
                                                       {"Спички", "14", "шт"},
                                                       {"Чай", "70", "г"},
                                                       {"ВСЕГО:", "2170", "гр"}};
    QTest::newRow("days 2 and 5 of shift 2") << grams << QStringList{"2||", "1||", "3||"} << false << 2
                                             << Rows{{"Сахар", "200", "гр"}, {"ВСЕГО:", "200", "гр"}};
    QTest::newRow("no gram product: the last product is bold")
        << Rows{{"Спички", "1", "шт"}, {"Вода", "2", "л"}} << QStringList{"1 2||"} << true << 1
        << Rows{{"Вода", "28", "л"}, {"Спички", "14", "шт"}};
    QTest::newRow("empty catalog") << Rows{} << QStringList{"||"} << true << 1 << Rows{{"", "", ""}};
    QTest::newRow("a shift that cooks no day") << grams << QStringList{"1||"} << false << 9 << Rows{};
}

void tst_purchaselistdocument::purchaseTable()
{
    QFETCH(Rows, products);
    QFETCH(QStringList, menus);
    QFETCH(bool, viewAll);
    QFETCH(int, shift);
    QFETCH(Rows, expected);
    ExportingTrip t;
    makeTrip(t.g, products, menus, 2, 3, 7, QDate(2026, 6, 7));
    QVERIFY(TripDocuments::exportPurchases(t.g, viewAll, qint16(shift)).ok());
    QCOMPARE(messageTexts(), QStringList());

    const QList<const WordTable*> tables = t.last().main.tables();
    QCOMPARE(tables.size(), 1);
    const WordTable& table = *tables.first();
    QCOMPARE(table.columns, 5);
    QCOMPARE(table.rows.size(), expected.size() + 1);

    QCOMPARE(rowTexts(table, 0), (QStringList{"Наименование", "Количество", " Ед. ", "Стоимость", kNotes}));
    for (int c = 0; c < 5; ++c) {
        const WordParagraph& p = table.cell(0, c).paragraphs.first();
        QCOMPARE(p.runs.first().format, (WordCharFormat{14, true, false, QString()}));
        if (c != 2)
            QCOMPARE(int(p.align), int(WordAlign::Center));
    }
    for (int r = 1; r <= expected.size(); ++r) {
        const bool last = r == expected.size();
        // Cost and notes are written in by hand.
        QCOMPARE(rowTexts(table, r), expected.at(r - 1) + QStringList(2, QString()));
        for (int c = 0; c < 3; ++c) {
            const WordParagraph& p = table.cell(r, c).paragraphs.first();
            QCOMPARE(int(p.align), int(c == 0 ? WordAlign::Left : WordAlign::Right));
            const WordCharFormat& f = p.runs.isEmpty() ? p.mark : p.runs.first().format;
            QCOMPARE(f.size, 14);
            QCOMPARE(f.bold, last);
        }
    }
    // Nothing follows the table but the paragraph a table always has after it.
    QVERIFY(std::holds_alternative<WordTable>(t.last().main.blocks.at(t.last().main.blocks.size() - 2)));
    QVERIFY(std::get<WordParagraph>(t.last().main.blocks.last()).isEmpty());
}

void tst_purchaselistdocument::failsBeforeOpenWord()
{
    ExportingTrip t;
    QVERIFY(!PurchaseListDocument::PrintList(t.g, {{"Гречка", "100", "гр"}}));
    // Every step up to the first header text tells its failure, then the export gives up.
    QCOMPARE(messageTexts(), (QStringList{"Невозможно вставить таблицу! Error in ClassWord::InsertTable ",
                                          "Невозможно установить размер шрифта! Error in ClassWord::SetFontSize ",
                                          "Невозможно задать свойство! Error in ClassWord::Bold ",
                                          "Невозможно задать выравнивание! Error in ClassWord::SetAlign ",
                                          "Невозможно вставить текст!  Error in ClassWord::InsertText", kNoWord}));
    QCOMPARE(t.platform.boxes.last().caption, QStringLiteral("Раскладка"));
    QCOMPARE(int(t.platform.boxes.last().icon), int(MessageBox::Information));
}

void tst_purchaselistdocument::wordNotAvailable()
{
    ExportingTrip t;
    makeTrip(t.g, {{"Гречка", "100", "гр"}}, {"1||"}, 2, 1, 2);
    QFile blocker(t.dir.filePath(QStringLiteral("занято")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    objWord(t.g).setDocumentsFolder(blocker.fileName());

    const TripDocuments::ExportResult r = TripDocuments::exportPurchases(t.g, true, 1);
    QVERIFY(!r.blnComplete);
    QVERIFY(r.strFile.isEmpty());
    QCOMPARE(messageTexts(),
             (QStringList{"Невозможно открыть приложение Word 2000 !  Error in ClassWord::OpenWord", kNoWord}));
    QCOMPARE(t.platform.desktop.count(), 0);
}

QTEST_MAIN(tst_purchaselistdocument)
#include "tst_purchaselistdocument.moc"

#include "export/ColumnWidths.h"
#include "export/PageRenderer.h"
#include "export/SerifMetrics.h"
#include "export/ShoppingDocument.h"
#include "export/TripDocuments.h"
#include "export/WordEditor.h"
#include "export/clsRKWord.h"
#include "model/TripCheck.h"
#include "platform/Printing.h"
#include "support/DocumentCheck.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"

#include <QBuffer>
#include <QMap>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace TestSupport;

namespace {

const QString kSample = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb");

bool loadSample(GlobalVariable& g)
{
    TripData data;
    QString why;
    if (!TripFile::readFile(kSample, data, why) || !TripFile::apply(std::move(data), g, why))
        return false;
    const TripCheck::Result check = TripCheck::check(g.dtDataBegin, g.dtDataEnd, g.intCountPeople, g.intCountSmena);
    g.intCountDay = check.intCountDay;
    g.objRasklad.Build(g.intCountDay, g.intPeriod);
    return check.ok();
}

WordParagraph paragraph(const QString& text, int size = 12, bool bold = false)
{
    WordParagraph p;
    WordRun r;
    r.text = text;
    r.format.size = size;
    r.format.bold = bold;
    p.runs.append(r);
    return p;
}

// One row of single cells with the given texts.
WordTable table(const QStringList& texts, int size = 12)
{
    WordTable t;
    t.columns = int(texts.size());
    WordRow row;
    for (const QString& s : texts) {
        WordCell c;
        c.paragraphs = {paragraph(s, size)};
        row.cells.append(c);
    }
    t.rows.append(row);
    return t;
}

// Rows of single cells.
WordTable table(const QList<QStringList>& rows, int size = 12)
{
    WordTable t = table(rows.first(), size);
    for (qsizetype r = 1; r < rows.size(); ++r)
        t.rows.append(table(rows.at(r), size).rows.first());
    return t;
}

const QString kLongName = QStringLiteral("Гречка ядрица быстроразваривающаяся отборная");

// 51 days, 30 people, a long product name (in one meal a day: a layout page holds it
// whole), amounts up to the largest a norm allows.
void makeBigTrip(GlobalVariable& g)
{
    makeTrip(g,
             {{kLongName, "80", "гр"},
              {"Сухари ржаные", "35", "гр"},
              {"Сгущёнка", "1", "банка"},
              {"Сало", "32767", "гр"},
              {"Чай", "5", "гр"}},
             {"1 2|5|4", "3|1 5|2"}, 30, 15, 51, QDate(2026, 6, 7));
}

// The text width of a document's pages in twips, as the .docx writer gives it.
int textTwips(const WordDocument& doc)
{
    return doc.page.widthTwips() - int(std::lround(doc.page.leftMargin * 20)) -
           int(std::lround(doc.page.rightMargin * 20));
}

// Every word the document's model holds, so that a fragment of one stands out.
QSet<QString> modelWords(const WordDocument& doc)
{
    QSet<QString> words;
    auto add = [&words](const QString& text) {
        for (const QString& w : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            words.insert(w);
    };
    for (const WordStory* s : {&doc.main, &doc.header, &doc.footer}) {
        add(s->text());
        for (const WordTable* t : s->tables()) {
            for (const WordRow& r : t->rows) {
                for (const WordCell& c : r.cells)
                    add(c.text());
            }
        }
    }
    return words;
}

// Dark runs along a line of pixels: their lengths, in order.
QList<int> darkRuns(const QImage& image, QPoint from, QPoint step, int count)
{
    QList<int> runs;
    int length = 0;
    for (int i = 0; i < count; ++i) {
        const QPoint p = from + step * i;
        const bool dark = image.rect().contains(p) && qGray(image.pixel(p)) < 128;
        if (dark) {
            ++length;
        } else if (length > 0) {
            runs.append(length);
            length = 0;
        }
    }
    if (length > 0)
        runs.append(length);
    return runs;
}

const PageRenderer::TextItem* findText(const PageRenderer::Page& page, const QString& text)
{
    for (const PageRenderer::TextItem& t : page.texts) {
        if (t.text.contains(text))
            return &t;
    }
    return nullptr;
}

} // namespace

class tst_pagerenderer : public QObject
{
    Q_OBJECT

private slots:
    void columnWidths_data();
    void columnWidths();
    void facingEdges_data();
    void facingEdges();
    void sampleDocumentsOnPages_data();
    void sampleDocumentsOnPages();
    void keptTableStartsOnFreshPage();
    void headingGoesWithItsTable_data();
    void headingGoesWithItsTable();
    void rowTallerThanAPage();
    void lineBreaks_data();
    void lineBreaks();
    void printsTheChosenPages_data();
    void printsTheChosenPages();
    void alignments_data();
    void alignments();
    void firstPageBorders();
};

void tst_pagerenderer::columnWidths_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("available");
    QTest::addColumn<bool>("allWhole"); // every cell fits on one line

    QTest::newRow("fits") << QStringList{"Гречка", "640 гр"} << 9000 << true;
    QTest::newRow("no limit") << QStringList{QString(40, u'ж'), "1"} << 0 << true;
    // The notes heading: a line may break after its leading blanks.
    QTest::newRow("leading blanks") << QStringList{"Наименование", "Количество", " Ед. ", "Стоимость",
                                                   "                           Для заметок "}
                                    << 9780 << false;
    // Not even the words fit: the amounts stay whole, only the long words break.
    QTest::newRow("words too wide") << QStringList{kLongName, "983010 гр", kLongName, "105 гр", kLongName, "2400 гр"}
                                    << 9922 << false;
    QTest::newRow("amounts alone fill the page")
        << QStringList{"983010 гр", "983010 гр", "983010 гр", "983010 гр", "983010 гр",
                       "983010 гр", "983010 гр", "983010 гр", kLongName}
        << 9922 << false;
    QTest::newRow("narrowest page") << QStringList{"1 гр", kLongName} << 1 << false;
    // One participant's smallest amount beside counts past 2^31 and the widest money.
    QTest::newRow("extreme amounts") << QStringList{kLongName,    "0 гр",   "2147483648 гр", "-92233720368547758.08",
                                                    "4294967296", kLongName}
                                     << 9922 << false;
    QTest::newRow("two columns, widest page") << QStringList{"1", kLongName.repeated(3)} << 16838 << false;
    // Long names wrap; the short amounts beside them must not.
    QTest::newRow("short amounts stay whole") << QStringList{"Сухари ржаные с изюмом и орехами к чаю", "640 гр",
                                                             "Колбаса сырокопчёная нарезанная тонко", "1200 гр"}
                                              << 6000 << false;
}

void tst_pagerenderer::columnWidths()
{
    QFETCH(QStringList, texts);
    QFETCH(int, available);
    QFETCH(bool, allWhole);

    const WordTable t = table(texts, 14);
    const QList<int> widths = ColumnWidths::compute(t, available);
    QCOMPARE(widths.size(), texts.size());
    QList<ColumnWidths::TextWidth> measured;
    double words = 0, amounts = 0;
    for (int i = 0; i < texts.size(); ++i) {
        measured.append(ColumnWidths::paragraphWidth(t.cell(0, i).paragraphs.first()));
        const double padding = 2 * ColumnWidths::kCellMarginTwips + 60;
        words += std::max<double>(ColumnWidths::kMinColumnTwips, measured.last().word * 20 + padding);
        amounts += measured.last().amount > 0 ? measured.last().amount * 20 + padding : ColumnWidths::kMinColumnTwips;
    }
    const double frame = ColumnWidths::kFrameTwips;
    int total = 0;
    QList<int> broken; // widths of the columns whose words break
    for (int i = 0; i < texts.size(); ++i) {
        total += widths.at(i);
        const ColumnWidths::TextWidth& w = measured.at(i);
        const double inner = widths.at(i) / 20.0 - 2 * ColumnWidths::kCellMarginTwips / 20.0;
        // Words break only when the page cannot hold them all, amounts only when it
        // cannot hold the amounts and a sliver of every other column.
        if (available == 0 || words + frame <= available)
            QVERIFY2(inner >= w.word, qPrintable(texts.at(i)));
        if (available == 0 || amounts + frame <= available)
            QVERIFY2(inner >= w.amount, qPrintable(texts.at(i)));
        if (inner < w.word && w.amount == 0)
            broken.append(widths.at(i));
        // A text as short as an amount never wraps when others can give room.
        if (allWhole || (texts.at(i).size() <= 8 && words + frame <= available))
            QVERIFY2(inner >= w.full - 0.01, qPrintable(texts.at(i)));
    }
    if (available > 1)
        QVERIFY(total <= available);
    // The columns whose words break share the room alike, but for the steps that keep
    // a line's end off the edge.
    if (!broken.isEmpty())
        QVERIFY(*std::max_element(broken.cbegin(), broken.cend()) - *std::min_element(broken.cbegin(), broken.cend()) <=
                20 * 7);

    // Leading blanks break: the longest word is the longest word.
    const double word = SerifMetrics::width(QStringLiteral("заметок"), {14, false, false, {}});
    QCOMPARE(ColumnWidths::paragraphWidth(paragraph(QString(27, u' ') + QStringLiteral("Для заметок "), 14)).word,
             word);
}

void tst_pagerenderer::facingEdges_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("edge");
    // The neighbours' cells whose facing edge must follow: "row,cell,edge" each.
    QTest::addColumn<QStringList>("facing");

    // A 3 x 3 table whose first row is one cell over two columns and one single cell.
    QTest::newRow("right to left") << 1 << 0 << -4 << QStringList{"1,1,-2"};
    QTest::newRow("left to right") << 1 << 1 << -2 << QStringList{"1,0,-4"};
    QTest::newRow("top to bottom under a span") << 1 << 1 << -1 << QStringList{"0,0,-3"};
    QTest::newRow("span bottom to both tops") << 0 << 0 << -3 << QStringList{"1,0,-1", "1,1,-1"};
    QTest::newRow("bottom to top") << 1 << 2 << -3 << QStringList{"2,2,-1"};
    QTest::newRow("table edge has no neighbour") << 1 << 0 << -2 << QStringList{};
}

void tst_pagerenderer::facingEdges()
{
    QFETCH(int, row);
    QFETCH(int, cell);
    QFETCH(int, edge);
    QFETCH(QStringList, facing);

    WordDocument doc;
    WordEditor e(doc);
    e.insertTable(3, 3);
    e.mergeCells(2);
    e.moveRight(); // out of the selection, into the next cell
    e.moveCells(1 + (row - 1) * 3 + cell - (row == 0 ? 2 : 0));
    if (row == 0)
        e.moveCells(-2);
    QCOMPARE(e.position().row, row);
    QCOMPARE(e.position().cell, cell);
    e.setBorder(edge, 2, 4);

    const WordTable& t = std::get<WordTable>(doc.main.blocks.first());
    auto edgeOf = [&t](int r, int c, int side) {
        const WordCell& x = t.cell(r, c);
        return side == -1 ? x.top : side == -2 ? x.left : side == -3 ? x.bottom : x.right;
    };
    const WordBorder dotted{2, 4};
    QCOMPARE(edgeOf(row, cell, edge), dotted);
    int changed = 0;
    for (int r = 0; r < t.rows.size(); ++r) {
        for (int c = 0; c < t.rows.at(r).cells.size(); ++c) {
            for (int side = -4; side <= -1; ++side) {
                if ((r == row && c == cell) || !(edgeOf(r, c, side) == dotted))
                    continue;
                ++changed;
                QVERIFY2(facing.contains(QStringLiteral("%1,%2,%3").arg(r).arg(c).arg(side)),
                         qPrintable(QStringLiteral("%1,%2,%3").arg(r).arg(c).arg(side)));
            }
        }
    }
    QCOMPARE(changed, facing.size());
}

void tst_pagerenderer::sampleDocumentsOnPages_data()
{
    QTest::addColumn<bool>("big");     // 51 days, 30 people, a long name; else the sample trip
    QTest::addColumn<int>("document"); // layout, purchase list, shopping list
    QTest::addColumn<bool>("breaks");  // a word is wider than all the page leaves it
    QTest::newRow("layout") << false << 0 << false;
    QTest::newRow("purchase list") << false << 1 << false;
    QTest::newRow("big layout") << true << 0 << false;
    QTest::newRow("big purchase list") << true << 1 << false;
    // Seven columns of headings leave the long name less than its longest word.
    QTest::newRow("big shopping list") << true << 2 << true;
}

// Every word and every amount whole, everything inside the page's margins, the page
// numbers right.
void tst_pagerenderer::sampleDocumentsOnPages()
{
    QFETCH(bool, big);
    QFETCH(int, document);
    QFETCH(bool, breaks);
    ExportingTrip t;
    if (big)
        makeBigTrip(t.g);
    else
        QVERIFY(loadSample(t.g));
    objWord(t.g).setOutputFile(t.dir.filePath(QStringLiteral("out.docx")));
    QVERIFY(document == 0   ? TripDocuments::exportLayout(t.g, true, 1).ok()
            : document == 1 ? TripDocuments::exportPurchases(t.g, true, 1).ok()
                            : ShoppingDocument::exportShopping(t.g, true, 1).ok());
    const WordDocument& doc = t.last();

    // Each amount fits its cell's columns, in the widths both back ends take; so does
    // each word but those wider than all the page leaves them.
    QStringList amounts, tooWide;
    for (const WordTable* table : doc.main.tables()) {
        const QList<int> widths = ColumnWidths::compute(*table, textTwips(doc));
        for (int r = 0; r < table->rows.size(); ++r) {
            for (int c = 0; c < table->rows.at(r).cells.size(); ++c) {
                int twips = 0;
                for (int i = table->startColumn(r, c); i < table->startColumn(r, c) + table->cell(r, c).span; ++i)
                    twips += widths.at(i);
                const double inner = twips / 20.0 - 2 * ColumnWidths::kCellMarginTwips / 20.0;
                for (const WordParagraph& p : table->cell(r, c).paragraphs) {
                    const ColumnWidths::TextWidth w = ColumnWidths::paragraphWidth(p);
                    QVERIFY2(w.amount <= inner, qPrintable(p.text()));
                    if (w.amount > 0)
                        amounts.append(p.text().trimmed());
                    if (w.word > inner)
                        tooWide.append(p.text().split(u' ', Qt::SkipEmptyParts));
                }
            }
        }
    }
    QVERIFY(!amounts.isEmpty());
    if (big && document == 0)
        QVERIFY(amounts.contains(QStringLiteral("983010 гр")));
    QCOMPARE(tooWide.contains(QStringLiteral("быстроразваривающаяся")), breaks);

    const PageRenderer::Layout pages = PageRenderer::layout(doc);
    QVERIFY(pages.pages.size() >= 1);
    QSet<QString> words = modelWords(doc);
    for (int i = 1; i <= pages.pages.size(); ++i)
        words.insert(QString::number(i)); // the page fields
    const double left = doc.page.leftMargin;
    const double right = pages.pageSize.width() - doc.page.rightMargin;
    for (int i = 0; i < pages.pages.size(); ++i) {
        const PageRenderer::Page& page = pages.pages.at(i);
        QVERIFY2(findText(page, QStringLiteral("Стр. %1 из %2").arg(i + 1).arg(pages.pages.size())),
                 qPrintable(QString::number(i)));
        for (const PageRenderer::TextItem& item : page.texts) {
            for (const QString& w : item.text.split(u' ', Qt::SkipEmptyParts)) {
                const bool ok =
                    words.contains(w) || w.startsWith(QLatin1String("mailto")) || w == QLatin1String("Стр.");
                const bool part = std::any_of(tooWide.cbegin(), tooWide.cend(), [&w](const QString& wide) {
                    return wide.contains(w) && SerifMetrics::width(wide, {12, false, false, {}}) > 60;
                });
                QVERIFY2(ok || part, qPrintable(w));
            }
            QVERIFY2(item.origin.x() >= left - 0.01 && item.origin.x() + item.width <= right + 0.01,
                     qPrintable(item.text));
            QVERIFY(item.origin.y() > doc.page.headerDistance &&
                    item.origin.y() < pages.pageSize.height() - doc.page.footerDistance);
        }
        for (const PageRenderer::LineItem& l : page.lines) {
            for (QPointF p : {l.from, l.to})
                QVERIFY2(p.x() - l.thickness / 2 >= left - 0.01 && p.x() + l.thickness / 2 <= right + 0.01,
                         qPrintable(QString::number(p.x())));
        }
        // An amount is drawn on one line, in one piece.
        for (const PageRenderer::TextItem& item : page.texts)
            amounts.removeAll(item.text.trimmed());
    }
    QVERIFY2(amounts.isEmpty(), qPrintable(amounts.join(u'|')));
}

void tst_pagerenderer::keptTableStartsOnFreshPage()
{
    // Enough lines to leave a little room at the foot of the first page.
    WordDocument doc;
    for (int i = 0; i < 40; ++i)
        doc.main.blocks.insert(i, WordBlock(paragraph(QStringLiteral("строка %1").arg(i), 14)));
    WordTable t;
    t.columns = 1;
    for (int r = 0; r < 6; ++r)
        t.rows.append(table({QStringLiteral("ряд %1").arg(r)}).rows.first());
    for (bool keep : {false, true}) {
        t.keepTogether = keep;
        WordDocument d = doc;
        d.main.blocks.insert(d.main.blocks.size() - 1, WordBlock(paragraph(QStringLiteral("Заголовок"))));
        d.main.blocks.insert(d.main.blocks.size() - 1, WordBlock(t));
        const PageRenderer::Layout pages = PageRenderer::layout(d);
        QCOMPARE(pages.pages.size(), 2);
        // Split: its first rows end the first page. Kept: the heading goes along with it.
        QCOMPARE(findText(pages.pages.first(), QStringLiteral("ряд 0")) == nullptr, keep);
        QCOMPARE(findText(pages.pages.first(), QStringLiteral("Заголовок")) == nullptr, keep);
        QVERIFY(findText(pages.pages.last(), QStringLiteral("ряд 5")));
    }
}

void tst_pagerenderer::headingGoesWithItsTable_data()
{
    QTest::addColumn<bool>("keep");
    QTest::addColumn<int>("headingLines");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("filler"); // lines above: room for the heading, not for a row more

    QTest::newRow("heading, split table") << false << 1 << 6 << 44;
    QTest::newRow("two-line heading, split table") << false << 2 << 6 << 43;
    QTest::newRow("heading, kept table taller than a page") << true << 1 << 80 << 44;
    QTest::newRow("two-line heading, kept table taller than a page") << true << 2 << 80 << 43;
}

void tst_pagerenderer::headingGoesWithItsTable()
{
    QFETCH(bool, keep);
    QFETCH(int, headingLines);
    QFETCH(int, rows);
    QFETCH(int, filler);

    WordDocument doc;
    for (int i = 0; i < filler; ++i)
        doc.main.blocks.insert(i, WordBlock(paragraph(QStringLiteral("строка %1").arg(i), 14)));
    const QString heading =
        headingLines == 1
            ? QStringLiteral("1. Иванов (доля 1): 5400 гр, по доле 5400 гр")
            : QStringLiteral("1. Константинопольский Александр Владимирович, старший по кухне и снаряжению "
                             "(доля 1,5): 123456 гр, по доле 120000 гр");
    QList<QStringList> texts;
    for (int r = 0; r < rows; ++r)
        texts.append({QStringLiteral("ряд %1").arg(r), QStringLiteral("%1 гр").arg(r)});
    WordTable t = table(texts);
    t.keepTogether = keep;
    doc.main.blocks.insert(filler, WordBlock(paragraph(heading)));
    doc.main.blocks.insert(filler + 1, WordBlock(t));

    const PageRenderer::Layout pages = PageRenderer::layout(doc);
    QVERIFY(pages.pages.size() >= 2);
    // Without the heading the room on the first page would take it.
    QVERIFY(findText(pages.pages.first(), QStringLiteral("строка %1").arg(filler - 1)));
    int at = -1;
    for (int i = 0; i < pages.pages.size(); ++i) {
        QSet<double> baselines;
        for (const PageRenderer::TextItem& item : pages.pages.at(i).texts) {
            if (heading.contains(item.text.trimmed()) && item.text.trimmed().size() > 8)
                baselines.insert(item.origin.y());
        }
        if (baselines.isEmpty())
            continue;
        QCOMPARE(at, -1); // on one page
        QCOMPARE(int(baselines.size()), headingLines);
        at = i;
    }
    QCOMPARE(at, 1);
    QVERIFY(findText(pages.pages.at(at), QStringLiteral("ряд 0")));
    QVERIFY(findText(pages.pages.at(at), QStringLiteral("ряд 1")));
}

// A name of 4,700 characters: the row goes on over the pages, every word on one.
void tst_pagerenderer::rowTallerThanAPage()
{
    QStringList words;
    for (int i = 0; i < 360; ++i)
        words.append(QStringLiteral("сухарики%1").arg(i, 3, 10, QLatin1Char('0')));
    const QString name = words.join(u' ');
    QVERIFY(name.size() >= 4300);
    WordDocument doc;
    doc.main.blocks.insert(0, WordBlock(table({{QStringLiteral("Наименование"), QStringLiteral("Количество")},
                                               {name, QStringLiteral("983010 гр")},
                                               {QStringLiteral("Чай"), QStringLiteral("150 гр")}},
                                              14)));
    const PageRenderer::Layout pages = PageRenderer::layout(doc);
    QVERIFY(pages.pages.size() >= 3);
    const double bottom = pages.pageSize.height() - doc.page.bottomMargin;
    QStringList seen;
    for (const PageRenderer::Page& page : pages.pages) {
        for (const PageRenderer::TextItem& item : page.texts) {
            QVERIFY2(item.origin.y() <= bottom, qPrintable(item.text));
            seen += item.text.split(u' ', Qt::SkipEmptyParts);
        }
    }
    // Every word once, the name's in order (the amount beside it comes among them).
    QStringList names = seen.filter(QStringLiteral("сухарики"));
    QCOMPARE(names, words);
    for (const char* w : {"Наименование", "Количество", "983010", "Чай", "150"})
        QCOMPARE(seen.count(QString::fromUtf8(w)), 1);
    QCOMPARE(seen.size(), 360 + 7);
    // The row's last lines, and the row under it, open the last page.
    QVERIFY(findText(pages.pages.last(), words.last()));
    QVERIFY(findText(pages.pages.last(), QStringLiteral("Чай")));
}

void tst_pagerenderer::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fits");      // the text the line is made just wide enough for
    QTest::addColumn<QStringList>("lines"); // "line number:text"

    const QString blanks(27, u' ');
    QTest::newRow("leading blanks break")
        << blanks + QStringLiteral("Для заметок ") << QStringLiteral("заметок") << QStringList{"1:Для", "2:заметок"};
    QTest::newRow("leading blanks fit") << blanks + QStringLiteral("Для заметок ")
                                        << blanks + QStringLiteral("Для заметок") << QStringList{"0:Для заметок"};
    QTest::newRow("after a hyphen first") << QStringLiteral("Иван-чай-отборный") << QStringLiteral("Иван-чай-о")
                                          << QStringList{"0:Иван-чай-", "1:отборный"};
    QTest::newRow("no break before a digit")
        << QStringLiteral("Эконом-2024") << QStringLiteral("Эконом-20") << QStringList{"0:Эконом-20", "1:24"};
    QTest::newRow("a word wider than the line")
        << QStringLiteral("быстроразваривающаяся") << QStringLiteral("быстроразвари")
        << QStringList{"0:быстроразвари", "1:вающаяся"};
    QTest::newRow("blanks before a hyphen")
        << QStringLiteral("чай -отборный") << QStringLiteral("-отборный") << QStringList{"0:чай", "1:-отборный"};
}

void tst_pagerenderer::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, fits);
    QFETCH(QStringList, lines);
    WordDocument doc;
    doc.main.blocks.first() = paragraph(text, 14);
    const WordCharFormat format{14, false, false, {}};
    const double width = SerifMetrics::width(fits, format);
    doc.page.leftMargin = doc.page.widthTwips() / 20.0 - doc.page.rightMargin - width;
    const PageRenderer::Layout pages = PageRenderer::layout(doc);
    QStringList got;
    for (const PageRenderer::TextItem& item : pages.pages.first().texts) {
        const double line =
            (item.origin.y() - doc.page.topMargin - 14 * SerifMetrics::kAscent) / (14 * SerifMetrics::kLineHeight);
        got.append(QStringLiteral("%1:%2").arg(std::lround(line)).arg(item.text.trimmed()));
        QVERIFY(item.origin.x() + item.width <= doc.page.leftMargin + width + 0.01);
    }
    QCOMPARE(got, lines);
}

void tst_pagerenderer::printsTheChosenPages_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("pages"); // empty: nothing printed, a message

    QTest::newRow("all") << 0 << 0 << QList<int>{1, 2, 3};
    QTest::newRow("one") << 2 << 2 << QList<int>{2};
    QTest::newRow("the last two") << 2 << 3 << QList<int>{2, 3};
    QTest::newRow("past the end") << 3 << 9 << QList<int>{3};
    QTest::newRow("none of them") << 4 << 9 << QList<int>{};
}

void tst_pagerenderer::printsTheChosenPages()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, pages);
    ExportingTrip t;
    Printing::Recorder printer;
    clsRKWord& w = objWord(t.g);
    w.setFormat(DocumentFormat::Printer);
    QVERIFY(w.OpenWord());
    for (int i = 1; i <= 3; ++i) {
        w.InsertText(QStringLiteral("страница %1").arg(i));
        if (i < 3)
            w.NewPage();
    }
    printer.setNextAnswer(true);
    printer.setNextPages(from, to);
    w.CloseWord();
    QCOMPARE(printer.count(), 1);
    QCOMPARE(printer.lastOffered(), 3);
    QCOMPARE(printer.lastPages(), pages);
    const QByteArray pdf = printer.lastOutput();
    QCOMPARE(int(pdf.count("/Type /Page\n")) + int(pdf.count("/Type /Page>")), int(pages.size()));
    QCOMPARE(messageTexts().size(), pages.isEmpty() ? 1 : 0);
    if (pages.isEmpty())
        QVERIFY(messageTexts().first().contains(QStringLiteral("нет страниц")));
}

void tst_pagerenderer::alignments_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<bool>("leftFlush");  // every line starts at the margin
    QTest::addColumn<bool>("rightFlush"); // every line but the last ends at the margin
    QTest::newRow("left") << int(WordAlign::Left) << true << false;
    QTest::newRow("right") << int(WordAlign::Right) << false << true;
    QTest::newRow("justify") << int(WordAlign::Justify) << true << true;
}

void tst_pagerenderer::alignments()
{
    QFETCH(int, align);
    QFETCH(bool, leftFlush);
    QFETCH(bool, rightFlush);
    WordDocument doc;
    WordParagraph p = paragraph(QStringLiteral("слово длинное, короткое и ещё одно слово ").repeated(12));
    p.align = WordAlign(align);
    doc.main.blocks.first() = p;
    const PageRenderer::Layout pages = PageRenderer::layout(doc);
    const double left = doc.page.leftMargin;
    const double right = pages.pageSize.width() - doc.page.rightMargin;

    QMap<double, QPair<double, double>> lines; // baseline: first and last x
    for (const PageRenderer::TextItem& t : pages.pages.first().texts) {
        auto it = lines.find(t.origin.y());
        if (it == lines.end())
            it = lines.insert(t.origin.y(), {t.origin.x(), t.origin.x() + t.width});
        it->first = std::min(it->first, t.origin.x());
        it->second = std::max(it->second, t.origin.x() + t.width);
    }
    QVERIFY(lines.size() >= 3);
    int n = 0;
    for (const auto& [from, to] : lines) {
        QVERIFY(to <= right + 0.01);
        if (leftFlush)
            QCOMPARE(from, left);
        if (rightFlush && ++n < lines.size())
            QVERIFY2(std::abs(to - right) < 0.01, qPrintable(QString::number(right - to)));
    }
}

// The first page of the sample layout as an image: the day table's frame is a double
// line (thick outside, thin inside) and a dotted line parts a product from its amount.
void tst_pagerenderer::firstPageBorders()
{
    ExportingTrip t;
    QVERIFY(loadSample(t.g));
    objWord(t.g).setOutputFile(t.dir.filePath(QStringLiteral("out.docx")));
    QVERIFY(TripDocuments::exportLayout(t.g, true, 1).ok());
    const WordDocument& doc = t.last();
    const PageRenderer::Layout pages = PageRenderer::layout(doc);
    constexpr double dpi = 300;
    constexpr double k = dpi / 72;
    const QImage image = PageRenderer::pageImage(pages, 0, dpi);

    // The first product row: the first text of the first table below its header.
    const WordTable& day = *doc.main.tables().first();
    const QString name = day.cell(1, 0).text();
    const QString amount = day.cell(1, 1).text();
    const PageRenderer::TextItem* nameItem = findText(pages.pages.first(), name);
    const PageRenderer::TextItem* amountItem = findText(pages.pages.first(), amount);
    QVERIFY(nameItem && amountItem);
    const int middle = int((nameItem->origin.y() - 4) * k);

    // Left frame: from the margin to the name, two lines, the outer the heavier.
    const int x0 = int((doc.page.leftMargin - 2) * k);
    const QList<int> frame =
        darkRuns(image, QPoint(x0, middle), QPoint(1, 0), int((nameItem->origin.x() - 3) * k) - x0);
    QCOMPARE(frame.size(), 2);
    QVERIFY2(frame.at(0) > 2 * frame.at(1), qPrintable(QStringLiteral("%1 %2").arg(frame.at(0)).arg(frame.at(1))));

    // Between the name and the amount (right-aligned, so there is a gap): a dotted line,
    // broken many times along the row's height.
    const int gapFrom = int((nameItem->origin.x() + nameItem->width + 1) * k);
    const int gapTo = int((amountItem->origin.x() - 1) * k);
    int dottedColumn = -1;
    for (int x = gapFrom; x < gapTo && dottedColumn < 0; ++x) {
        if (!darkRuns(image, QPoint(x, middle - int(6 * k)), QPoint(0, 1), int(12 * k)).isEmpty())
            dottedColumn = x;
    }
    QVERIFY(dottedColumn >= 0);
    const QList<int> dots = darkRuns(image, QPoint(dottedColumn, middle - int(6 * k)), QPoint(0, 1), int(12 * k));
    QVERIFY2(dots.size() >= 4, qPrintable(QString::number(dots.size())));

    // Bottom frame under the day's weight: two lines, the outer (lower) the heavier.
    const PageRenderer::TextItem* total = findText(pages.pages.first(), QStringLiteral("Удельный вес рациона"));
    QVERIFY(total);
    const QList<int> bottom = darkRuns(
        image, QPoint(int((total->origin.x() + 2) * k), int((total->origin.y() + 2) * k)), QPoint(0, 1), int(10 * k));
    QCOMPARE(bottom.size(), 2);
    QVERIFY(bottom.at(1) > 2 * bottom.at(0));
}

QTEST_MAIN(tst_pagerenderer)
#include "tst_pagerenderer.moc"

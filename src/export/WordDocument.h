#pragma once

#include <QList>
#include <QString>

#include <variant>

// A word-processing document held in memory: what the cursor-based writer builds and
// what the .docx writer saves. Plain data, so that tests can look at every row, cell,
// run and border.

enum class WordAlign
{
    Left,
    Center,
    Right,
    Justify
};

enum class WordStoryKind
{
    Main,
    Header,
    Footer
};

struct WordCharFormat
{
    int size = 12; // points
    bool bold = false;
    bool italic = false;
    QString font; // empty: the document's default face

    bool operator==(const WordCharFormat&) const = default;
};

struct WordRun
{
    enum class Kind
    {
        Text,
        Tab,
        PageNumber, // the current page's number, a field
        PageCount,  // the number of pages, a field
        PageBreak
    };
    Kind kind = Kind::Text;
    QString text; // only for Text
    WordCharFormat format;

    // Characters the cursor steps over: a tab, a field or a break counts as one.
    int length() const { return kind == Kind::Text ? int(text.size()) : 1; }
};

struct WordParagraph
{
    WordAlign align = WordAlign::Left;
    QList<double> tabStops; // left tab stops in points, ascending
    WordCharFormat mark;    // format of the paragraph mark: the height of an empty paragraph
    QList<WordRun> runs;

    int length() const;
    bool isEmpty() const { return runs.isEmpty(); }
    // The text as a reader sees it: a tab as '\t', the fields as "{PAGE}" and
    // "{NUMPAGES}", a page break as '\f'.
    QString text() const;
};

// One edge of a cell: the word processor's line style and width numbers
// (style 0 none, 1 single, 2 dotted, 9/10/11 the double and triple lines; width in
// eighths of a point).
struct WordBorder
{
    int style = 1;
    int width = 4;

    bool operator==(const WordBorder&) const = default;
};

struct WordCell
{
    int span = 1; // grid columns covered
    WordBorder top, left, bottom, right;
    QList<WordParagraph> paragraphs; // never empty

    WordCell();
    bool isEmpty() const { return paragraphs.size() == 1 && paragraphs.first().isEmpty(); }
    // The paragraphs' texts joined by '\n'.
    QString text() const;
};

struct WordRow
{
    QList<WordCell> cells;
};

struct WordTable
{
    int columns = 0; // grid columns; the spans of every row add up to this
    QList<WordRow> rows;
    // Kept on one page, with the paragraph before it, when it fits on one.
    bool keepTogether = false;

    // First grid column (0-based) of a cell.
    int startColumn(int row, int cell) const;
    // Index of the cell of a row that covers a grid column.
    int cellAtColumn(int row, int column) const;
    const WordCell& cell(int row, int cell) const { return rows.at(row).cells.at(cell); }
};

using WordBlock = std::variant<WordParagraph, WordTable>;

// A story (the main text, the page header or the page footer): paragraphs and tables
// one under another. A table is always followed by a paragraph, so a story never
// ends in a table.
struct WordStory
{
    QList<WordBlock> blocks;

    WordStory();
    QList<const WordTable*> tables() const;
    QList<const WordParagraph*> paragraphs() const; // outside tables
    // The texts of the paragraphs outside tables, joined by '\n'.
    QString text() const;
    // Nothing but one empty paragraph.
    bool isBlank() const;
    // Whether the block is a paragraph that goes to the page of the table after it.
    bool keepsWithNext(int block) const;
    // Whether the block is a paragraph with text right above a table: its heading, kept
    // with the table's first rows at least.
    bool headsTable(int block) const;
};

// Points from centimetres, as the word processor converts them.
constexpr double centimetersToPoints(double cm)
{
    return cm * 72.0 / 2.54;
}

struct WordPageSetup
{
    // A4 in twips, portrait; landscape swaps the two.
    static constexpr int kA4Width = 11906;
    static constexpr int kA4Height = 16838;

    bool landscape = false;
    // Margins in points.
    double leftMargin = centimetersToPoints(3.0);
    double rightMargin = centimetersToPoints(1.5);
    double topMargin = centimetersToPoints(2.0);
    double bottomMargin = centimetersToPoints(2.0);
    double headerDistance = centimetersToPoints(1.25); // from the page edge
    double footerDistance = centimetersToPoints(1.25);

    int widthTwips() const { return landscape ? kA4Height : kA4Width; }
    int heightTwips() const { return landscape ? kA4Width : kA4Height; }
};

struct WordDocument
{
    WordStory main, header, footer;
    WordPageSetup page;
    int zoom = 100; // percent of the display

    WordStory& story(WordStoryKind kind);
    const WordStory& story(WordStoryKind kind) const;
};

#pragma once

#include "export/WordDocument.h"

#include <stdexcept>

// Raised by WordEditor when a step cannot be done where the cursor is (a cell move
// outside a table, a size out of range, ...). The document is left as it was.
class WordError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The cursor of a word processor over a WordDocument: an insertion point, or a
// selection of whole neighbouring cells of one table row; in the main text, the page
// header or the page footer. Character format is set at the cursor and used by the
// text typed next; when the cursor moves, it takes the format of its new place.
class WordEditor
{
public:
    struct Position
    {
        WordStoryKind story = WordStoryKind::Main;
        int block = 0;     // index in the story's blocks
        int row = -1;      // table row, -1 outside a table
        int cell = -1;     // cell index within the row
        int paragraph = 0; // paragraph within the cell (0 outside a table)
        int offset = 0;    // characters before the cursor in the paragraph
        int lastCell = -1; // last selected cell of the row; -1 when collapsed

        bool inTable() const { return row >= 0; }
        bool hasCellSelection() const { return lastCell >= 0; }
    };

    explicit WordEditor(WordDocument& doc);

    const Position& position() const { return m_cur; }
    const WordCharFormat& format() const { return m_fmt; }
    // Grid column (0-based) under the cursor in a table; -1 outside one.
    int column() const;

    // ---- typing: a cell selection is replaced, its cells emptied ----
    // '\n', '\r' and "\r\n" break paragraphs, '\t' is a tab; characters a document
    // cannot hold (control characters, unpaired surrogates) are dropped.
    void typeText(const QString& text);
    void typeParagraph();
    void typeTab();
    // "Стр. " page number " из " page count, as fields.
    void typePageNumbering();
    void typePageBreak(); // main text only, not in a table

    // ---- format at the cursor, or of the selected cells ----
    void setSize(int points); // 1..1638
    void setBold(bool on);
    void setItalic(bool on);
    void setFont(const QString& name);
    void setAlign(WordAlign align);
    void addTabStop(double points); // 0..1584

    // ---- tables ----
    // rows 1..32767, columns 1..63; not inside a table. The cursor goes into the first cell.
    void insertTable(int rows, int columns);
    // Merges count cells of the row from the one holding the cursor (or the first
    // selected) into one, which is left selected.
    void mergeCells(int count);
    // Moves count cells forward (negative: back), across rows, stopping at the table's ends.
    void moveCells(int count);
    // edge -1 top, -2 left, -3 bottom, -4 right; style and width the word processor's numbers.
    // The facing edge of the neighbouring cell or cells is set to the same line.
    void setBorder(int edge, int style, int width);
    // The table holding the cursor stays on one page when it fits on one.
    void keepTableTogether();

    // ---- movement ----
    void moveRight();
    void moveLeft();
    void moveUp();
    void moveDown();

    // ---- stories ----
    void enterHeader();
    void enterFooter();
    void leaveHeaderFooter(); // back to where the cursor was in the main text

    static bool isValidLineStyle(int style);
    static bool isValidLineWidth(int width);

private:
    WordStory& story();
    WordParagraph& paragraph();
    WordParagraph& paragraphAt(const Position& p);
    WordTable& tableAt(int block);
    QList<WordParagraph>* container(); // paragraphs of the current cell, or nullptr outside a table
    void requireTable() const;
    void place(const Position& p);
    void refreshFormat();
    void replaceSelection();
    template <typename F>
    void changeFormat(F change);
    template <typename F>
    void forSelectedParagraphs(F change);
    void insertRun(const WordRun& run);
    void enterStory(WordStoryKind kind);
    Position startOfBlock(int block) const;
    Position endOfBlock(int block) const;
    Position nextCellStart(int row, int cell) const;
    Position previousCellEnd(int row, int cell) const;

    WordDocument& m_doc;
    Position m_cur;
    WordCharFormat m_fmt;
    Position m_savedMain;
    WordCharFormat m_savedFmt;
};

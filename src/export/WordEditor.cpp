#include "export/WordEditor.h"

#include <algorithm>
#include <cmath>

namespace {

// Largest table accepted: the word processor's 63 columns, and a bound on the cells
// so that a wrong count cannot exhaust the memory.
constexpr int kMaxColumns = 63;
constexpr int kMaxRows = 32767;
constexpr qint64 kMaxCells = 262144;

constexpr int kMaxFontSize = 1638;
constexpr double kMaxTabPosition = 1584.0; // points, 22 inches

// Splits the run under offset so that a run starts there; returns that run's index.
int splitAt(WordParagraph& p, int offset)
{
    int pos = 0;
    for (int i = 0; i < p.runs.size(); ++i) {
        if (pos == offset)
            return i;
        const int len = p.runs.at(i).length();
        if (offset < pos + len) {
            WordRun tail = p.runs.at(i);
            tail.text = tail.text.mid(offset - pos);
            p.runs[i].text.truncate(offset - pos);
            p.runs.insert(i + 1, tail);
            return i + 1;
        }
        pos += len;
    }
    return int(p.runs.size());
}

// Joins neighbouring text runs of one format and drops empty ones.
void normalize(WordParagraph& p)
{
    QList<WordRun> out;
    out.reserve(p.runs.size());
    for (const WordRun& r : std::as_const(p.runs)) {
        if (r.kind == WordRun::Kind::Text && r.text.isEmpty())
            continue;
        if (!out.isEmpty() && r.kind == WordRun::Kind::Text && out.last().kind == WordRun::Kind::Text &&
            out.last().format == r.format) {
            out.last().text += r.text;
            continue;
        }
        out.append(r);
    }
    p.runs = out;
}

// The format the cursor takes at offset: that of the character before it, of the first
// character at the start, of the paragraph mark in an empty paragraph.
WordCharFormat formatAt(const WordParagraph& p, int offset)
{
    if (p.runs.isEmpty())
        return p.mark;
    if (offset <= 0)
        return p.runs.first().format;
    int pos = 0;
    for (const WordRun& r : p.runs) {
        pos += r.length();
        if (offset <= pos)
            return r.format;
    }
    return p.runs.last().format;
}

WordParagraph emptyLike(const WordParagraph& p, const WordCharFormat& mark)
{
    WordParagraph q;
    q.align = p.align;
    q.tabStops = p.tabStops;
    q.mark = mark;
    return q;
}

} // namespace

WordEditor::WordEditor(WordDocument& doc)
    : m_doc(doc)
{
    m_cur = startOfBlock(0);
    refreshFormat();
    m_savedMain = m_cur;
    m_savedFmt = m_fmt;
}

int WordEditor::column() const
{
    if (!m_cur.inTable())
        return -1;
    const WordTable& t = std::get<WordTable>(m_doc.story(m_cur.story).blocks.at(m_cur.block));
    const int start = t.startColumn(m_cur.row, m_cur.cell);
    const WordCell& c = t.cell(m_cur.row, m_cur.cell);
    if (c.span == 1 || m_cur.hasCellSelection())
        return start;
    // In a cell over several columns: the column under the cursor, taking the text
    // as spread over the cell's width.
    const int len = c.paragraphs.at(m_cur.paragraph).length();
    if (len == 0)
        return start;
    return start + std::min(c.span - 1, int(qint64(m_cur.offset) * c.span / len));
}

// ---------------------------------------------------------------- typing

void WordEditor::typeText(const QString& text)
{
    replaceSelection();
    QString chunk;
    auto flush = [&] {
        if (!chunk.isEmpty()) {
            insertRun(WordRun{WordRun::Kind::Text, chunk, m_fmt});
            chunk.clear();
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            flush();
            typeParagraph();
        } else if (c == QLatin1Char('\t')) {
            flush();
            insertRun(WordRun{WordRun::Kind::Tab, QString(), m_fmt});
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            chunk += c;
            chunk += text.at(++i);
        } else if (c.unicode() < 0x20 || c.isSurrogate() || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            continue; // nothing a document file may hold
        } else {
            chunk += c;
        }
    }
    flush();
}

void WordEditor::typeParagraph()
{
    replaceSelection();
    WordParagraph& p = paragraph();
    const bool atEnd = m_cur.offset >= p.length();
    const int idx = splitAt(p, m_cur.offset);
    WordParagraph next = emptyLike(p, atEnd ? m_fmt : p.mark);
    next.runs = p.runs.mid(idx);
    p.runs.remove(idx, p.runs.size() - idx);
    normalize(p);
    normalize(next);
    if (QList<WordParagraph>* paras = container()) {
        paras->insert(m_cur.paragraph + 1, next);
        ++m_cur.paragraph;
    } else {
        story().blocks.insert(m_cur.block + 1, WordBlock(next));
        ++m_cur.block;
    }
    m_cur.offset = 0;
}

void WordEditor::typeTab()
{
    replaceSelection();
    insertRun(WordRun{WordRun::Kind::Tab, QString(), m_fmt});
}

void WordEditor::typePageNumbering()
{
    replaceSelection();
    insertRun(WordRun{WordRun::Kind::Text, QStringLiteral("Стр. "), m_fmt});
    insertRun(WordRun{WordRun::Kind::PageNumber, QString(), m_fmt});
    insertRun(WordRun{WordRun::Kind::Text, QStringLiteral(" из "), m_fmt});
    insertRun(WordRun{WordRun::Kind::PageCount, QString(), m_fmt});
}

void WordEditor::typePageBreak()
{
    if (m_cur.story != WordStoryKind::Main)
        throw WordError("no page break in a page header or footer");
    if (m_cur.inTable())
        throw WordError("no page break in a table");
    insertRun(WordRun{WordRun::Kind::PageBreak, QString(), m_fmt});
}

void WordEditor::insertRun(const WordRun& run)
{
    WordParagraph& p = paragraph();
    const int idx = splitAt(p, m_cur.offset);
    p.runs.insert(idx, run);
    m_cur.offset += run.length();
    normalize(p);
}

void WordEditor::replaceSelection()
{
    if (!m_cur.hasCellSelection())
        return;
    WordTable& t = tableAt(m_cur.block);
    for (int c = m_cur.cell; c <= m_cur.lastCell; ++c) {
        WordCell& cell = t.rows[m_cur.row].cells[c];
        WordParagraph first = cell.paragraphs.first();
        first.runs.clear();
        cell.paragraphs = {first};
    }
    m_cur.lastCell = -1;
    m_cur.paragraph = 0;
    m_cur.offset = 0;
}

// ---------------------------------------------------------------- format

template <typename F>
void WordEditor::changeFormat(F change)
{
    change(m_fmt);
    if (m_cur.hasCellSelection()) {
        WordTable& t = tableAt(m_cur.block);
        for (int c = m_cur.cell; c <= m_cur.lastCell; ++c) {
            for (WordParagraph& p : t.rows[m_cur.row].cells[c].paragraphs) {
                change(p.mark);
                for (WordRun& r : p.runs)
                    change(r.format);
                normalize(p);
            }
        }
    } else if (WordParagraph& p = paragraph(); p.isEmpty()) {
        change(p.mark);
    }
}

template <typename F>
void WordEditor::forSelectedParagraphs(F change)
{
    if (m_cur.hasCellSelection()) {
        WordTable& t = tableAt(m_cur.block);
        for (int c = m_cur.cell; c <= m_cur.lastCell; ++c) {
            for (WordParagraph& p : t.rows[m_cur.row].cells[c].paragraphs)
                change(p);
        }
    } else {
        change(paragraph());
    }
}

void WordEditor::setSize(int points)
{
    if (points < 1 || points > kMaxFontSize)
        throw WordError("font size out of range");
    changeFormat([points](WordCharFormat& f) { f.size = points; });
}

void WordEditor::setBold(bool on)
{
    changeFormat([on](WordCharFormat& f) { f.bold = on; });
}

void WordEditor::setItalic(bool on)
{
    changeFormat([on](WordCharFormat& f) { f.italic = on; });
}

void WordEditor::setFont(const QString& name)
{
    QString clean;
    for (QChar c : name) {
        if (c.unicode() >= 0x20 && !c.isSurrogate() && c.unicode() < 0xFFFE)
            clean += c;
    }
    clean = clean.trimmed();
    if (clean.isEmpty() || clean.size() > 255)
        throw WordError("no such font name");
    changeFormat([&clean](WordCharFormat& f) { f.font = clean; });
}

void WordEditor::setAlign(WordAlign align)
{
    forSelectedParagraphs([align](WordParagraph& p) { p.align = align; });
}

void WordEditor::addTabStop(double points)
{
    if (!std::isfinite(points) || points < 0 || points > kMaxTabPosition)
        throw WordError("tab stop out of range");
    forSelectedParagraphs([points](WordParagraph& p) {
        for (double t : std::as_const(p.tabStops)) {
            if (std::abs(t - points) < 0.01)
                return;
        }
        p.tabStops.append(points);
        std::sort(p.tabStops.begin(), p.tabStops.end());
    });
}

// ---------------------------------------------------------------- tables

void WordEditor::insertTable(int rows, int columns)
{
    if (m_cur.inTable())
        throw WordError("no table inside a table");
    if (rows < 1 || rows > kMaxRows || columns < 1 || columns > kMaxColumns || qint64(rows) * columns > kMaxCells)
        throw WordError("table size out of range");

    QList<WordBlock>& blocks = story().blocks;
    int b = m_cur.block;
    WordParagraph& at = std::get<WordParagraph>(blocks[b]);

    // New cells take the paragraph's alignment and tabs and the format at the cursor.
    WordTable table;
    table.columns = columns;
    WordCell cell;
    cell.paragraphs.first() = emptyLike(at, m_fmt);
    WordRow row;
    row.cells = QList<WordCell>(columns, cell);
    table.rows = QList<WordRow>(rows, row);

    int tableBlock = b;
    if (m_cur.offset > 0) {
        // Text before the cursor stays above the table, text after it goes below.
        const int idx = splitAt(at, m_cur.offset);
        WordParagraph after = emptyLike(at, at.mark);
        after.runs = at.runs.mid(idx);
        at.runs.remove(idx, at.runs.size() - idx);
        normalize(at);
        normalize(after);
        blocks.insert(b + 1, WordBlock(std::move(table)));
        blocks.insert(b + 2, WordBlock(after));
        tableBlock = b + 1;
    } else {
        // Two tables one right under the other would read as one: keep a paragraph between.
        if (b > 0 && std::holds_alternative<WordTable>(blocks.at(b - 1))) {
            blocks.insert(b, WordBlock(emptyLike(at, at.mark)));
            ++b;
        }
        blocks.insert(b, WordBlock(std::move(table)));
        tableBlock = b;
    }
    Position p;
    p.story = m_cur.story;
    p.block = tableBlock;
    p.row = 0;
    p.cell = 0;
    m_cur = p;
}

void WordEditor::mergeCells(int count)
{
    requireTable();
    if (count < 1)
        throw WordError("nothing to merge");
    WordTable& t = tableAt(m_cur.block);
    QList<WordCell>& cells = t.rows[m_cur.row].cells;
    const int first = m_cur.cell;
    if (first + count > cells.size())
        throw WordError("not as many cells in the row");
    if (count > 1) {
        WordCell merged = cells.at(first);
        merged.span = 0;
        merged.right = cells.at(first + count - 1).right;
        QList<WordParagraph> paras;
        for (int c = first; c < first + count; ++c) {
            merged.span += cells.at(c).span;
            if (!cells.at(c).isEmpty())
                paras += cells.at(c).paragraphs;
        }
        if (!paras.isEmpty())
            merged.paragraphs = paras;
        cells.remove(first + 1, count - 1);
        cells[first] = merged;
    }
    m_cur.lastCell = first;
    m_cur.paragraph = 0;
    m_cur.offset = 0;
    refreshFormat();
}

void WordEditor::moveCells(int count)
{
    requireTable();
    if (count == 0)
        return;
    const WordTable& t = tableAt(m_cur.block);
    const int origin = (count > 0 && m_cur.hasCellSelection()) ? m_cur.lastCell : m_cur.cell;
    qint64 index = origin;
    qint64 total = 0;
    for (int r = 0; r < t.rows.size(); ++r) {
        if (r < m_cur.row)
            index += t.rows.at(r).cells.size();
        total += t.rows.at(r).cells.size();
    }
    qint64 target = std::clamp<qint64>(index + count, 0, total - 1);
    Position p = m_cur;
    p.lastCell = -1;
    p.paragraph = 0;
    p.offset = 0;
    for (p.row = 0; target >= t.rows.at(p.row).cells.size(); ++p.row)
        target -= t.rows.at(p.row).cells.size();
    p.cell = int(target);
    place(p);
}

bool WordEditor::isValidLineStyle(int style)
{
    return style >= 0 && style <= 24;
}

bool WordEditor::isValidLineWidth(int width)
{
    static constexpr int widths[] = {2, 4, 6, 8, 12, 18, 24, 36, 48};
    return std::find(std::begin(widths), std::end(widths), width) != std::end(widths);
}

void WordEditor::setBorder(int edge, int style, int width)
{
    requireTable();
    if (edge < -4 || edge > -1)
        throw WordError("no such cell edge");
    if (!isValidLineStyle(style) || !isValidLineWidth(width))
        throw WordError("no such line");
    const WordBorder line{style, width};
    WordTable& t = tableAt(m_cur.block);
    QList<WordCell>& cells = t.rows[m_cur.row].cells;
    const int first = m_cur.cell;
    const int last = m_cur.hasCellSelection() ? m_cur.lastCell : m_cur.cell;
    for (int c = first; c <= last; ++c) {
        WordCell& cell = cells[c];
        if (edge == -1)
            cell.top = line;
        else if (edge == -3)
            cell.bottom = line;
        else if (edge == -2 && c == first)
            cell.left = line;
        else if (edge == -4 && c == last)
            cell.right = line;
    }

    // Two neighbouring cells share the line between them: the facing edge changes too,
    // or a reader would draw whichever of the two it prefers.
    const int row = m_cur.row;
    const int from = t.startColumn(row, first);
    const int to = t.startColumn(row, last) + cells.at(last).span;
    if (edge == -2 && first > 0)
        cells[first - 1].right = line;
    else if (edge == -4 && last + 1 < cells.size())
        cells[last + 1].left = line;
    const int other = edge == -1 ? row - 1 : edge == -3 ? row + 1 : -1;
    if ((edge == -1 || edge == -3) && other >= 0 && other < t.rows.size()) {
        QList<WordCell>& facing = t.rows[other].cells;
        for (int c = 0; c < facing.size(); ++c) {
            const int start = t.startColumn(other, c);
            if (start < to && start + facing.at(c).span > from)
                (edge == -1 ? facing[c].bottom : facing[c].top) = line;
        }
    }
}

void WordEditor::keepTableTogether()
{
    requireTable();
    tableAt(m_cur.block).keepTogether = true;
}

// ---------------------------------------------------------------- movement

WordEditor::Position WordEditor::startOfBlock(int block) const
{
    Position p;
    p.story = m_cur.story;
    p.block = block;
    if (std::holds_alternative<WordTable>(m_doc.story(m_cur.story).blocks.at(block))) {
        p.row = 0;
        p.cell = 0;
    }
    return p;
}

WordEditor::Position WordEditor::endOfBlock(int block) const
{
    Position p;
    p.story = m_cur.story;
    p.block = block;
    const WordBlock& b = m_doc.story(m_cur.story).blocks.at(block);
    if (const auto* t = std::get_if<WordTable>(&b)) {
        p.row = int(t->rows.size()) - 1;
        p.cell = int(t->rows.last().cells.size()) - 1;
        const WordCell& c = t->cell(p.row, p.cell);
        p.paragraph = int(c.paragraphs.size()) - 1;
        p.offset = c.paragraphs.last().length();
    } else {
        p.offset = std::get<WordParagraph>(b).length();
    }
    return p;
}

WordEditor::Position WordEditor::nextCellStart(int row, int cell) const
{
    const WordTable& t = std::get<WordTable>(m_doc.story(m_cur.story).blocks.at(m_cur.block));
    Position p = m_cur;
    p.lastCell = -1;
    p.paragraph = 0;
    p.offset = 0;
    if (cell + 1 < t.rows.at(row).cells.size()) {
        p.row = row;
        p.cell = cell + 1;
    } else if (row + 1 < t.rows.size()) {
        p.row = row + 1;
        p.cell = 0;
    } else {
        return startOfBlock(m_cur.block + 1); // the paragraph after the table
    }
    return p;
}

WordEditor::Position WordEditor::previousCellEnd(int row, int cell) const
{
    const WordTable& t = std::get<WordTable>(m_doc.story(m_cur.story).blocks.at(m_cur.block));
    Position p = m_cur;
    p.lastCell = -1;
    if (cell > 0) {
        p.row = row;
        p.cell = cell - 1;
    } else if (row > 0) {
        p.row = row - 1;
        p.cell = int(t.rows.at(p.row).cells.size()) - 1;
    } else if (m_cur.block > 0) {
        return endOfBlock(m_cur.block - 1);
    } else {
        p.paragraph = 0;
        p.offset = 0;
        return p;
    }
    const WordCell& c = t.cell(p.row, p.cell);
    p.paragraph = int(c.paragraphs.size()) - 1;
    p.offset = c.paragraphs.last().length();
    return p;
}

void WordEditor::moveRight()
{
    if (m_cur.hasCellSelection()) {
        // The end of whole selected cells is the start of the next cell.
        place(nextCellStart(m_cur.row, m_cur.lastCell));
        return;
    }
    if (m_cur.offset < paragraph().length()) {
        ++m_cur.offset;
        refreshFormat();
        return;
    }
    if (m_cur.inTable()) {
        const WordCell& c = tableAt(m_cur.block).cell(m_cur.row, m_cur.cell);
        if (m_cur.paragraph + 1 < c.paragraphs.size()) {
            Position p = m_cur;
            ++p.paragraph;
            p.offset = 0;
            place(p);
        } else {
            place(nextCellStart(m_cur.row, m_cur.cell));
        }
        return;
    }
    if (m_cur.block + 1 < story().blocks.size())
        place(startOfBlock(m_cur.block + 1));
}

void WordEditor::moveLeft()
{
    if (m_cur.hasCellSelection()) {
        Position p = m_cur;
        p.lastCell = -1;
        p.paragraph = 0;
        p.offset = 0;
        place(p);
        return;
    }
    if (m_cur.offset > 0) {
        --m_cur.offset;
        refreshFormat();
        return;
    }
    if (m_cur.inTable()) {
        if (m_cur.paragraph > 0) {
            Position p = m_cur;
            --p.paragraph;
            p.offset = paragraphAt(p).length();
            place(p);
        } else {
            place(previousCellEnd(m_cur.row, m_cur.cell));
        }
        return;
    }
    if (m_cur.block > 0)
        place(endOfBlock(m_cur.block - 1));
}

void WordEditor::moveDown()
{
    if (m_cur.hasCellSelection()) {
        // From the end of the selection.
        const WordCell& c = tableAt(m_cur.block).cell(m_cur.row, m_cur.lastCell);
        m_cur.cell = m_cur.lastCell;
        m_cur.lastCell = -1;
        m_cur.paragraph = int(c.paragraphs.size()) - 1;
        m_cur.offset = c.paragraphs.last().length();
    }
    const int offset = m_cur.offset;
    if (m_cur.inTable()) {
        const WordTable& t = tableAt(m_cur.block);
        const WordCell& c = t.cell(m_cur.row, m_cur.cell);
        Position p = m_cur;
        if (m_cur.paragraph + 1 < c.paragraphs.size()) {
            ++p.paragraph;
        } else if (m_cur.row + 1 < t.rows.size()) {
            const int col = column();
            ++p.row;
            p.cell = t.cellAtColumn(p.row, col);
            p.paragraph = 0;
        } else {
            place(startOfBlock(m_cur.block + 1)); // out of the table
            return;
        }
        p.offset = std::min(offset, paragraphAt(p).length());
        place(p);
        return;
    }
    if (m_cur.block + 1 >= story().blocks.size()) {
        refreshFormat();
        return;
    }
    Position p = startOfBlock(m_cur.block + 1);
    if (!p.inTable())
        p.offset = std::min(offset, paragraphAt(p).length());
    place(p);
}

void WordEditor::moveUp()
{
    if (m_cur.hasCellSelection()) {
        m_cur.lastCell = -1;
        m_cur.paragraph = 0;
        m_cur.offset = 0;
    }
    const int offset = m_cur.offset;
    Position p = m_cur;
    if (m_cur.inTable() && (m_cur.paragraph > 0 || m_cur.row > 0)) {
        if (m_cur.paragraph > 0) {
            --p.paragraph;
        } else {
            const WordTable& t = tableAt(m_cur.block);
            const int col = column();
            --p.row;
            p.cell = t.cellAtColumn(p.row, col);
            p.paragraph = int(t.cell(p.row, p.cell).paragraphs.size()) - 1;
        }
    } else if (m_cur.block > 0) {
        p = startOfBlock(m_cur.block - 1);
        if (p.inTable()) {
            const WordTable& t = tableAt(p.block);
            p.row = int(t.rows.size()) - 1;
            p.paragraph = int(t.cell(p.row, 0).paragraphs.size()) - 1;
        }
    } else {
        refreshFormat();
        return;
    }
    p.offset = std::min(offset, paragraphAt(p).length());
    place(p);
}

// ---------------------------------------------------------------- stories

void WordEditor::enterStory(WordStoryKind kind)
{
    if (m_cur.story == WordStoryKind::Main) {
        m_savedMain = m_cur;
        m_savedFmt = m_fmt;
    }
    m_cur.story = kind;
    place(startOfBlock(0));
}

void WordEditor::enterHeader()
{
    enterStory(WordStoryKind::Header);
}

void WordEditor::enterFooter()
{
    enterStory(WordStoryKind::Footer);
}

void WordEditor::leaveHeaderFooter()
{
    if (m_cur.story == WordStoryKind::Main)
        return;
    m_cur = m_savedMain;
    m_fmt = m_savedFmt;
}

// ---------------------------------------------------------------- helpers

WordStory& WordEditor::story()
{
    return m_doc.story(m_cur.story);
}

WordTable& WordEditor::tableAt(int block)
{
    return std::get<WordTable>(story().blocks[block]);
}

WordParagraph& WordEditor::paragraphAt(const Position& p)
{
    WordBlock& b = m_doc.story(p.story).blocks[p.block];
    if (p.inTable())
        return std::get<WordTable>(b).rows[p.row].cells[p.cell].paragraphs[p.paragraph];
    return std::get<WordParagraph>(b);
}

WordParagraph& WordEditor::paragraph()
{
    return paragraphAt(m_cur);
}

QList<WordParagraph>* WordEditor::container()
{
    if (!m_cur.inTable())
        return nullptr;
    return &tableAt(m_cur.block).rows[m_cur.row].cells[m_cur.cell].paragraphs;
}

void WordEditor::requireTable() const
{
    if (!m_cur.inTable())
        throw WordError("the cursor is not in a table");
}

void WordEditor::place(const Position& p)
{
    m_cur = p;
    refreshFormat();
}

void WordEditor::refreshFormat()
{
    if (m_cur.hasCellSelection()) {
        m_fmt = formatAt(tableAt(m_cur.block).cell(m_cur.row, m_cur.cell).paragraphs.first(), 0);
        return;
    }
    m_fmt = formatAt(paragraph(), m_cur.offset);
}

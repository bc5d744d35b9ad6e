#include "export/PageRenderer.h"

#include "export/ColumnWidths.h"
#include "export/SerifMetrics.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace PageRenderer {

namespace {

const QString kFamily = QStringLiteral("Liberation Serif");
constexpr double kTabPoints = 35.4; // the word processor's default tab stops
constexpr double kCellPadding = ColumnWidths::kCellMarginTwips / 20.0;
constexpr double kFooterGap = 0.5;

// ---------------------------------------------------------------- lines of text

struct Atom
{
    QString text; // one character, or a field's number; empty for a tab
    WordCharFormat format;
    double width = 0;
    bool blank = false;
    bool tab = false;
};

struct Line
{
    QList<TextItem> items; // x relative to the line's left end, y 0
    double height = 0;
    double ascent = 0;
};

struct Fields
{
    int page = 1;
    int pages = 1;
};

QList<Atom> atomsOf(const WordParagraph& p, const Fields& fields)
{
    QList<Atom> out;
    for (const WordRun& r : p.runs) {
        switch (r.kind) {
        case WordRun::Kind::Text:
            for (QChar c : r.text) {
                Atom a;
                a.text = QString(c);
                a.format = r.format;
                a.width = SerifMetrics::width(c, r.format);
                a.blank = c.isSpace();
                out.append(a);
            }
            break;
        case WordRun::Kind::Tab: {
            Atom a;
            a.format = r.format;
            a.tab = true;
            out.append(a);
            break;
        }
        case WordRun::Kind::PageNumber:
        case WordRun::Kind::PageCount: {
            Atom a;
            a.text = QString::number(r.kind == WordRun::Kind::PageNumber ? fields.page : fields.pages);
            a.format = r.format;
            a.width = SerifMetrics::width(a.text, r.format);
            out.append(a);
            break;
        }
        case WordRun::Kind::PageBreak:
            break;
        }
    }
    return out;
}

double nextTabStop(const WordParagraph& p, double x)
{
    for (double stop : p.tabStops) {
        if (stop > x + 0.01)
            return stop;
    }
    return (std::floor(x / kTabPoints + 1e-6) + 1) * kTabPoints;
}

// Breaks a paragraph into lines no wider than width where ColumnWidths::mayBreak lets
// it, and around tabs; inside a word only when the word alone is wider than the line.
QList<Line> breakLines(const WordParagraph& p, double width, const Fields& fields)
{
    const QList<Atom> atoms = atomsOf(p, fields);
    QList<QPair<int, int>> spans; // [first, last) atoms of each line
    int start = 0;
    int breakAt = -1; // where the current line may end, the next one starting there
    double x = 0;
    auto character = [&atoms](int i) {
        const Atom& a = atoms.at(i);
        return a.tab ? QChar(u'\t') : a.text.size() != 1 ? QChar(u'0') : a.text.front();
    };
    for (int i = 0; i < atoms.size(); ++i) {
        const Atom& a = atoms.at(i);
        if (a.tab) {
            breakAt = i;
            x = nextTabStop(p, x);
            continue;
        }
        if (i > 0 && ColumnWidths::mayBreak(i > 1 ? character(i - 2) : QChar(), character(i - 1), character(i)))
            breakAt = i;
        if (a.blank) {
            x += a.width;
            continue;
        }
        if (x + a.width > width + 0.01 && i > start) {
            const int end = breakAt > start ? breakAt : i;
            spans.append({start, end});
            start = end;
            breakAt = -1;
            // Measure again what moved down to the new line.
            x = 0;
            for (int k = start; k < i; ++k)
                x = atoms.at(k).tab ? nextTabStop(p, x) : x + atoms.at(k).width;
        }
        x += a.width;
    }
    spans.append({start, int(atoms.size())});

    QList<Line> lines;
    for (int n = 0; n < spans.size(); ++n) {
        const auto [first, last] = spans.at(n);
        Line line;
        double pos = 0;
        int end = last;
        while (end > first && atoms.at(end - 1).blank)
            --end; // blanks at a line's end hang
        // A justified line but the last spreads its slack over the blanks between words.
        double spread = 0;
        if (p.align == WordAlign::Justify && n + 1 < spans.size()) {
            double used = 0;
            int blanks = 0;
            bool word = false;
            for (int k = first; k < end; ++k) {
                used = atoms.at(k).tab ? nextTabStop(p, used) : used + atoms.at(k).width;
                blanks += atoms.at(k).blank && word ? 1 : 0;
                word = word || !atoms.at(k).blank;
            }
            if (blanks > 0 && used < width)
                spread = (width - used) / blanks;
        }
        bool word = false;
        TextItem* item = nullptr;
        for (int k = first; k < last; ++k) {
            const Atom& a = atoms.at(k);
            line.height = std::max(line.height, a.format.size * SerifMetrics::kLineHeight);
            line.ascent = std::max(line.ascent, a.format.size * SerifMetrics::kAscent);
            if (k >= end)
                continue;
            if (a.tab) {
                pos = nextTabStop(p, pos);
                item = nullptr;
                continue;
            }
            if (a.blank && word && spread > 0) {
                pos += a.width + spread;
                item = nullptr;
                continue;
            }
            word = word || !a.blank;
            if (!item || !(item->format == a.format)) {
                line.items.append(TextItem{QPointF(pos, 0), QString(), a.format, 0});
                item = &line.items.last();
            }
            item->text += a.text;
            item->width += a.width;
            pos += a.width;
        }
        if (first == last) {
            line.height = p.mark.size * SerifMetrics::kLineHeight;
            line.ascent = p.mark.size * SerifMetrics::kAscent;
        }
        const double slack = width - pos;
        double shift = 0;
        if (p.align == WordAlign::Center)
            shift = slack / 2;
        else if (p.align == WordAlign::Right)
            shift = slack;
        for (TextItem& t : line.items)
            t.origin.rx() += std::max(0.0, shift);
        lines.append(line);
    }
    return lines;
}

// ---------------------------------------------------------------- borders

struct Stripe
{
    double thickness;
    double gap; // before the next stripe
};

QList<Stripe> stripes(const WordBorder& b)
{
    const double w = b.width / 8.0;
    const double thin = std::clamp(w / 2, 0.25, 0.75);
    switch (b.style) {
    case 0:
        return {};
    case 7:
        return {{w, w}, {w, 0}};
    case 8:
        return {{w, w}, {w, w}, {w, 0}};
    case 9:
    case 12:
    case 15:
        return {{thin, b.style == 9 ? thin : b.style == 12 ? w / 2 : w}, {w, 0}};
    case 10:
    case 13:
    case 16: {
        const double gap = b.style == 10 ? thin : b.style == 13 ? w / 2 : w;
        return {{w, gap}, {thin, 0}};
    }
    case 11:
    case 14:
    case 17: {
        const double gap = b.style == 11 ? thin : b.style == 14 ? w / 2 : w;
        return {{thin, gap}, {w, gap}, {thin, 0}};
    }
    default:
        return {{w, 0}};
    }
}

double thickness(const WordBorder& b)
{
    double t = 0;
    for (const Stripe& s : stripes(b))
        t += s.thickness + s.gap;
    return t;
}

// Of two cells' lines on one edge, the one a reader sees: the heavier.
const WordBorder& heavier(const WordBorder& a, const WordBorder& b)
{
    const double ta = thickness(a), tb = thickness(b);
    if (ta != tb)
        return ta > tb ? a : b;
    return a.style >= b.style ? a : b;
}

// A border line along from-to (horizontal or vertical), centred on it, its stripes in
// order from top or from left.
void addBorder(Page& page, const WordBorder& b, QPointF from, QPointF to)
{
    const QList<Stripe> list = stripes(b);
    if (list.isEmpty() || from == to)
        return;
    const bool horizontal = std::abs(from.y() - to.y()) < 1e-9;
    double offset = -thickness(b) / 2;
    for (const Stripe& s : list) {
        const double at = offset + s.thickness / 2;
        LineItem line;
        line.from = horizontal ? QPointF(from.x(), from.y() + at) : QPointF(from.x() + at, from.y());
        line.to = horizontal ? QPointF(to.x(), to.y() + at) : QPointF(to.x() + at, to.y());
        line.thickness = s.thickness;
        line.dotted = b.style == 2;
        line.dashed = b.style >= 3 && b.style <= 6;
        page.lines.append(line);
        offset += s.thickness + s.gap;
    }
}

// ---------------------------------------------------------------- tables

struct CellBox
{
    double x = 0, width = 0;
    int firstColumn = 0, endColumn = 0;
    QList<Line> lines; // of all its paragraphs, one under another
};

struct RowBox
{
    QList<CellBox> cells;
    double height = 0;
    double padTop = 0, padBottom = 0;
};

struct TableBox
{
    const WordTable* table = nullptr;
    QList<RowBox> rows;
    QList<double> columnX; // grid lines, absolute
    double height = 0;
};

TableBox measureTable(const WordTable& t, double areaLeft, double areaWidth, const Fields& fields)
{
    TableBox box;
    box.table = &t;
    const QList<int> widths = ColumnWidths::compute(t, int(std::lround(areaWidth * 20)));
    box.columnX.append(areaLeft + ColumnWidths::kFrameTwips / 40.0);
    for (int w : widths)
        box.columnX.append(box.columnX.last() + w / 20.0);
    for (int r = 0; r < t.rows.size(); ++r) {
        RowBox row;
        double content = 0, top = 0, bottom = 0;
        for (int c = 0; c < t.rows.at(r).cells.size(); ++c) {
            const WordCell& cell = t.cell(r, c);
            CellBox cb;
            cb.firstColumn = std::min(t.startColumn(r, c), int(widths.size()));
            cb.endColumn = std::min(cb.firstColumn + cell.span, int(widths.size()));
            cb.x = box.columnX.at(cb.firstColumn);
            cb.width = box.columnX.at(cb.endColumn) - cb.x;
            for (const WordParagraph& p : cell.paragraphs)
                cb.lines.append(breakLines(p, std::max(1.0, cb.width - 2 * kCellPadding), fields));
            double h = 0;
            for (const Line& l : cb.lines)
                h += l.height;
            content = std::max(content, h);
            top = std::max(top, thickness(cell.top));
            bottom = std::max(bottom, thickness(cell.bottom));
            row.cells.append(cb);
        }
        row.padTop = top / 2;
        row.padBottom = bottom / 2;
        row.height = content + top / 2 + bottom / 2;
        box.height += row.height;
        box.rows.append(row);
    }
    return box;
}

const WordCell* cellAtColumn(const WordTable& t, int row, int column)
{
    const int c = t.cellAtColumn(row, column);
    return c >= 0 && c < t.rows.at(row).cells.size() ? &t.cell(row, c) : nullptr;
}

// Lines [from, to) of each cell of a row: all of them, or the part of a row too tall
// for a page that goes on one page.
using LineSpans = QList<QPair<int, int>>;

LineSpans wholeRow(const RowBox& row)
{
    LineSpans out;
    for (const CellBox& cb : row.cells)
        out.append({0, int(cb.lines.size())});
    return out;
}

// Draws row r of a table, or the given lines of its cells, in height points at y: the
// text, the left, right and top lines, and the bottom line when it is the last row on
// the page or of the table.
void placeRow(Page& page, const TableBox& box, int r, const LineSpans& spans, double y, double height, bool firstOnPage,
              bool lastOnPage)
{
    const WordTable& t = *box.table;
    const RowBox& row = box.rows.at(r);
    const double bottom = y + height;
    for (int c = 0; c < row.cells.size(); ++c) {
        const CellBox& cb = row.cells.at(c);
        const WordCell& cell = t.cell(r, c);
        double ty = y + row.padTop;
        for (int i = spans.at(c).first; i < spans.at(c).second; ++i) {
            const Line& l = cb.lines.at(i);
            for (TextItem item : l.items) {
                item.origin += QPointF(cb.x + kCellPadding, ty + l.ascent);
                page.texts.append(item);
            }
            ty += l.height;
        }
        // The line between two cells is one line: where their lines differ the heavier shows.
        const WordBorder& left = c == 0 ? cell.left : heavier(t.cell(r, c - 1).right, cell.left);
        addBorder(page, left, QPointF(cb.x, y), QPointF(cb.x, bottom));
        if (c + 1 == row.cells.size())
            addBorder(page, cell.right, QPointF(cb.x + cb.width, y), QPointF(cb.x + cb.width, bottom));
        const bool shared = !firstOnPage && r > 0;
        for (int col = cb.firstColumn; col < cb.endColumn;) {
            const WordCell* above = shared ? cellAtColumn(t, r - 1, col) : nullptr;
            int end = col + 1;
            while (end < cb.endColumn && shared && cellAtColumn(t, r - 1, end) == above)
                ++end;
            const WordBorder line = above ? heavier(above->bottom, cell.top) : cell.top;
            addBorder(page, line, QPointF(box.columnX.at(col), y), QPointF(box.columnX.at(end), y));
            col = end;
        }
        if (lastOnPage)
            addBorder(page, cell.bottom, QPointF(cb.x, bottom), QPointF(cb.x + cb.width, bottom));
    }
}

// ---------------------------------------------------------------- stories on pages

struct Area
{
    double left = 0, width = 0;
    double top = 0, bottom = 0; // of the body on every page
};

// Places a story's blocks from the top of an area, on new pages when paginating.
class Flow
{
public:
    Flow(QList<Page>& pages, const Area& area, bool paginate, const Fields& fields)
        : m_pages(pages)
        , m_area(area)
        , m_paginate(paginate)
        , m_fields(fields)
        , m_y(area.top)
    {
        if (m_pages.isEmpty())
            m_pages.append(Page());
    }

    double y() const { return m_y; }

    void story(const WordStory& s)
    {
        for (int i = 0; i < s.blocks.size(); ++i) {
            if (const auto* p = std::get_if<WordParagraph>(&s.blocks.at(i))) {
                const QList<Line> lines = paragraphLines(*p);
                const auto* next = i + 1 < s.blocks.size() ? std::get_if<WordTable>(&s.blocks.at(i + 1)) : nullptr;
                if (next && (s.headsTable(i) || s.keepsWithNext(i))) {
                    // A heading goes along with its table: all of it when the table is
                    // kept together, else at least its first two rows.
                    double h = 0;
                    for (const Line& l : lines)
                        h += l.height;
                    const TableBox box = measureTable(*next, m_area.left, m_area.width, m_fields);
                    if (s.keepsWithNext(i)) {
                        keepTogether(h + box.height);
                        m_keptFromHere = true;
                    } else {
                        for (int r = 0; r < std::min<qsizetype>(2, box.rows.size()); ++r)
                            h += box.rows.at(r).height;
                        if (h <= pageHeight())
                            keepTogether(h);
                    }
                }
                paragraph(*p, lines);
            } else {
                table(std::get<WordTable>(s.blocks.at(i)));
            }
        }
    }

private:
    Page& page() { return m_pages.last(); }
    bool atTop() const { return m_y <= m_area.top + 1e-6; }

    void newPage()
    {
        if (!m_paginate)
            return;
        m_pages.append(Page());
        m_y = m_area.top;
    }

    double pageHeight() const { return m_area.bottom - m_area.top; }

    // Starts a fresh page when what follows does not fit in what is left: what is kept
    // together starts on a fresh page even when it then goes on over the next ones.
    void keepTogether(double height)
    {
        if (m_paginate && !atTop() && m_y + height > m_area.bottom)
            newPage();
    }

    QList<Line> paragraphLines(const WordParagraph& p) const { return breakLines(p, m_area.width, m_fields); }

    void paragraph(const WordParagraph& p, const QList<Line>& lines)
    {
        for (const Line& l : lines) {
            if (m_paginate && !atTop() && m_y + l.height > m_area.bottom + 0.01)
                newPage();
            for (TextItem item : l.items) {
                item.origin += QPointF(m_area.left, m_y + l.ascent);
                page().texts.append(item);
            }
            m_y += l.height;
        }
        for (const WordRun& r : p.runs) {
            if (r.kind == WordRun::Kind::PageBreak)
                newPage();
        }
    }

    // A row holds half of each line it shares with a neighbour; a part of a row split
    // over pages holds the whole of a line at a page's edge: so word processors lay
    // them out.
    static double splitPadding(const RowBox& row, bool firstPart, bool lastPart)
    {
        return (firstPart ? 1 : 2) * row.padTop + (lastPart ? 1 : 2) * row.padBottom;
    }

    // Whether row r starts at y: it fits in what is left of the page, or, too tall for
    // any page, its first lines do.
    bool startsAt(const RowBox& row, double y) const
    {
        if (!m_paginate || y + row.height <= m_area.bottom + 0.01)
            return true;
        if (row.height <= pageHeight())
            return false;
        for (const CellBox& cb : row.cells) {
            if (cb.lines.isEmpty() ||
                y + splitPadding(row, true, false) + cb.lines.first().height > m_area.bottom + 0.01)
                return false;
        }
        return true;
    }

    void table(const WordTable& t)
    {
        const TableBox box = measureTable(t, m_area.left, m_area.width, m_fields);
        if (t.keepTogether && !m_keptFromHere)
            keepTogether(box.height);
        m_keptFromHere = false;
        bool first = true;
        for (int r = 0; r < box.rows.size(); ++r) {
            const RowBox& row = box.rows.at(r);
            if (!atTop() && !startsAt(row, m_y)) {
                newPage();
                first = true;
            }
            if (!m_paginate || m_y + row.height <= m_area.bottom + 0.01) {
                const bool last = r + 1 == box.rows.size() || !startsAt(box.rows.at(r + 1), m_y + row.height);
                placeRow(page(), box, r, wholeRow(row), m_y, row.height, first, last);
                m_y += row.height;
                first = false;
                continue;
            }
            // Taller than a page: the row goes on over as many pages as it takes, each
            // cell's lines in order, so that none is lost.
            LineSpans spans;
            for (int c = 0; c < row.cells.size(); ++c)
                spans.append({0, 0});
            for (;;) {
                const bool firstPart = spans.first().second == 0;
                const double room = m_area.bottom - m_y - splitPadding(row, firstPart, false) + 0.01;
                double content = 0;
                bool done = true;
                for (int c = 0; c < row.cells.size(); ++c) {
                    const QList<Line>& lines = row.cells.at(c).lines;
                    int end = spans.at(c).second;
                    double h = 0;
                    // At the top of a page at least one line goes on it, however tall.
                    while (end < lines.size() && (h + lines.at(end).height <= room || (h == 0 && atTop()))) {
                        h += lines.at(end).height;
                        ++end;
                    }
                    spans[c] = {spans.at(c).second, end};
                    content = std::max(content, h);
                    done = done && end == lines.size();
                }
                const double height = content + splitPadding(row, firstPart, done);
                const bool last = !done || r + 1 == box.rows.size() || !startsAt(box.rows.at(r + 1), m_y + height);
                placeRow(page(), box, r, spans, m_y, height, first, last);
                m_y += height;
                first = false;
                if (done)
                    break;
                newPage();
                first = true;
                for (QPair<int, int>& span : spans)
                    span.first = span.second;
            }
        }
    }

    QList<Page>& m_pages;
    Area m_area;
    bool m_paginate;
    Fields m_fields;
    double m_y;
    bool m_keptFromHere = false; // the next table's heading has seen to keeping it together
};

// Height of a header or footer story over the text width.
double storyHeight(const WordStory& s, double width, const Fields& fields)
{
    QList<Page> scratch;
    Flow f(scratch, Area{0, width, 0, 1e9}, false, fields);
    f.story(s);
    return f.y();
}

} // namespace

namespace {

// The page's body: between the margins, and below a header or above a footer taller
// than its margin, as in a word processor.
Area bodyArea(const WordDocument& doc, const Fields& probe)
{
    const WordPageSetup& ps = doc.page;
    const double pageHeight = ps.heightTwips() / 20.0;
    const double width = ps.widthTwips() / 20.0 - ps.leftMargin - ps.rightMargin;
    const double headerHeight = doc.header.isBlank() ? 0 : storyHeight(doc.header, width, probe);
    const double footerHeight = doc.footer.isBlank() ? 0 : storyHeight(doc.footer, width, probe);
    Area body;
    body.left = ps.leftMargin;
    body.width = width;
    body.top = std::max(ps.topMargin, ps.headerDistance + headerHeight);
    // Word processors leave a hair between the body and the footer.
    body.bottom = std::min(pageHeight - ps.bottomMargin, pageHeight - ps.footerDistance - footerHeight - kFooterGap);
    if (body.bottom - body.top < 36)
        body.bottom = body.top + 36;
    return body;
}

// The page fields do not change a header's height: measure with numbers of the same size.
constexpr Fields kProbe{8, 8};

} // namespace

QList<double> rowHeights(const WordDocument& doc, const WordTable& t, double* bodyHeight)
{
    const Area body = bodyArea(doc, kProbe);
    if (bodyHeight)
        *bodyHeight = body.bottom - body.top;
    QList<double> out;
    for (const RowBox& row : measureTable(t, body.left, body.width, kProbe).rows)
        out.append(row.height);
    return out;
}

Layout layout(const WordDocument& doc)
{
    const WordPageSetup& ps = doc.page;
    Layout out;
    out.pageSize = QSizeF(ps.widthTwips() / 20.0, ps.heightTwips() / 20.0);
    const double width = out.pageSize.width() - ps.leftMargin - ps.rightMargin;
    const Fields probe = kProbe;
    const double footerHeight = doc.footer.isBlank() ? 0 : storyHeight(doc.footer, width, probe);
    const Area body = bodyArea(doc, probe);

    Flow main(out.pages, body, true, probe);
    main.story(doc.main);

    const int pages = int(out.pages.size());
    for (int i = 0; i < pages; ++i) {
        const Fields fields{i + 1, pages};
        QList<Page> one;
        if (!doc.header.isBlank()) {
            Flow header(one, Area{body.left, width, ps.headerDistance, 1e9}, false, fields);
            header.story(doc.header);
        }
        if (!doc.footer.isBlank()) {
            const double top = out.pageSize.height() - ps.footerDistance - footerHeight;
            Flow footer(one, Area{body.left, width, top, 1e9}, false, fields);
            footer.story(doc.footer);
        }
        if (!one.isEmpty()) {
            out.pages[i].texts.append(one.first().texts);
            out.pages[i].lines.append(one.first().lines);
        }
    }
    return out;
}

namespace {

QFont fontFor(const WordCharFormat& f, double scale)
{
    QFont font(kFamily);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(f.size * scale);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// k: device pixels per point; fontScale turns points into the font sizes the device wants.
void paintPage(QPainter& painter, const Page& page, double k, double fontScale)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const LineItem& l : page.lines) {
        QPen pen(Qt::black);
        pen.setWidthF(l.thickness * k);
        pen.setCapStyle(Qt::FlatCap);
        if (l.dotted)
            pen.setDashPattern({1.0 / l.thickness, 1.0 / l.thickness}); // 1 pt dots, 1 pt apart
        else if (l.dashed)
            pen.setDashPattern({4.0 / l.thickness, 2.0 / l.thickness});
        painter.setPen(pen);
        painter.drawLine(l.from * k, l.to * k);
    }
    painter.setPen(Qt::black);
    for (const TextItem& t : page.texts) {
        painter.setFont(fontFor(t.format, fontScale));
        painter.drawText(t.origin * k, t.text);
    }
}

} // namespace

bool paint(const Layout& pages, QPagedPaintDevice& device, QString* error, const QList<int>& only)
{
    const QPageSize size(pages.pageSize, QPageSize::Point, QString(), QPageSize::ExactMatch);
    const QPageLayout::Orientation orientation =
        pages.pageSize.width() > pages.pageSize.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    QPageLayout pageLayout(size, QPageLayout::Portrait, QMarginsF());
    pageLayout.setMode(QPageLayout::FullPageMode);
    if (orientation == QPageLayout::Landscape) {
        // A landscape page is the portrait size turned.
        pageLayout.setPageSize(
            QPageSize(pages.pageSize.transposed(), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pageLayout.setOrientation(QPageLayout::Landscape);
    }
    if (!device.setPageLayout(pageLayout)) {
        if (error)
            *error = QStringLiteral("размер страницы не устанавливается");
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("на устройстве нельзя рисовать");
        return false;
    }
    const double k = device.logicalDpiX() / 72.0;
    bool first = true;
    for (int i = 0; i < pages.pages.size(); ++i) {
        if (!only.isEmpty() && !only.contains(i + 1))
            continue;
        if (!first && !device.newPage()) {
            painter.end();
            if (error)
                *error = QStringLiteral("новая страница не начинается");
            return false;
        }
        paintPage(painter, pages.pages.at(i), k, 1.0);
        first = false;
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("страницы не дорисовываются до конца");
        return false;
    }
    return true;
}

QByteArray pdf(const WordDocument& doc, const QString& title, QString* error)
{
    // Fonts need the graphical toolkit, though no display.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (error)
            *error = QStringLiteral("страницы нельзя нарисовать без графической части программы");
        return {};
    }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Торбел 3.1"));
        writer.setResolution(1200);
        if (!paint(layout(doc), writer, error))
            return {};
    }
    if (bytes.isEmpty() && error)
        *error = QStringLiteral("документ PDF получился пустым");
    return bytes;
}

QImage pageImage(const Layout& pages, int page, double dpi)
{
    const double k = dpi / 72.0;
    QImage image(QSize(int(std::ceil(pages.pageSize.width() * k)), int(std::ceil(pages.pageSize.height() * k))),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    if (page < 0 || page >= pages.pages.size())
        return image;
    QPainter painter(&image);
    // The image's fonts are sized by its own resolution, which is rounded: correct for it.
    paintPage(painter, pages.pages.at(page), k, dpi / image.logicalDpiY());
    return image;
}

} // namespace PageRenderer

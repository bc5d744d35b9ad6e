#include "export/ColumnWidths.h"

#include "export/SerifMetrics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ColumnWidths {

namespace {

constexpr double kTabPoints = 36;
// A little more than the padding, so that rounding never wraps a line that fits.
constexpr int kPaddingTwips = 2 * kCellMarginTwips + 60;

TextWidth cellTwips(const WordCell& c)
{
    TextWidth widest;
    for (const WordParagraph& p : c.paragraphs) {
        const TextWidth w = paragraphWidth(p);
        widest.full = std::max(widest.full, w.full);
        widest.word = std::max(widest.word, w.word);
    }
    return TextWidth{std::ceil(widest.full * 20.0) + kPaddingTwips, std::ceil(widest.word * 20.0) + kPaddingTwips};
}

// How near the paragraph, wrapped at width points, comes to a line that just fits or
// just does not: the smallest distance between a word's end and the edge. Word
// processors measure text a hair differently, so a near call may go either way.
double nearestCall(const WordParagraph& p, double width)
{
    double nearest = 1e9;
    double x = 0;         // where the current word starts on its line
    double word = 0;      // the current word's width
    bool started = false; // blanks break from the first word on
    auto endWord = [&] {
        if (word <= 0)
            return;
        nearest = std::min(nearest, std::abs(x + word - width));
        x = x + word > width && x > 0 ? word : x + word;
        word = 0;
    };
    for (const WordRun& r : p.runs) {
        if (r.kind != WordRun::Kind::Text) {
            endWord();
            x += r.kind == WordRun::Kind::Tab ? kTabPoints : r.format.size;
            started = true;
            continue;
        }
        for (QChar c : r.text) {
            const double w = SerifMetrics::width(c, r.format);
            if (c.isSpace() && started) {
                endWord();
                x += w;
                continue;
            }
            started = started || !c.isSpace();
            word += w;
        }
    }
    endWord();
    return nearest;
}

} // namespace

TextWidth paragraphWidth(const WordParagraph& p)
{
    TextWidth out;
    double current = 0;   // the run being measured
    bool started = false; // a non-blank seen: blanks break from here on
    for (const WordRun& r : p.runs) {
        switch (r.kind) {
        case WordRun::Kind::Text:
            for (QChar c : r.text) {
                const double w = SerifMetrics::width(c, r.format);
                out.full += w;
                if (c.isSpace() && started) {
                    current = 0;
                    continue;
                }
                started = started || !c.isSpace();
                current += w;
                out.word = std::max(out.word, current);
            }
            break;
        case WordRun::Kind::Tab:
            out.full += kTabPoints;
            current = 0;
            started = true;
            break;
        case WordRun::Kind::PageNumber:
        case WordRun::Kind::PageCount:
            out.full += r.format.size;
            current += r.format.size;
            started = true;
            out.word = std::max(out.word, current);
            break;
        case WordRun::Kind::PageBreak:
            break;
        }
    }
    return out;
}

QList<int> compute(const WordTable& t, int available)
{
    QList<double> need(t.columns, kMinColumnTwips);
    QList<double> least(t.columns, kMinColumnTwips);
    for (int pass = 0; pass < 2; ++pass) { // single cells first, then the spanning ones
        for (int r = 0; r < t.rows.size(); ++r) {
            for (int c = 0; c < t.rows.at(r).cells.size(); ++c) {
                const WordCell& cell = t.cell(r, c);
                const int first = t.startColumn(r, c);
                const int last = std::min(first + cell.span, t.columns);
                if ((cell.span == 1) != (pass == 0) || first >= last)
                    continue;
                const TextWidth w = cellTwips(cell);
                double haveNeed = 0, haveLeast = 0;
                for (int i = first; i < last; ++i) {
                    haveNeed += need.at(i);
                    haveLeast += least.at(i);
                }
                for (int i = first; i < last; ++i) {
                    if (w.full > haveNeed)
                        need[i] += (w.full - haveNeed) / (last - first);
                    if (w.word > haveLeast)
                        least[i] += (w.word - haveLeast) / (last - first);
                    need[i] = std::max(need.at(i), least.at(i));
                }
            }
        }
    }
    const double totalNeed = std::accumulate(need.cbegin(), need.cend(), 0.0);
    const double totalLeast = std::accumulate(least.cbegin(), least.cend(), 0.0);
    const double room = available > 0 ? std::max(1, available - kFrameTwips) : 0;

    QList<double> widths = need;
    if (room > 0 && totalNeed > room) {
        if (totalLeast >= room) {
            // Not even the words fit: the page is too narrow for this table.
            for (int i = 0; i < t.columns; ++i)
                widths[i] = least.at(i) * room / totalLeast;
        } else {
            // Fill the small wants first, so that short texts stay whole.
            QList<int> order(t.columns);
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return need.at(a) - least.at(a) < need.at(b) - least.at(b); });
            double slack = room - totalLeast;
            int left = t.columns;
            for (int i : order) {
                const double give = std::min(need.at(i) - least.at(i), slack / left);
                widths[i] = least.at(i) + give;
                slack -= give;
                --left;
            }
        }
    }
    // No line may end within a hair of its column's edge, where readers could disagree
    // on whether it fits: such a column gives up a little room.
    constexpr double kNearCall = 0.3; // points
    constexpr int kStepTwips = 7;
    for (int col = 0; col < t.columns; ++col) {
        for (int step = 0; step < 20 && widths.at(col) - kStepTwips >= least.at(col); ++step) {
            const double inner = std::floor(widths.at(col)) / 20.0 - 2 * kCellMarginTwips / 20.0;
            double nearest = 1e9;
            for (int r = 0; r < t.rows.size(); ++r) {
                const int c = t.cellAtColumn(r, col);
                if (c < 0 || c >= t.rows.at(r).cells.size() || t.cell(r, c).span != 1)
                    continue;
                for (const WordParagraph& p : t.cell(r, c).paragraphs)
                    nearest = std::min(nearest, nearestCall(p, inner));
            }
            if (nearest >= kNearCall)
                break;
            widths[col] -= kStepTwips;
        }
    }
    QList<int> out;
    for (double w : widths)
        out.append(std::max(1, int(w)));
    return out;
}

} // namespace ColumnWidths

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
                const double w = SerifMetrics::advance(c, r.format.bold, r.format.italic) * r.format.size;
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
    QList<int> out;
    for (double w : widths)
        out.append(std::max(1, int(w)));
    return out;
}

} // namespace ColumnWidths

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
        widest.amount = std::max(widest.amount, w.amount);
    }
    auto twips = [](double points) { return points > 0 ? std::ceil(points * 20.0) + kPaddingTwips : 0.0; };
    return TextWidth{twips(widest.full), twips(widest.word), twips(widest.amount)};
}

// How near the paragraph, wrapped at width points, comes to a line that just fits or
// just does not: the smallest distance between a word's end and the edge, or, in a
// word broken for want of room, a character's. Word processors measure text a hair
// differently, so a near call may go either way.
double nearestCall(const WordParagraph& p, double width)
{
    double nearest = 1e9;
    double x = 0;       // where the current word starts on its line
    QList<double> word; // the current word's characters
    double wordWidth = 0;
    auto endWord = [&] {
        if (word.isEmpty())
            return;
        nearest = std::min(nearest, std::abs(x + wordWidth - width));
        if (x + wordWidth > width && x > 0)
            x = 0; // the word goes down to the next line
        if (x + wordWidth > width) {
            // Alone wider than the line: broken after the last character that fits.
            for (double c : word) {
                if (x + c > width && x > 0) {
                    nearest = std::min({nearest, width - x, x + c - width});
                    x = 0;
                }
                x += c;
            }
        } else {
            x += wordWidth;
        }
        word.clear();
        wordWidth = 0;
    };
    QChar before, previous;
    for (const WordRun& r : p.runs) {
        if (r.kind != WordRun::Kind::Text) {
            endWord();
            x += r.kind == WordRun::Kind::Tab ? kTabPoints : r.format.size;
            before = previous = QChar(u'\t');
            continue;
        }
        for (qsizetype i = 0; i < r.text.size(); ++i) {
            const QChar c = r.text.at(i);
            const double w = SerifMetrics::width(c, r.format);
            if (c.isSpace()) {
                endWord();
                x += w;
            } else {
                if (previous == u'-' && mayBreak(before, previous, c))
                    endWord(); // after a hyphen
                word.append(w);
                wordWidth += w;
            }
            before = previous;
            previous = c;
        }
    }
    endWord();
    return nearest;
}

// The widths a column keeps whatever the page: amounts whole, words whole while the
// page holds them.
struct Column
{
    double need = kMinColumnTwips;  // every line whole
    double least = kMinColumnTwips; // every word whole
    double amount = 0;              // every amount whole
};

} // namespace

bool isAmount(QStringView text)
{
    text = text.trimmed();
    constexpr qsizetype kLongest = 24; // longer texts are phrases, free to wrap
    if (text.isEmpty() || text.size() > kLongest)
        return false;
    const qsizetype digit = text.front() == u'-' || text.front() == u'+' || text.front() == u'\u2212' ? 1 : 0;
    return digit < text.size() && text.at(digit).isDigit();
}

bool mayBreak(QChar before, QChar a, QChar b)
{
    if (b.isSpace())
        return false;
    return a.isSpace() || (a == u'-' && !before.isNull() && !before.isSpace() && !b.isDigit());
}

TextWidth paragraphWidth(const WordParagraph& p)
{
    TextWidth out;
    double current = 0; // the word being measured
    for (const WordRun& r : p.runs) {
        switch (r.kind) {
        case WordRun::Kind::Text:
            for (QChar c : r.text) {
                const double w = SerifMetrics::width(c, r.format);
                out.full += w;
                if (c.isSpace()) {
                    current = 0;
                    continue;
                }
                current += w;
                out.word = std::max(out.word, current);
            }
            break;
        case WordRun::Kind::Tab:
            out.full += kTabPoints;
            current = 0;
            break;
        case WordRun::Kind::PageNumber:
        case WordRun::Kind::PageCount:
            out.full += r.format.size;
            current += r.format.size;
            out.word = std::max(out.word, current);
            break;
        case WordRun::Kind::PageBreak:
            break;
        }
    }
    if (isAmount(p.text())) {
        // As it stands on its line: blanks at its ends hang.
        double blanks = 0;
        const QString text = p.text();
        for (qsizetype i = text.size() - 1; i >= 0 && text.at(i).isSpace(); --i)
            blanks += SerifMetrics::width(text.at(i), p.runs.last().format);
        out.amount = out.full - blanks;
    }
    return out;
}

QList<int> compute(const WordTable& t, int available)
{
    QList<Column> cols(t.columns);
    for (int pass = 0; pass < 2; ++pass) { // single cells first, then the spanning ones
        for (int r = 0; r < t.rows.size(); ++r) {
            for (int c = 0; c < t.rows.at(r).cells.size(); ++c) {
                const WordCell& cell = t.cell(r, c);
                const int first = t.startColumn(r, c);
                const int last = std::min(first + cell.span, t.columns);
                if ((cell.span == 1) != (pass == 0) || first >= last)
                    continue;
                const TextWidth w = cellTwips(cell);
                double haveNeed = 0, haveLeast = 0, haveAmount = 0;
                for (int i = first; i < last; ++i) {
                    haveNeed += cols.at(i).need;
                    haveLeast += cols.at(i).least;
                    haveAmount += cols.at(i).amount;
                }
                for (int i = first; i < last; ++i) {
                    Column& col = cols[i];
                    if (w.full > haveNeed)
                        col.need += (w.full - haveNeed) / (last - first);
                    if (w.word > haveLeast)
                        col.least += (w.word - haveLeast) / (last - first);
                    if (w.amount > haveAmount)
                        col.amount += (w.amount - haveAmount) / (last - first);
                    col.least = std::max(col.least, col.amount);
                    col.need = std::max(col.need, col.least);
                }
            }
        }
    }
    double totalNeed = 0, totalLeast = 0;
    for (const Column& col : cols) {
        totalNeed += col.need;
        totalLeast += col.least;
    }
    const double room = available > 0 ? std::max(1, available - kFrameTwips) : 0;

    QList<double> widths;
    for (const Column& col : cols)
        widths.append(col.need);
    if (room > 0 && totalNeed > room) {
        if (totalLeast > room) {
            // Not even the words fit. The amounts stay whole; the columns with the widest
            // words come down to one width, as far as it takes, and those words break.
            auto at = [&](double level) {
                double sum = 0;
                for (int i = 0; i < t.columns; ++i) {
                    widths[i] = std::max(cols.at(i).amount, std::min(cols.at(i).least, level));
                    sum += widths.at(i);
                }
                return sum;
            };
            const double lowest = at(kMinColumnTwips);
            if (lowest > room) {
                // Not even the amounts fit: the page is too narrow for this table.
                for (double& w : widths)
                    w = w * room / lowest;
            } else {
                double low = kMinColumnTwips, high = 0;
                for (const Column& col : cols)
                    high = std::max(high, col.least);
                for (int step = 0; step < 60 && high - low > 0.01; ++step) {
                    const double mid = (low + high) / 2;
                    (at(mid) > room ? high : low) = mid;
                }
                at(low);
            }
        } else {
            // Fill the small wants first, so that short texts stay whole.
            QList<int> order(t.columns);
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                return cols.at(a).need - cols.at(a).least < cols.at(b).need - cols.at(b).least;
            });
            double slack = room - totalLeast;
            int left = t.columns;
            for (int i : order) {
                const double give = std::min(cols.at(i).need - cols.at(i).least, slack / left);
                widths[i] = cols.at(i).least + give;
                slack -= give;
                --left;
            }
        }
    }
    // No line may end within a hair of its column's edge, where readers could disagree
    // on whether it fits: such a column gives up a little room, never its amounts and,
    // while it holds them, never its words.
    constexpr double kNearCall = 0.3; // points
    constexpr int kStepTwips = 7;
    for (int col = 0; col < t.columns; ++col) {
        const Column& column = cols.at(col);
        const double floor = widths.at(col) >= column.least
                                 ? column.least
                                 : std::max(column.amount, std::min<double>(kMinColumnTwips, widths.at(col)));
        for (int step = 0; step < 20 && widths.at(col) - kStepTwips >= floor; ++step) {
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

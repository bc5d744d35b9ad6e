#pragma once

#include "export/LayoutDocument.h"
#include "export/PurchaseListDocument.h"
#include "export/clsRKWord.h"

#include <QStringList>

// The program's document call sequences (the day table of the layout, the title block,
// the purchase list table) with the data given directly, for tests of the writer.
namespace WriterSequences {

// A story as one line per block: a table as [cells|of|a|row/next row], a cell spanning
// columns with ^span, paragraphs inside a cell joined by '¶'.
inline QString render(const WordStory& story)
{
    QStringList blocks;
    for (const WordBlock& b : story.blocks) {
        if (const auto* p = std::get_if<WordParagraph>(&b)) {
            blocks.append(p->text());
            continue;
        }
        QStringList rows;
        for (const WordRow& row : std::get<WordTable>(b).rows) {
            QStringList cells;
            for (const WordCell& c : row.cells)
                cells.append(c.text().replace(QLatin1Char('\n'), QStringLiteral("¶")) +
                             (c.span > 1 ? QStringLiteral("^%1").arg(c.span) : QString()));
            rows.append(cells.join(QLatin1Char('|')));
        }
        blocks.append(QLatin1Char('[') + rows.join(QLatin1Char('/')) + QLatin1Char(']'));
    }
    return blocks.join(QLatin1Char('\n'));
}

struct Meal
{
    QList<QStringList> products; // {name, amount}
};

// One day of the layout document, written by the program's own call sequence: a
// heading, and a table of the three meals side by side, their per-person weights and
// the day's.
inline bool writeDay(clsRKWord& w, const QString& heading, const QStringList& headers, const QList<Meal>& meals,
                     const QStringList& weights, const QString& dayWeight)
{
    LayoutDocument::DayBlock block;
    block.strHeading = heading;
    block.headers = headers;
    for (const Meal& m : meals)
        block.meals.append(m.products);
    block.mealWeights = weights;
    block.strDayWeight = dayWeight;
    return LayoutDocument::writeDay(w, block);
}

// The title block that opens every document, dated 7 June 2026, of a 5-day trip from
// 7 to 11 June 2026 for 6 people.
inline void writeTitle(clsRKWord& w, const QString& title, const QString& description)
{
    PurchaseListDocument::TitleBlock block;
    block.strHeader = title;
    block.strDeffine = description;
    block.strToday = QStringLiteral("07.06.2026");
    block.body = QStringList{QStringLiteral("Поход с 7  июня  2026 по 11  июня  2026."),
                             QStringLiteral("Общая продолжительность: 5 дней(дня)."),
                             QStringLiteral("Количество участников:  6 человек(а).")};
    PurchaseListDocument::writeTitle(w, block);
}

// The purchase list table: grid rows of {name, amount, unit}, the first being the
// header row of the window's grid.
inline bool writeList(clsRKWord& w, const QList<QStringList>& grid)
{
    return PurchaseListDocument::writeList(w, grid.mid(1));
}

} // namespace WriterSequences

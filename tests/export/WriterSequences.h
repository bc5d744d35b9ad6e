#pragma once

#include "export/clsRKWord.h"

#include <QStringList>

#include <algorithm>

// The call sequences of the program's documents, as tests drive the writer with them:
// the day table of the layout, the title block, the purchase list table.
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

// The call sequence that writes one day of the layout document: a heading, and a
// table of the three meals side by side, their per-person weights and the day's.
inline bool writeDay(clsRKWord& w, const QString& heading, const QStringList& headers, const QList<Meal>& meals,
                     const QStringList& weights, const QString& dayWeight)
{
    int rows = 0;
    for (const Meal& m : meals)
        rows = std::max(rows, int(m.products.size()));
    w.SetAlign(QStringLiteral("Left"));
    w.SetFontSize(14);
    if (!w.InsertText(heading))
        return false;
    w.Enter();
    w.InsertTable(rows + 3, 6);

    w.UnionCells(2);
    if (!w.DesignSelectionCells(-1, 10, 24))
        return false;
    w.DesignSelectionCells(-2, 10, 24);
    w.DesignSelectionCells(-4, 11, 24);
    w.DesignSelectionCells(-3, 1, 4);
    w.Move(QStringLiteral("right"));
    w.UnionCells(2);
    w.DesignSelectionCells(-1, 10, 24);
    w.DesignSelectionCells(-4, 11, 24);
    w.DesignSelectionCells(-3, 1, 4);
    w.Move(QStringLiteral("right"));
    w.UnionCells(2);
    w.DesignSelectionCells(-1, 10, 24);
    w.DesignSelectionCells(-4, 9, 24);
    w.DesignSelectionCells(-3, 1, 4);
    for (int i = 0; i < 3; ++i)
        w.Move(QStringLiteral("left"));
    for (int m = 0; m < 3; ++m) {
        if (m > 0)
            w.Move(QStringLiteral("right"));
        w.Bold(true);
        w.SetFontSize(14);
        w.InsertText(headers.at(m));
    }
    w.Move(QStringLiteral("down"));
    for (int i = 0; i < 5; ++i)
        w.Move(QStringLiteral("left"));

    for (int m = 1; m <= 3; ++m) {
        const QList<QStringList>& products = meals.at(m - 1).products;
        for (int k = 1; k <= rows; ++k) {
            if (!w.DesignSelectionCells(-1, 2, 4))
                return false;
            if (m == 1) {
                w.DesignSelectionCells(-2, 10, 24);
                w.DesignSelectionCells(-3, 2, 4);
                w.DesignSelectionCells(-4, 2, 4);
            } else {
                w.DesignSelectionCells(-4, 2, 4);
                w.DesignSelectionCells(-3, 2, 4);
            }
            w.MoveRightCell(1);
            w.DesignSelectionCells(-1, 2, 4);
            w.DesignSelectionCells(-4, m == 3 ? 9 : 11, 24);
            w.DesignSelectionCells(-3, 2, 4);
            w.MoveLeftCell(1);
            if (k <= products.size()) {
                w.SetAlign(QStringLiteral("Left"));
                if (!w.InsertText(products.at(k - 1).at(0)))
                    return false;
                w.Move(QStringLiteral("right"));
                w.SetAlign(QStringLiteral("Right"));
                w.InsertText(products.at(k - 1).at(1));
                w.Move(QStringLiteral("down"));
                w.Move(QStringLiteral("left"));
            } else {
                w.Move(QStringLiteral("down"));
            }
        }
        if (m < 3) {
            for (int k = 0; k < rows; ++k)
                w.Move(QStringLiteral("up"));
            w.MoveRightCell(2);
        } else {
            w.MoveLeftCell(4);
        }
    }

    const QStringList names = {QStringLiteral("Удельный вес обеда  "), QStringLiteral("Удельный вес ужина  "),
                               QStringLiteral("Удельный вес завтрака  ")};
    for (int m = 0; m < 3; ++m) {
        if (m > 0)
            w.MoveRightCell(1);
        w.UnionCells(2);
        if (m == 0)
            w.DesignSelectionCells(-2, 10, 24);
        w.DesignSelectionCells(-1, 11, 24);
        w.DesignSelectionCells(-4, m == 2 ? 9 : 11, 24);
        w.DesignSelectionCells(-3, 1, 4);
        w.SetFontSize(10);
        w.InsertText(names.at(m) + weights.at(m) + QStringLiteral(" гр"));
    }
    w.MoveRightCell(1);
    w.UnionCells(6);
    w.DesignSelectionCells(-2, 10, 24);
    w.DesignSelectionCells(-4, 9, 24);
    w.DesignSelectionCells(-3, 9, 24);
    w.Bold(true);
    w.SetFontSize(11);
    w.InsertText(QStringLiteral("Удельный вес рациона  ") + dayWeight + QStringLiteral(" гр"));
    w.Move(QStringLiteral("down"));
    w.Enter();
    return true;
}

// The call sequence of the title block that opens every document.
inline void writeTitle(clsRKWord& w, const QString& title, const QString& description)
{
    w.SetPole(2.0f, 1.5f, 1.5f, 1.5f);
    w.OpenTopTitule();
    w.Bold(true);
    w.Italic(false);
    w.SetAlign(QStringLiteral("Center"));
    w.SetFontSize(18);
    w.InsertText(title);
    w.Enter();
    w.SetFontSize(14);
    w.Bold(false);
    w.InsertText(description);
    w.CloseTitule();

    w.OpenBottomTitule();
    w.SetAlign(QStringLiteral("Right"));
    w.SetFontSize(11);
    w.Bold(true);
    w.Italic(true);
    w.InsertText(QStringLiteral("Product of R.K.Forge"));
    w.InsertCopyRigth();
    w.Enter();
    w.SetFontSize(10);
    w.Bold(false);
    w.Italic(false);
    w.InsertText(QStringLiteral("mailto:torbel@example.org"));
    w.Enter();
    w.InsertText(QStringLiteral("http://www.example.org/torbel/"));
    w.Enter();
    w.InsertText(QStringLiteral("07.06.2026"));
    w.Enter();
    w.InsertNumPage();
    w.CloseTitule();

    w.Enter();
    w.SetAlign(QStringLiteral("Center"));
    w.Bold(false);
    w.SetFontSize(14);
    w.Bold(false);
    w.Italic(false);
    w.InsertText(QStringLiteral("Поход с 7  июня  2026 по 11  июня  2026."));
    w.Enter();
    w.InsertText(QStringLiteral("Общая продолжительность: 5 дней(дня)."));
    w.Enter();
    w.InsertText(QStringLiteral("Количество участников:  6 человек(а)."));
    w.Enter();
    w.Enter();
}

// The call sequence of the purchase list table: grid rows of {name, amount, unit},
// the first being the header row of the window's grid.
inline bool writeList(clsRKWord& w, const QList<QStringList>& grid)
{
    w.InsertTable(qint32(grid.size()), 5);
    const QStringList header = {QStringLiteral("Наименование"), QStringLiteral("Количество"), QStringLiteral(" Ед. "),
                                QStringLiteral("Стоимость"), QStringLiteral("                           Для заметок ")};
    for (int c = 0; c < 5; ++c) {
        if (c > 0)
            w.Move(QStringLiteral("right"));
        w.SetFontSize(14);
        w.Bold(true);
        if (c != 2)
            w.SetAlign(QStringLiteral("Center"));
        if (!w.InsertText(header.at(c)) && c == 0)
            return false;
    }
    w.Move(QStringLiteral("down"));
    w.Move(QStringLiteral("left"));
    w.Move(QStringLiteral("left"));
    for (int i = 1; i < grid.size(); ++i) {
        const bool last = i == grid.size() - 1;
        w.Move(QStringLiteral("left"));
        w.Move(QStringLiteral("left"));
        for (int c = 0; c < 3; ++c) {
            w.SetFontSize(14);
            w.Bold(last);
            w.SetAlign(c == 0 ? QStringLiteral("Left") : QStringLiteral("Right"));
            if (!w.InsertText(grid.at(i).at(c)) && c == 0 && !last)
                return false;
            if (c < 2)
                w.Move(QStringLiteral("right"));
        }
        w.Move(QStringLiteral("down"));
    }
    return true;
}

} // namespace WriterSequences

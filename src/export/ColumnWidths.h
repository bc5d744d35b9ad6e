#pragma once

#include "export/WordDocument.h"

#include <QList>

// The one rule for the widths of a table's columns, shared by the .docx writer and the
// page renderer so that a document breaks its lines alike on paper and in a word
// processor. Widths are in twips.
namespace ColumnWidths {

constexpr int kCellMarginTwips = 108; // left and right padding of a cell
constexpr int kMinColumnTwips = 400;
// Kept free beside the table, half on each side, for its outer lines.
constexpr int kFrameTwips = 100;

// Width of a paragraph in points: whole, its longest word (a line breaks at blanks,
// also at those a paragraph starts with), and, for an amount, the whole amount again.
struct TextWidth
{
    double full = 0;
    double word = 0;
    double amount = 0; // 0: not an amount
};
TextWidth paragraphWidth(const WordParagraph& p);

// An amount is short and starts with a number ("2400 гр", "-3.5", "3 уп. по 500 гр"):
// its column keeps it on one line, a number parted from its unit reads wrong.
bool isAmount(QStringView text);

// Whether a line may end between a and b (before: the character before a, null at the
// start), as word processors break lines: after blanks, those a paragraph starts with
// too, and after a hyphen inside a word unless a digit follows. Elsewhere within a word
// only when the word alone is wider than the line.
bool mayBreak(QChar before, QChar a, QChar b);

// Columns as wide as their contents. On a text area too narrow for that (available
// twips; 0 means no limit), every column keeps room for its amounts and its longest
// word and the rest goes first to the columns that need little more to stay on one
// line; what is left is shared by the columns whose text wraps anyway. When not even
// the words fit, the amounts stay whole and the columns with the widest words give way
// down to an equal width, where those words break.
QList<int> compute(const WordTable& t, int available);

} // namespace ColumnWidths

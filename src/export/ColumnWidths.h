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

// Width of a paragraph in points, whole, and of its longest unbreakable run: a word,
// with the blanks the paragraph starts with (they cannot break).
struct TextWidth
{
    double full = 0;
    double word = 0;
};
TextWidth paragraphWidth(const WordParagraph& p);

// Columns as wide as their contents. On a text area too narrow for that (available
// twips; 0 means no limit), every column keeps room for its longest unbreakable run and
// the rest goes first to the columns that need little more to stay on one line; what
// is left is shared by the columns whose text wraps anyway.
QList<int> compute(const WordTable& t, int available);

} // namespace ColumnWidths

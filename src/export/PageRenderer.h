#pragma once

#include "export/WordDocument.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPagedPaintDevice;

// The second back end of the document model: the document laid out on pages and drawn
// with the toolkit's painter, for a PDF file or a printer. Lines break at blanks only,
// tables take their column widths from ColumnWidths like the .docx writer, a row splits
// only when it is taller than a page, a table kept together starts on a fresh page
// when it does not fit in what is left of one, and a heading goes along with its table. All geometry is in points from
// the page's top left corner.
namespace PageRenderer {

struct TextItem
{
    QPointF origin; // left end of the baseline
    QString text;
    WordCharFormat format;
    double width = 0;
};

// One stroke of a border line.
struct LineItem
{
    QPointF from, to;
    double thickness = 0.5;
    bool dotted = false;
    bool dashed = false;
};

struct Page
{
    QList<TextItem> texts;
    QList<LineItem> lines;
};

struct Layout
{
    QSizeF pageSize;
    QList<Page> pages; // header, body and footer, page fields filled in
};

Layout layout(const WordDocument& doc);

// Heights of a table's rows in the document's main text, and the height of its page's
// body: a row taller than that goes on over the pages.
QList<double> rowHeights(const WordDocument& doc, const WordTable& t, double* bodyHeight);

// Draws every page on a PDF writer or a printer, setting its page size and orientation;
// only the given page numbers (from 1, ascending) when there are any.
bool paint(const Layout& pages, QPagedPaintDevice& device, QString* error = nullptr, const QList<int>& only = {});
// The whole PDF file; empty, with error set, on failure.
QByteArray pdf(const WordDocument& doc, const QString& title, QString* error = nullptr);
// One page (0-based) as a white image at the given resolution.
QImage pageImage(const Layout& pages, int page, double dpi);

} // namespace PageRenderer

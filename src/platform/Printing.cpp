#include "platform/Printing.h"

#include <QBuffer>
#include <QPageRanges>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

QList<int> Printing::pageRange(int from, int to, int pageCount)
{
    QList<int> pages;
    for (int page = std::max(1, from); page <= std::min(to, pageCount); ++page)
        pages.append(page);
    return pages;
}

Printing::Result Printing::print(QWidget* parent, const QString& documentName, int pageCount, const Draw& draw,
                                 QString* error)
{
    const auto noPages = [error] {
        if (error)
            *error = QStringLiteral("в выбранном диапазоне нет страниц документа");
        return Result::Failed;
    };
    if (testMode()) {
        Log& log = testLog();
        log.calls.append(Asked{documentName, pageCount});
        Job& s = log.kept;
        const bool accept = s.accept;
        const int from = s.from, to = s.to;
        s.accept = false;
        s.from = s.to = 0;
        if (!accept)
            return Result::Cancelled;
        s.pages = from == 0 && to == 0 ? pageRange(1, pageCount, pageCount) : pageRange(from, to, pageCount);
        s.output.clear();
        if (s.pages.isEmpty())
            return noPages();
        QBuffer buffer(&s.output);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        return draw(writer, s.pages, error) ? Result::Printed : Result::Failed;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setFromTo(1, std::max(1, pageCount));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, std::max(1, pageCount));
    if (dialog.exec() != QDialog::Accepted)
        return Result::Cancelled;
    // The printer hands over every page it is given: the range is ours to honour.
    QList<int> pages;
    if (printer.printRange() == QPrinter::PageRange) {
        const QPageRanges ranges = printer.pageRanges();
        for (int page = 1; page <= pageCount; ++page) {
            if (ranges.contains(page))
                pages.append(page);
        }
    } else {
        pages = pageRange(1, pageCount, pageCount);
    }
    if (pages.isEmpty())
        return noPages();
    return draw(printer, pages, error) ? Result::Printed : Result::Failed;
}

Printing::Log& Printing::testLog()
{
    static Log s;
    return s;
}

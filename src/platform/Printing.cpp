#include "platform/Printing.h"

#include "platform/Headless.h"

#include <QBuffer>
#include <QPageRanges>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace {

struct State
{
    int recorders = 0;
    bool accept = false;
    int from = 0, to = 0; // 0: all pages
    int count = 0;
    int offered = 0;
    QList<int> pages;
    QString documentName;
    QByteArray output;
};

State& state()
{
    static State s;
    return s;
}

} // namespace

bool Printing::testMode()
{
    return state().recorders > 0 || Platform::headless();
}

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
        State& s = state();
        ++s.count;
        s.documentName = documentName;
        s.offered = pageCount;
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

Printing::Recorder::Recorder()
{
    State& s = state();
    if (s.recorders++ == 0) {
        s.accept = false;
        s.from = s.to = 0;
        s.count = 0;
        s.offered = 0;
        s.pages.clear();
        s.documentName.clear();
        s.output.clear();
    }
}

Printing::Recorder::~Recorder()
{
    --state().recorders;
}

void Printing::Recorder::setNextAnswer(bool accept)
{
    state().accept = accept;
}

void Printing::Recorder::setNextPages(int from, int to)
{
    state().from = from;
    state().to = to;
}

int Printing::Recorder::lastOffered() const
{
    return state().offered;
}

QList<int> Printing::Recorder::lastPages() const
{
    return state().pages;
}

int Printing::Recorder::count() const
{
    return state().count;
}

QString Printing::Recorder::lastDocumentName() const
{
    return state().documentName;
}

QByteArray Printing::Recorder::lastOutput() const
{
    return state().output;
}

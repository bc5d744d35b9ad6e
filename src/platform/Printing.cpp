#include "platform/Printing.h"

#include "platform/Headless.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

struct State
{
    int recorders = 0;
    bool accept = false;
    int count = 0;
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

Printing::Result Printing::print(QWidget* parent, const QString& documentName, const Draw& draw, QString* error)
{
    if (testMode()) {
        State& s = state();
        ++s.count;
        s.documentName = documentName;
        const bool accept = s.accept;
        s.accept = false;
        if (!accept)
            return Result::Cancelled;
        s.output.clear();
        QBuffer buffer(&s.output);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        return draw(writer, error) ? Result::Printed : Result::Failed;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    if (dialog.exec() != QDialog::Accepted)
        return Result::Cancelled;
    return draw(printer, error) ? Result::Printed : Result::Failed;
}

Printing::Recorder::Recorder()
{
    State& s = state();
    if (s.recorders++ == 0) {
        s.accept = false;
        s.count = 0;
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

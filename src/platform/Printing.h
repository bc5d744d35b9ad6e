#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

// The print dialog and the printer. print() asks the user; when the dialog is
// accepted, draw() paints the pages on the chosen printer.
//
// Test mode (a Printing::Recorder, or the offscreen/minimal platforms): no dialog is
// shown; the answer set with setNextAnswer() is taken (cancel unless set) and an
// accepted job is drawn into a PDF held for the test instead of a printer.
class Printing
{
public:
    enum class Result
    {
        Printed,
        Cancelled,
        Failed
    };
    using Draw = std::function<bool(QPagedPaintDevice& device, QString* error)>;

    static Result print(QWidget* parent, const QString& documentName, const Draw& draw, QString* error = nullptr);

    // ---- test side ----
    static bool testMode();

    class Recorder
    {
    public:
        Recorder();
        ~Recorder();
        Recorder(const Recorder&) = delete;
        Recorder& operator=(const Recorder&) = delete;

        void setNextAnswer(bool accept);
        int count() const; // dialogs asked
        QString lastDocumentName() const;
        QByteArray lastOutput() const; // the pages of the last accepted job, as a PDF
    };
};

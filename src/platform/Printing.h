#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

// The print dialog and the printer. print() asks the user, offering the pages 1 to
// pageCount; when the dialog is accepted, draw() paints the pages chosen there
// (numbers from 1, ascending) on the chosen printer.
//
// Test mode (a Printing::Recorder, or the offscreen/minimal platforms): no dialog is
// shown; the answer set with setNextAnswer() is taken (cancel unless set), with the
// pages set with setNextPages() (all unless set), and an accepted job is drawn into a
// PDF held for the test instead of a printer.
class Printing
{
public:
    enum class Result
    {
        Printed,
        Cancelled,
        Failed
    };
    using Draw = std::function<bool(QPagedPaintDevice& device, const QList<int>& pages, QString* error)>;

    static Result print(QWidget* parent, const QString& documentName, int pageCount, const Draw& draw,
                        QString* error = nullptr);

    // The pages from..to (from 1) of pageCount, those outside dropped; empty when none is left.
    static QList<int> pageRange(int from, int to, int pageCount);

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
        // The range chosen in the next dialog, as its page boxes hold it.
        void setNextPages(int from, int to);
        int count() const;            // dialogs asked
        int lastOffered() const;      // the last page the last dialog offered
        QList<int> lastPages() const; // the pages the last accepted job drew
        QString lastDocumentName() const;
        QByteArray lastOutput() const; // the pages of the last accepted job, as a PDF
    };
};

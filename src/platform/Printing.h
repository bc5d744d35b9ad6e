#pragma once

#include "platform/Recorder.h"

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
class Printing : public Platform::TestSide<Printing>
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
    // A dialog asked: the document's name and the last page offered.
    struct Asked
    {
        QString documentName;
        int offered = 0;
    };
    // The next dialog's answer as a test sets it, and what the last accepted job drew.
    struct Job
    {
        bool accept = false;
        int from = 0, to = 0; // 0: all pages
        QList<int> pages;
        QByteArray output;
    };
    using Log = Platform::TestLog<Asked, std::monostate, Job>;
    static Log& testLog();

    class Recorder;
};

class Printing::Recorder : public Platform::Recorder<Printing>
{
public:
    void setNextAnswer(bool accept) { m_log.kept.accept = accept; }
    // The range chosen in the next dialog, as its page boxes hold it.
    void setNextPages(int from, int to)
    {
        m_log.kept.from = from;
        m_log.kept.to = to;
    }
    // count() is the dialogs asked; the last one offered pages 1 to lastOffered(). The
    // pages the last accepted job drew, and the job as a PDF:
    int lastOffered() const { return last().offered; }
    QString lastDocumentName() const { return last().documentName; }
    QList<int> lastPages() const { return m_log.kept.pages; }
    QByteArray lastOutput() const { return m_log.kept.output; }
};

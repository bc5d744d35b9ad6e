#pragma once

#include "platform/Recorder.h"

#include <QString>

class QWidget;

// File open and save dialogs. The callers pass the program's own filter form,
// "Раскладка (*.trb) |*.trb|Все файлы | *.*" (description|pattern pairs); the
// dialogs turn it into Qt's form. A cancelled dialog returns an empty string.
//
// Test mode (as for MessageBox: a FileDialog::Recorder, setTestMode(true), or the
// offscreen/minimal platforms): no dialog is shown; the call is recorded and returns
// the next queued path; an empty queued path, or none queued, means cancel.
class FileDialog : public Platform::TestSide<FileDialog>
{
public:
    static QString getOpenFileName(QWidget* parent, const QString& title, const QString& filterVb,
                                   const QString& dir = QString());
    // Asks before overwriting an existing file. A name typed without an extension gets
    // the first pattern's extension (".trb" for the program's filter).
    static QString getSaveFileName(QWidget* parent, const QString& title, const QString& filterVb,
                                   const QString& dir = QString());

    // "Раскладка (*.trb) |*.trb|Все файлы | *.*" -> "Раскладка (*.trb);;Все файлы (*)".
    // Descriptions are trimmed and end with their patterns in parentheses (Qt reads the
    // patterns from there), replacing any the description already names. Patterns may be
    // separated by ';' or blanks; "*.*" becomes "*", which on Linux, as on Windows,
    // matches names without a dot too. Pairs without a pattern are dropped.
    static QString toQtFilter(const QString& filterVb);
    // The extension of the first pattern with one ("trb"), empty when there is none.
    static QString defaultSuffix(const QString& filterVb);

    // ---- test side ----
    enum Kind
    {
        Open,
        Save
    };
    struct Shown
    {
        Kind kind = Open;
        QString title;
        QString filter; // Qt form
        QString dir;
        QString result;
    };

    // Test mode, the paths queued (an empty one cancels), the dialogs shown:
    // Platform::TestSide.
    using Log = Platform::TestLog<Shown, QString>;
    using Answerer = Log::Answerer;
    static Log& testLog();
    static void setNextFileName(const QString& path) { setNextAnswer(path); }

    class Recorder;
};

class FileDialog::Recorder : public Platform::Recorder<FileDialog>
{
public:
    void setNextFileName(const QString& path) { setNextAnswer(path); }
};

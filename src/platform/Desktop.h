#pragma once

#include "platform/Recorder.h"

#include <QString>
#include <QStringList>
#include <QUrl>

// The desktop's services: its browser and mail handler (through URLs), the program
// associated with a file, and starting other programs. Each call returns whether it
// succeeded; none waits for the other program.
//
// Test mode (a Desktop::Recorder, setTestMode(true), or the offscreen/minimal
// platforms): nothing is opened or started; each call is recorded and returns the
// result set with setResult() (true unless set). findProgram() then finds only the
// names given to setProgramsOnPath() (none unless set).
class Desktop : public Platform::TestSide<Desktop>
{
public:
    static bool openUrl(const QUrl& url);
    static bool openFile(const QString& path);
    // Starts the program detached, with its own window.
    static bool startProgram(const QString& program, const QStringList& args = QStringList());
    // The full path of the first of the names that is an executable file on PATH;
    // empty when none is.
    static QString findProgram(const QStringList& names);
    // The same lookup over the given directories (what findProgram does with PATH).
    static QString findProgramIn(const QStringList& names, const QStringList& dirs);

    // ---- test side ----
    enum Kind
    {
        OpenUrl,
        OpenFile,
        StartProgram
    };
    struct Call
    {
        Kind kind = OpenUrl;
        QString target; // the URL (full encoded form), the file or the program
        QStringList args;
    };

    // What a test sets: the result of every call, the programs findProgram() finds.
    struct Setting
    {
        bool result = true;
        QStringList programsOnPath;
    };
    using Log = Platform::TestLog<Call, std::monostate, Setting>;
    static Log& testLog();

    static void setResult(bool ok) { testLog().kept.result = ok; }
    // Program names findProgram() finds in test mode, as "/usr/bin/<name>".
    static void setProgramsOnPath(const QStringList& names) { testLog().kept.programsOnPath = names; }
    static const QList<Call>& calls() { return testLog().calls; }

    class Recorder;
};

// clear() forgets the calls; the result is true again, no programs on PATH.
class Desktop::Recorder : public Platform::Recorder<Desktop>
{
public:
    void setResult(bool ok) { Desktop::setResult(ok); }
    void setProgramsOnPath(const QStringList& names) { Desktop::setProgramsOnPath(names); }
};

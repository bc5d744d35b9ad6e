#pragma once

#include "platform/Recorder.h"

#include <QString>

class QWidget;

// The program's help: the Russian user guide Torbel.html in the program's folder,
// shown in a help window of the program's own. A missing file gives a message.
//
// Test mode (a Help::Recorder, setTestMode(true), or the offscreen/minimal platforms):
// no window is shown; each request is counted. The missing-file message still goes
// through MessageBox, so tests see it there.
class Help : public Platform::TestSide<Help>
{
public:
    static constexpr const char* fileName = "Torbel.html";

    // The help file: beside the executable (a build tree), else in ../share/torbel (an
    // installed program); the one beside the executable when neither exists. A path set
    // for tests wins.
    static QString filePath();
    // The same search from a given program folder.
    static QString findFile(const QString& appDir);
    // Opens the help on its contents; false (after a message) when the file is missing.
    static bool showContents(QWidget* parent = nullptr);
    // Opens the help at a section of the guide (the id of its heading, "word").
    static bool showTopic(QWidget* parent, const QString& topic);

    // The program's help window (one for the whole run) showing the page at path; it is
    // what showContents opens outside test mode.
    static QWidget* openWindow(const QString& path);

    // ---- test side ----
    // The topic of every help request that found the file, in test mode (empty for the
    // contents); the file path a test set, which overrides filePath().
    using Log = Platform::TestLog<QString, std::monostate, QString>;
    static Log& testLog();

    // An empty path goes back to the one beside the executable.
    static void setFilePath(const QString& path) { testLog().kept = path; }
    static int shownCount() { return int(testLog().calls.size()); }
    static QString lastTopic() { return testLog().last(); }

    class Recorder;
};

class Help::Recorder : public Platform::Recorder<Help>
{
public:
    void setFilePath(const QString& path) { Help::setFilePath(path); }
    int shownCount() const { return count(); }
    QString lastTopic() const { return last(); }
};

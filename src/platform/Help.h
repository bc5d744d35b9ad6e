#pragma once

#include <QString>

class QWidget;

// The program's help: the Russian user guide Torbel.html in the program's folder,
// shown in a help window of the program's own. A missing file gives a message.
//
// Test mode (a Help::Recorder, setTestMode(true), or the offscreen/minimal platforms):
// no window is shown; each request is counted. The missing-file message still goes
// through MessageBox, so tests see it there.
class Help
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
    static void setTestMode(bool on);
    static bool testMode();
    // Overrides filePath(); an empty path goes back to the one beside the executable.
    static void setFilePath(const QString& path);
    // Help requests that found the file, in test mode, and the topic of the last one
    // (empty for the contents).
    static int shownCount();
    static QString lastTopic();
    static void clear();

    class Recorder
    {
    public:
        Recorder();
        ~Recorder();
        Recorder(const Recorder&) = delete;
        Recorder& operator=(const Recorder&) = delete;

        void setFilePath(const QString& path) { Help::setFilePath(path); }
        int shownCount() const { return Help::shownCount(); }
        QString lastTopic() const { return Help::lastTopic(); }

    private:
        bool m_previous;
    };
};

#pragma once

#include <QString>
#include <QStringList>

// What the window program checks before the toolkit opens its windows: without a
// display the toolkit would end the process with an abort and an English message.
namespace WindowStart {

// Whether an argument (without the program's name) is one of the toolkit's own window
// options ("-style fusion", "-reverse"); intValues is set to how many arguments after
// it are its value. These go to the toolkit, not to the program.
bool isToolkitOption(const QString& strArgument, int& intValues);

// Whether the toolkit will find a display: the platform asked for by "-platform" or
// QT_QPA_PLATFORM, else an X11 or Wayland session (DISPLAY or WAYLAND_DISPLAY). A
// platform of its own (offscreen, a frame buffer) needs no display server.
bool displayExpected(const QStringList& arguments);

// The message for a start without a display, ending with a line end.
QString noDisplayText();

// While alive, a toolkit that cannot open its display ends the process with
// noDisplayText() and exit code 1 instead of its abort; its warnings meanwhile are
// held back and passed on only when the start succeeds.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

} // namespace WindowStart

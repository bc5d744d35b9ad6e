#pragma once

#include <QByteArray>

// A file the program makes for a moment: the temporary file of a save. While a
// Leftover holds its name, Ctrl+C, SIGTERM and SIGHUP remove the file before the process
// ends as the signal would end it. The handler does no more than unlink() names copied
// here beforehand, which is all a signal handler may safely do. A signal the process
// was started to ignore stays ignored.
class Leftover
{
public:
    // Holds the native path. Not valid when too many names are held at once or the path
    // is too long; path() still works then, but a signal leaves the file.
    explicit Leftover(const QByteArray& path);
    // Forgets the name; the file itself stays.
    ~Leftover();
    Leftover(const Leftover&) = delete;
    Leftover& operator=(const Leftover&) = delete;

    bool isValid() const { return m_intSlot >= 0; }
    // The held name, to be filled in place (mkostemp() replaces its XXXXXX): the handler
    // then removes the very file that was made.
    char* path();

private:
    int m_intSlot = -1;
    QByteArray m_own; // the name when no slot holds it
};

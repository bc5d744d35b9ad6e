#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Every file the program writes goes through here: the bytes go to a temporary file
// beside the target, are flushed and checked, and only then renamed over it. On any
// failure the target is exactly as it was and strError holds the reason in Russian.
//
// The temporary file has no name while it is written where the file system allows
// (O_TMPFILE); elsewhere (network shares) it is ".NAME.torbel-HOST-PID-XXXXXX". Ctrl+C,
// SIGTERM and SIGHUP remove it (platform/Leftover), and one left by a killed process is
// removed by the next write into the same folder.
//
// For the tests of interrupted saves the environment variable TORBEL_TEST_SAVE holds
// words separated by commas: "stop" stops the process (SIGSTOP) when the temporary file
// is whole and named, just before it takes the target's place; "named" does without
// O_TMPFILE, as on a network share.
namespace AtomicFile {

// Whether strPath may be replaced: a regular file that is not read-only, a symlink to
// such a file (written through), or a free name. A folder, a FIFO, a device node or a
// read-only file is refused, and strError says why in Russian.
bool checkTarget(const QString& strPath, QString& strError);

// checkTarget(), then the bytes whole or not at all. A replaced file keeps its
// permissions; a new one gets those the umask allows.
bool write(const QString& strPath, const QByteArray& bytes, QString& strError);

// A new file only: refused when strPath exists (strError empty then, so a caller can
// try another name). The file gets its name only when whole, and never replaces one
// that appeared meanwhile.
bool writeNew(const QString& strPath, const QByteArray& bytes, QString& strError);

// The core of both: every byte to the device, then out of its buffer. A device may
// take a write and fail only when its buffer goes out, so the flush is checked too.
bool writeOut(QIODevice& device, const QByteArray& bytes, QString& strError);

// Whether two paths name the same existing file (through symlinks and hard links).
bool sameFile(const QString& strPath1, const QString& strPath2);

} // namespace AtomicFile

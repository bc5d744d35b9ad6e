#pragma once

#include <QString>

class QFile;

// Opening a file the user named for reading: only a regular file (or a symlink to
// one) is opened. A FIFO would block the open and a device would never end, so they
// are refused before a byte is read.
namespace RegularFile {

// Opens file (not yet open) on strPath for reading; false with the reason in strError.
bool openForReading(QFile& file, const QString& strPath, QString& strError);

} // namespace RegularFile

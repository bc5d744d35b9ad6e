#pragma once

#include <QByteArray>
#include <QString>

// Every file the program writes goes through here: the bytes go to a temporary file
// beside the target, are flushed and checked, and only then renamed over it. On any
// failure the target is exactly as it was and strError holds the system's reason.
namespace AtomicFile {

bool write(const QString& strPath, const QByteArray& bytes, QString& strError);

} // namespace AtomicFile

#include "platform/AtomicFile.h"

#include <QSaveFile>

namespace AtomicFile {

bool write(const QString& strPath, const QByteArray& bytes, QString& strError)
{
    QSaveFile file(strPath);
    // QSaveFile buffers small files: a write can succeed and only the flush fail, so the
    // flush is checked before the rename.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        strError = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        strError = file.errorString();
        return false;
    }
    return true;
}

} // namespace AtomicFile

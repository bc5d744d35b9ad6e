#include "support/TestSupport.h"

#include <QFile>

namespace TestSupport {

QString dataPath(const QString& name)
{
    return QStringLiteral(TORBEL_TEST_DATA_DIR "/") + name;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace TestSupport

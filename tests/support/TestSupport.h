#pragma once

#include <QByteArray>
#include <QString>

// Helpers shared by the test suites.
namespace TestSupport {

// A file under tests/data.
QString dataPath(const QString& name);

// A file's bytes; "<unreadable>" when it cannot be read, which no file written equals.
QByteArray readBytes(const QString& path);
// Writes the bytes whole; false when that fails.
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace TestSupport

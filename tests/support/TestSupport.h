#pragma once

#include <QString>

// Helpers shared by the test suites.
namespace TestSupport {

// A file under tests/data.
QString dataPath(const QString& name);

} // namespace TestSupport

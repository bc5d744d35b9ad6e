#pragma once

#include <QString>

namespace Units {

// A product counts towards weights only when its unit is one of the gram words,
// exactly: case and blanks matter.
bool isGramUnit(const QString& strEdin);

} // namespace Units

#pragma once

#include <QString>
#include <QtGlobal>

// How weights are shown: per person, and as the number text of the weight labels.
namespace Weights {

// A group weight divided by the participants in floating point, rounded to a whole
// number with ties to the even one. No participants give 0.
qint64 perPerson(qint64 intGroupVes, qint16 intCountPeople);

// Decimal text with one leading blank for zero and positive numbers, a minus sign in
// that place for negative ones: " 500", "-3".
QString numberText(qint64 value);

} // namespace Weights

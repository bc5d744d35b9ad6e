#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// The checks a trip passes before its layout is built: the layout button of the main
// window and the command line both ask here, so both refuse the same trips with the
// same words.
namespace TripCheck {

// Which main-window field the failure points at.
enum class Field
{
    None,
    DataBegin,
    CountPeople,
    CountSmena
};

struct Result
{
    Field field = Field::None;
    QString strMessage;     // empty when the trip passes
    qint16 intCountDay = 0; // the trip's days when it passes, 1..51

    bool ok() const { return field == Field::None; }
};

// Checks in this order, stopping at the first failure: the dates (at most 50 days
// apart, not reversed), 1..30 participants, at least one duty shift.
Result check(const QDate& dtDataBegin, const QDate& dtDataEnd, qint16 intCountPeople, qint16 intCountSmena);

} // namespace TripCheck

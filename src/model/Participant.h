#pragma once

#include <QString>
#include <QtGlobal>

// One participant of the trip as the carry split sees them.
struct Participant
{
    QString strName;       // "Участник N" by default
    qint32 intShare = 100; // carry share in hundredths, 10..300

    bool operator==(const Participant&) const = default;
};

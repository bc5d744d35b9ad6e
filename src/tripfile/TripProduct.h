#pragma once

#include <QString>
#include <QtGlobal>

// One catalog product as a trip file holds it.
struct TripProduct
{
    QString strName;
    qint16 intNorma = 0; // already converted from the file's norm text, never negative
    QString strEdin;

    bool operator==(const TripProduct&) const = default;
};

#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// The trip's parameters and description, as the trip file holds them: one value that
// the open trip and a trip read from a file share, so that it goes from one to the
// other whole, not field by field.
struct TripSettings
{
    QString strDeffine; // line breaks as "\n"
    QDate dtDataBegin;
    QDate dtDataEnd;
    qint16 intCountDay = 0;
    qint16 intCountPeople = 0;
    qint16 intCountSmena = 0;
    qint16 intPeriod = 1;
    qint16 intRaskladBegin = 0;
    qint16 intRaskladEnd = 0;
    bool blnDataBegin = false;
    bool blnDataEnd = false;

    bool operator==(const TripSettings&) const = default;
};

#pragma once

#include "model/Participant.h"
#include "model/clsCatalog.h"
#include "tripfile/TripMenu.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

// Everything a trip file holds, as a plain value with no tie to the open trip, so a
// file can be read and checked whole before anything of the trip is touched.
struct TripData
{
    QString strTitle;   // the file's first line; never applied to the trip
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
    // The products with their facts, read straight into a catalog so that opening a
    // trip hands it over whole instead of adding its products one by one.
    clsCatalog catalog;
    QList<TripMenu> menus; // at most intPeriod; the daily menus past the end are empty
    // The optional trailing sections: energy aim (the facts are the products'), then the
    // participants (empty, or intCountPeople of them).
    qint32 intEnergyAim = 0;
    QList<Participant> participants;

    bool operator==(const TripData&) const = default;
};

#pragma once

#include "model/Participant.h"
#include "model/TripSettings.h"
#include "model/clsCatalog.h"
#include "tripfile/TripMenu.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

// Everything a trip file holds, as a plain value with no tie to the open trip, so a
// file can be read and checked whole before anything of the trip is touched.
struct TripData : TripSettings
{
    QString strTitle; // the file's first line; never applied to the trip
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

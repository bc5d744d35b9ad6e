#pragma once

#include "tripfile/TripData.h"

#include <QString>

// What a new trip starts from: nothing, or the catalog (and perhaps the daily menus) of
// another trip. Everything else is as at start-up, so the user enters the dates, the
// group and the description afresh.
namespace TripTemplate {

// The sample trip that comes with the program: beside the executable, else in
// ../share/torbel, as the help and the reference of foods are found.
QString samplePath();

// A new trip: start-up dates, no participants, shifts or description, one empty daily
// menu. With a source, its catalog with every product's values, and with blnMenus its
// daily menus too (the menus refer to the catalog by position, so they come only with it).
TripData make(const TripData* source = nullptr, bool blnMenus = false);

} // namespace TripTemplate

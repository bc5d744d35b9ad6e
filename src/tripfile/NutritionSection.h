#pragma once

#include "tripfile/TripData.h"

#include <QByteArray>
#include <QString>

class LineReader;
struct GlobalVariable;

// The trip file's section of the energy aim and the product facts, after the ration:
//
//   Пищевая ценность и закупка
//   3500,"Калорий в сутки на участника"
//   2,"Размер каталога"
//   № 1;343;13.3;3.4;71.5;;900;120
//   № 2;;;;;2;25;89.9
//   _____________________________
//
// A trip with no aim and no facts has no section, so its file is as it always was.
namespace NutritionSection {

// "Пищевая ценность и закупка"
QString marker();
// Its line as the file holds it, CR LF included.
const QByteArray& markerLine();

// Whether the trip value has the section: an aim, or facts.
bool present(const TripData& data);

// The aim in range, every product's values in their ranges, no grams per unit for a
// product measured in grams. strError names what is wrong, in Russian.
bool check(const TripData& data, QString& strError);

// Appends the section to the file's bytes: marker and separator included, every line
// ending with CR LF.
void write(const TripData& data, QByteArray& out);

// Reads the section from its marker line on, into data (whose products are read). Only
// what write() would write is taken: every number in its shortest form, every line
// ending with CR LF, and a section with an aim or values.
void read(LineReader& in, TripData& data);

// The open trip's aim into a trip value whose catalog is the trip's, dropping the
// weight of a unit from a product now measured in grams.
void fromState(const GlobalVariable& g, TripData& data);

} // namespace NutritionSection

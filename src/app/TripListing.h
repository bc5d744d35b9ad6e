#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

struct GlobalVariable;

// The layout window's grids and weights as rows of cells, for the command line. Each
// function reads a trip whose layout is built (objRasklad for days 1..intCountDay) and
// may throw the model's errors (OverflowError, OutOfRangeError).
namespace TripListing {

// The purchase list grid below its header, as the report mode shows it.
QList<QStringList> purchases(const GlobalVariable& g, bool blnViewAll, qint16 intSmen);

// Every trip day, meal and grid row of the layout mode: day, date, duty shift, daily
// menu, meal label, then the grid's name, group amount and unit.
QList<QStringList> layout(const GlobalVariable& g);

// Every trip day: day, date, per-person weights of lunch, dinner, breakfast and the
// whole day; then "total" and the trip's group weight in grams.
QList<QStringList> weights(const GlobalVariable& g);

// toTsv(purchases(...)) without the grid in between: the command line's list of a
// full catalog.
QByteArray purchasesTsv(const GlobalVariable& g, bool blnViewAll, qint16 intSmen);

// Cells joined by TAB, one row a line, each line ending in LF, in UTF-8. A TAB, CR or
// LF inside a cell becomes a blank, any other control character U+FFFD.
QByteArray toTsv(const QList<QStringList>& rows);

} // namespace TripListing

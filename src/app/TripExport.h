#pragma once

#include <QString>
#include <QtGlobal>

struct GlobalVariable;

// The two documents of the layout window, written to a named file without a window,
// a message box or the word processor: what "torbel --export" does.
namespace TripExport {

enum class Document
{
    Layout,    // the whole layout or the days of one duty shift
    Purchases, // the purchase list of the whole trip or of one duty shift
    Shopping,  // the same in whole packages, with the cost
    Carry      // the carry split of the whole trip
};

// Writes the document for all trip days (blnViewAll) or for the days of shift intSmen
// to strPath, replacing the file. The trip's layout must be built. On failure returns
// false with the program's Russian message in strMessage (a write failure adds a line
// with its reason); no file is left half written. Refuses the trip file itself
// (g.strFileName) and any target AtomicFile::checkTarget refuses.
bool write(GlobalVariable& g, Document doc, bool blnViewAll, qint16 intSmen, const QString& strPath,
           QString& strMessage);

} // namespace TripExport

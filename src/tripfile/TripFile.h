#pragma once

#include "tripfile/TripData.h"

#include <QByteArray>
#include <QString>

struct GlobalVariable;

// The .trb trip file: Windows-1251 text with CR LF line ends, read and written by line
// position. Nothing here throws and nothing here shows a window; every function that can
// fail returns false and an explanatory text.
namespace TripFile {

// The message boxes the main window shows for file errors, all with the title errorTitle().
QString errorTitle(); // "Ошибка!"
QString readErrorText(); // "Ошибка чтения файла! Возможно неверный формат данных."
QString writeErrorText(const QString& strPath); // "Ошибка записи файла  " + path + "!"

// The largest file the reader accepts; a real trip file is far smaller.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// Parses a whole trip file. On any fault returns false, leaves data as it was and puts
// into strError what was wrong and on which line (for diagnostics; the user is shown
// readErrorText()).
bool read(const QByteArray& bytes, TripData& data, QString& strError);
bool readFile(const QString& strPath, TripData& data, QString& strError);

// Whether a trip value is consistent enough to be applied or written: periodicity at
// least 1, no negative counts, no more daily menus than the periodicity, every
// meal position inside the catalog, valid dates with four-digit years. strError says
// what is wrong, in Russian.
bool check(const TripData& data, QString& strError);
// The same but for the energy aim and the facts: the reader checks those value by value
// as it reads them, and a full catalog is not gone over twice.
bool checkWithoutFacts(const TripData& data, QString& strError);

// Writes a trip value into the open trip: every value the file holds; the catalog takes
// the value's products and the ration is emptied and refilled, leaving exactly
// intPeriod daily menus (both stay the same objects). The title, strFileName,
// blnChanged and the layout are not touched. Refuses a value that check() refuses,
// changing nothing.
bool apply(const TripData& data, GlobalVariable& g, QString& strError);
// The same, taking the catalog over from data instead of copying it (data is left
// without it when this succeeds).
bool apply(TripData&& data, GlobalVariable& g, QString& strError);

// The open trip as a trip value, ready to be written.
TripData fromState(const GlobalVariable& g);

// The file's bytes. Refuses, with a Russian message naming the field, a value check()
// refuses, text that Windows-1251 cannot hold, and line breaks in a product's name or
// unit (they would move every later line).
bool write(const TripData& data, QByteArray& bytes, QString& strError);

// What the main window calls. load() reads the whole file and applies it only when all of
// it is good; on failure the trip is exactly as it was and strMessage is readErrorText().
// save() writes the trip atomically: on failure the file on disk is as it was and
// strMessage is either a refusal naming the field or writeErrorText(strPath). Neither
// touches strFileName or blnChanged; the caller clears blnChanged after a good save, and
// calls neither without a path (a new trip with no file chosen saves nothing).
// strDetail, when given, gets what was wrong and where (the command line shows it).
bool load(GlobalVariable& g, const QString& strPath, QString& strMessage, QString* strDetail = nullptr);
bool save(const GlobalVariable& g, const QString& strPath, QString& strMessage);

} // namespace TripFile

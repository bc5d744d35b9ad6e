#pragma once

#include "app/TripExport.h"

#include <QString>
#include <QStringList>

class QIODevice;

// The program without windows: lists and documents of a trip file for scripts.
//
//   torbel --list purchases|layout|weights|nutrition|shopping TRIP.trb [--shift N]
//   torbel --export layout|purchases|shopping TRIP.trb --output OUT.docx|OUT.pdf [--shift N]
//   torbel --list carry TRIP.trb | --export carry TRIP.trb --output OUT.docx|OUT.pdf
//   torbel --help | --version
//
// The trip is read and checked as the main window reads and checks it before the
// layout. Output is UTF-8 with LF line ends. Nothing here shows a window or a message
// box.
namespace CommandLine {

enum ExitCode
{
    ExitOk = 0,
    ExitFailure = 1, // the trip could not be read, was refused, or the output failed
    ExitUsage = 2    // the command line itself is wrong
};

// Whether the arguments (without the program's name) ask for the command line rather
// than the windows: any option but the toolkit's own window options ("-style fusion",
// see WindowStart). An option nobody knows ("-x", "-list") is the command line's usage
// error, never a trip file for the windows.
bool wanted(const QStringList& arguments);

// Whether the arguments are a well-formed --export command. Documents are written by
// the program's windows part (see WindowsPart), everything else of the command line
// needs no more than QtCore.
bool exports(const QStringList& arguments);

// The help text: one line per form of the command.
QString usage();

// What writes the document of --export; TripExport::write, or nothing in a process
// that has no documents (exports() tells it to go elsewhere first).
using Exporter = bool (*)(GlobalVariable& g, TripExport::Document doc, bool blnViewAll, qint16 intSmen,
                          const QString& strPath, QString& strMessage);

// Runs the command given by the arguments (without the program's name). Lists go to
// out, messages to err; the result is an ExitCode.
int run(const QStringList& arguments, QIODevice& out, QIODevice& err, Exporter exporter = &TripExport::write);

// The same for a process that has nothing else to do: it ends here with the exit code
// (out and err written through), leaving the trip it read to the end of the process.
[[noreturn]] void runAndExit(const QStringList& arguments, QIODevice& out, QIODevice& err, Exporter exporter);

} // namespace CommandLine

#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// The program without windows: lists and documents of a trip file for scripts.
//
//   torbel --list purchases|layout|weights TRIP.trb [--shift N]
//   torbel --export layout|purchases TRIP.trb --output OUT.docx [--shift N]
//   torbel --list carry TRIP.trb | --export carry TRIP.trb --output OUT.docx
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
// than the windows: any argument that starts with "--", or "-h". The windows take no
// option of their own but the toolkit's single-dash ones ("-style fusion").
bool wanted(const QStringList& arguments);

// The help text: one line per form of the command.
QString usage();

// Runs the command given by the arguments (without the program's name). Lists go to
// out, messages to err; the result is an ExitCode.
int run(const QStringList& arguments, QIODevice& out, QIODevice& err);

} // namespace CommandLine

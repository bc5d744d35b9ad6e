#pragma once

#include <QString>
#include <QStringList>

// The windows and the documents (.docx through libzip, PDF through the toolkit's fonts)
// need the GUI libraries; the command line's lists, --help and --version do not. So the
// program's executable links QtCore only and loads the rest, a module of its own, just
// when the command asks for it: a list starts as fast as QtCore allows.
namespace WindowsPart {

// The module's file name.
inline constexpr char ModuleName[] = "torbel-windows.so";

// The one function the module exports: int torbel_run(int argc, char* argv[]), which
// runs main() below.
inline constexpr char EntryName[] = "torbel_run";

// Where the module is looked for, in this order, for the executable at strExe (its real
// path): beside it (the build tree), then in the library folder the install gives it
// (../lib/<multiarch>/torbel from /usr/bin).
QStringList moduleCandidates(const QString& strExe);

// Loads the module and returns what its entry returns for these arguments. When the
// module cannot be loaded, says so in Russian on stderr and returns 1.
int load(int argc, char* argv[]);

// What the module runs: the windows (and in them the trip named by the arguments), or
// --export with no window at all.
int main(int argc, char* argv[]);

// Whether the command writes a PDF (--output names a .pdf file): its pages are drawn
// with the toolkit's fonts, which need a GUI application, though no display.
bool drawsPages(const QStringList& arguments);

} // namespace WindowsPart

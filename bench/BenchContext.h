#pragma once

#include "BenchTable.h"

#include <QString>

// One frame: every window action on either trip, and every new window's and list's too.
constexpr double FrameBudgetMs = 16;
// Whole processes against their yardsticks, side by side: start-up to the first painted
// main window against a minimal window, a command-line list against iconv.
constexpr double StartupFactor = 1.5;
constexpr double CommandLineFactor = 2;

// What every part of the benchmark shares: where the trip files are, how often each
// action runs, and the table the results go to.
struct BenchContext
{
    QString strDir;           // a scratch folder, removed at the end
    QString strRealisticFile; // the realistic trip as a .trb file
    QString strLargeFile;     // the large trip as a .trb file
    int intRepeats = 15;      // runs of each action
    QString strTrip;          // the window actions of this trip alone ("large"); empty: both
    BenchTable table;
};

// Google Benchmark: the model, the trip file and the documents.
void runCoreBenchmarks(BenchContext& ctx, int& argc, char** argv);
// The windows' actions, offscreen, timed around the real handlers and the repaint they cause.
void runWindowBenchmarks(BenchContext& ctx);
// Whole processes side by side: start-up against a minimal window, the command line
// against iconv, the layout's PDF against LibreOffice converting its .docx.
void runProcessBenchmarks(BenchContext& ctx);
// The carry split on both trips, and how close each comes to its lower bound.
void runCarryBenchmarks(BenchContext& ctx);

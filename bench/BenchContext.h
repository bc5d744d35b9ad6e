#pragma once

#include "BenchTable.h"

#include <QString>

// What every part of the benchmark shares: where the trip files are, how often each
// action runs, and the table the results go to.
struct BenchContext
{
    QString strDir;           // a scratch folder, removed at the end
    QString strRealisticFile; // the realistic trip as a .trb file
    QString strLargeFile;     // the large trip as a .trb file
    int intRepeats = 15;      // runs of each action
    BenchTable table;
};

// Google Benchmark: the model, the trip file and the documents.
void runCoreBenchmarks(BenchContext& ctx, int& argc, char** argv);
// The windows' actions, offscreen, timed around the real handlers and the repaint they cause.
void runWindowBenchmarks(BenchContext& ctx);
// Whole processes side by side: start-up against a minimal window, the command line
// against iconv.
void runProcessBenchmarks(BenchContext& ctx);
// The carry split on both trips, and how close each comes to its lower bound.
void runCarryBenchmarks(BenchContext& ctx);

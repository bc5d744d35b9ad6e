// Timings of the program's actions against their budgets, printed as one table.
//
//   torbel_bench [--repeats N] [--only core|windows|processes] [--trip realistic|large]
//                [--trips DIR] [Google Benchmark options]
//
// --trip NAME times the window actions of that trip alone (for profiling by hand).
// --trips DIR keeps the generated trip files in DIR (for profiling by hand).
// Exits 1 when an action is over its budget or failed to run.
#include "BenchContext.h"
#include "BenchTrip.h"
#include "platform/HugeHeap.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char* argv[])
{
    // The heap as the program sets it up, so that its actions meet the same memory.
    HugeHeap::prefer();
    // Offscreen unless told otherwise: no display is needed and none is touched.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    BenchContext ctx;
    QString strOnly;
    QString strTrips;
    // Our own options come out; the rest is for Google Benchmark.
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--repeats") && i + 1 < argc)
            ctx.intRepeats = qMax(1, QByteArray(argv[++i]).toInt());
        else if (!std::strcmp(argv[i], "--only") && i + 1 < argc)
            strOnly = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--trip") && i + 1 < argc)
            ctx.strTrip = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--trips") && i + 1 < argc)
            strTrips = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    rest.push_back(nullptr);

    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fputs("torbel_bench: no scratch folder\n", stderr);
        return 2;
    }
    ctx.strDir = dir.path();
    std::fputs("Making the trips...\n", stderr);
    const QString strTripDir = strTrips.isEmpty() ? ctx.strDir : strTrips;
    QDir().mkpath(strTripDir);
    ctx.strRealisticFile = BenchTrip::writeFile(BenchTrip::realistic(), strTripDir);
    ctx.strLargeFile = BenchTrip::writeFile(BenchTrip::large(), strTripDir);
    if (ctx.strRealisticFile.isEmpty() || ctx.strLargeFile.isEmpty()) {
        std::fputs("torbel_bench: the trip files could not be written\n", stderr);
        return 2;
    }

    auto wanted = [&strOnly](const char* part) { return strOnly.isEmpty() || strOnly == QLatin1String(part); };
    if (wanted("core")) {
        std::fputs("Model, trip file and documents...\n", stderr);
        ctx.table.section(QStringLiteral("model, trip file, documents (Google Benchmark, processor time)"));
        runCoreBenchmarks(ctx, restCount, rest.data());
        runCarryBenchmarks(ctx);
    }
    if (wanted("windows")) {
        std::fputs("Window actions...\n", stderr);
        runWindowBenchmarks(ctx);
    }
    if (wanted("processes")) {
        std::fputs("Whole processes...\n", stderr);
        ctx.table.section(QStringLiteral("whole processes, side by side"));
        runProcessBenchmarks(ctx);
    }

    std::fputs(ctx.table.text().toUtf8().constData(), stdout);
    std::fflush(stdout);
    return ctx.table.overCount() > 0 ? 1 : 0;
}

#include "BenchContext.h"
#include "BenchTrip.h"

#include "app/NutritionListing.h"
#include "export/TripDocuments.h"
#include "export/clsRKWord.h"
#include "model/CarryPlan.h"
#include "model/CatalogText.h"
#include "model/GlobalVariable.h"
#include "model/NameOrder.h"
#include "model/PurchaseList.h"
#include "platform/AtomicFile.h"
#include "tripfile/RecoveryCopy.h"
#include "tripfile/TripFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <tuple>

namespace {

constexpr double DocumentBudgetMs = 200;
constexpr double FileFactor = 3;

// Each repetition is one run of the action, so the worst is the worst single run.
struct BenchEntry
{
    BenchEntry(const QString& name, double budget = -1, const QString& baseline = QString(), int repeats = 0)
        : strName(name)
        , dBudget(budget)
        , strBaseline(baseline)
        , intRepeats(repeats)
    {
    }

    QString strName;
    double dBudget;
    QString strBaseline; // the budget is FileFactor times this row's median
    int intRepeats;      // 0: the context's
};

// Collects the single runs of every repetition; the console stays quiet.
class Collector : public benchmark::BenchmarkReporter
{
public:
    QHash<QString, QList<double>> times;
    QHash<QString, QString> errors;

    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration)
                continue;
            const QString name = QString::fromStdString(r.run_name.function_name);
            if (r.error_occurred) {
                errors.insert(name, QString::fromStdString(r.error_message));
                continue;
            }
            // Processor time: what the code itself costs, steady on a machine shared with
            // other work (the windows and the processes are timed by the clock).
            if (r.iterations > 0)
                times[name].append(r.cpu_accumulated_time * 1000.0 / double(r.iterations));
        }
    }
};

struct Trips
{
    GlobalVariable realistic;
    GlobalVariable large;
    QString largeText;

    Trips()
    {
        InitGlobalVariable(realistic);
        InitGlobalVariable(large);
        BenchTrip::fill(realistic, BenchTrip::realistic());
        BenchTrip::fill(large, BenchTrip::large());
    }
};

void registerOne(QList<BenchEntry>& entries, const BenchEntry& entry, int intRepeats,
                 std::function<void(benchmark::State&)> fn)
{
    entries.append(entry);
    benchmark::RegisterBenchmark(entry.strName.toStdString().c_str(), std::move(fn))
        ->Iterations(1)
        ->Repetitions(entry.intRepeats > 0 ? entry.intRepeats : intRepeats)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

void runCoreBenchmarks(BenchContext& ctx, int& argc, char** argv)
{
    auto trips = std::make_shared<Trips>();
    {
        QFile f(ctx.strLargeFile);
        if (f.open(QIODevice::ReadOnly)) {
            QStringDecoder decoder("windows-1251");
            trips->largeText = decoder(f.readAll());
        }
    }
    const int n = ctx.intRepeats;
    QList<BenchEntry> entries;

    // ---- the trip file ----
    // The yardsticks of the trip file: the file's bytes read and decoded, the file's text
    // encoded and written as a save writes it, nothing else. Load and save do the same
    // file work and also read or write the trip; each may take 3 times its yardstick.
    const QString decodeName = QStringLiteral("trip file: read the large file, decode cp1251");
    const QString encodeName = QStringLiteral("trip file: encode cp1251, write the large file");
    const QString strLarge = ctx.strLargeFile;
    registerOne(entries, {decodeName}, n, [strLarge](benchmark::State& st) {
        for (auto _ : st) {
            QFile f(strLarge);
            if (!f.open(QIODevice::ReadOnly))
                st.SkipWithError("the file does not open");
            QStringDecoder decoder("windows-1251");
            QString s = decoder(f.readAll());
            benchmark::DoNotOptimize(s);
        }
    });
    const QString encodedPath = QDir(ctx.strDir).filePath(QStringLiteral("encoded-large.trb"));
    registerOne(entries, {encodeName}, n, [trips, encodedPath](benchmark::State& st) {
        for (auto _ : st) {
            QStringEncoder encoder("windows-1251");
            const QByteArray b = encoder(trips->largeText);
            QSaveFile f(encodedPath);
            if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size() || !f.commit())
                st.SkipWithError("the file was not written");
        }
    });
    auto loadBench = [](const QString& path) {
        return [path](benchmark::State& st) {
            GlobalVariable g;
            InitGlobalVariable(g);
            for (auto _ : st) {
                QString strMessage;
                if (!TripFile::load(g, path, strMessage))
                    st.SkipWithError(strMessage.toStdString().c_str());
            }
        };
    };
    auto saveBench = [](GlobalVariable& g, const QString& path) {
        return [&g, path](benchmark::State& st) {
            for (auto _ : st) {
                QString strMessage;
                if (!TripFile::save(g, path, strMessage))
                    st.SkipWithError(strMessage.toStdString().c_str());
            }
        };
    };
    registerOne(entries, {QStringLiteral("trip file: load (large)"), -1, decodeName}, n, loadBench(ctx.strLargeFile));
    registerOne(entries, {QStringLiteral("trip file: save (large)"), -1, encodeName}, n,
                saveBench(trips->large, QDir(ctx.strDir).filePath(QStringLiteral("saved-large.trb"))));
    registerOne(entries, {QStringLiteral("trip file: load (realistic)")}, n, loadBench(ctx.strRealisticFile));
    registerOne(entries, {QStringLiteral("trip file: save (realistic)")}, n,
                saveBench(trips->realistic, QDir(ctx.strDir).filePath(QStringLiteral("saved-realistic.trb"))));

    // ---- the recovery copy ----
    // The window's share of a copy is making the trip's bytes (the copy's own thread
    // writes them): one frame at most. The whole write, as a save of the same bytes.
    const QString recoveryDir = QDir(ctx.strDir).filePath(QStringLiteral("state"));
    registerOne(entries, {QStringLiteral("recovery copy: window thread's share (large)"), FrameBudgetMs}, n,
                [trips, recoveryDir](benchmark::State& st) {
                    RecoveryCopy copy(trips->large, recoveryDir);
                    for (auto _ : st) {
                        copy.noteChanged();
                        if (!copy.flush())
                            st.SkipWithError(copy.lastError().toStdString().c_str());
                    }
                    copy.forget();
                });
    registerOne(entries, {QStringLiteral("recovery copy: bytes and write (large)"), -1, encodeName}, n,
                [trips, recoveryDir](benchmark::State& st) {
                    const QString path = QDir(recoveryDir).filePath(QStringLiteral("whole-write.trb"));
                    QDir().mkpath(recoveryDir);
                    for (auto _ : st) {
                        QByteArray bytes;
                        QString strError;
                        if (!TripFile::write(TripFile::fromState(trips->large), bytes, strError) ||
                            !AtomicFile::write(path, bytes, strError))
                            st.SkipWithError(strError.toStdString().c_str());
                    }
                });

    // ---- the documents ----
    auto documentBench = [&ctx](GlobalVariable& g, bool bLayout, const QString& file) {
        const QString path = QDir(ctx.strDir).filePath(file);
        return [&g, bLayout, path](benchmark::State& st) {
            objWord(g).setOutputFile(path);
            for (auto _ : st) {
                const TripDocuments::ExportResult r =
                    bLayout ? TripDocuments::exportLayout(g, true, 0) : TripDocuments::exportPurchases(g, true, 0);
                if (!r.ok())
                    st.SkipWithError("the document was not written");
            }
        };
    };
    registerOne(entries, {QStringLiteral("document: layout, all days (realistic)"), DocumentBudgetMs}, n,
                documentBench(trips->realistic, true, QStringLiteral("layout-realistic.docx")));
    registerOne(entries, {QStringLiteral("document: purchase list, all days (realistic)"), DocumentBudgetMs}, n,
                documentBench(trips->realistic, false, QStringLiteral("purchases-realistic.docx")));
    registerOne(entries, {QStringLiteral("document: layout, all days (large)"), -1, QString(), 3}, n,
                documentBench(trips->large, true, QStringLiteral("layout-large.docx")));
    registerOne(entries, {QStringLiteral("document: purchase list, all days (large)"), -1, QString(), 3}, n,
                documentBench(trips->large, false, QStringLiteral("purchases-large.docx")));

    // ---- the model: parts of the window actions, to watch ----
    registerOne(entries, {QStringLiteral("model: name order (large)")}, n, [trips](benchmark::State& st) {
        for (auto _ : st) {
            NameOrder order = NameOrder::fromCatalog(trips->large.objCatalog);
            benchmark::DoNotOptimize(order);
        }
    });
    registerOne(entries, {QStringLiteral("model: catalog grid texts (large)")}, n, [trips](benchmark::State& st) {
        const NameOrder order = NameOrder::fromCatalog(trips->large.objCatalog);
        for (auto _ : st) {
            QList<QStringList> rows = CatalogText::productRows(trips->large.objCatalog, order);
            benchmark::DoNotOptimize(rows);
        }
    });
    registerOne(entries, {QStringLiteral("model: purchase list, all days (large)")}, n, [trips](benchmark::State& st) {
        for (auto _ : st) {
            PurchaseList list = PurchaseList::build(trips->large, true, 0);
            benchmark::DoNotOptimize(list);
        }
    });
    registerOne(entries, {QStringLiteral("model: purchase list, one shift (large)")}, n, [trips](benchmark::State& st) {
        for (auto _ : st) {
            PurchaseList list = PurchaseList::build(trips->large, false, 1);
            benchmark::DoNotOptimize(list);
        }
    });
    registerOne(entries, {QStringLiteral("model: trip weight (large)")}, n, [trips](benchmark::State& st) {
        for (auto _ : st) {
            qint64 v = trips->large.objRasklad.GetVes(trips->large.objMenuList, trips->large.objCatalog,
                                                      trips->large.intCountPeople);
            benchmark::DoNotOptimize(v);
        }
    });

    // ---- the nutrition, shopping and carry lists, as the command line prints them ----
    for (const auto& [trip, strName, dBudget] :
         {std::tuple{&trips->realistic, "realistic", 16.0}, std::tuple{&trips->large, "large", 16.0}}) {
        GlobalVariable* g = trip;
        registerOne(entries, {QStringLiteral("lists: nutrition (%1)").arg(QLatin1String(strName)), dBudget}, n,
                    [g](benchmark::State& st) {
                        for (auto _ : st) {
                            QList<QStringList> rows = NutritionListing::nutrition(*g);
                            benchmark::DoNotOptimize(rows);
                        }
                    });
        registerOne(entries, {QStringLiteral("lists: shopping, all days (%1)").arg(QLatin1String(strName)), dBudget}, n,
                    [g](benchmark::State& st) {
                        for (auto _ : st) {
                            QList<QStringList> rows = NutritionListing::shopping(*g, true, 1);
                            benchmark::DoNotOptimize(rows);
                        }
                    });
        registerOne(entries, {QStringLiteral("lists: carry (%1)").arg(QLatin1String(strName)), dBudget}, n,
                    [g](benchmark::State& st) {
                        for (auto _ : st) {
                            QList<QStringList> rows = CarryPlan::make(*g, g->intCountDay).rows();
                            benchmark::DoNotOptimize(rows);
                        }
                    });
    }

    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::ClearRegisteredBenchmarks();

    for (const BenchEntry& entry : entries) {
        if (collector.errors.contains(entry.strName)) {
            ctx.table.addError(entry.strName, collector.errors.value(entry.strName));
            continue;
        }
        if (!collector.times.contains(entry.strName))
            continue; // filtered out
        double dBudget = entry.dBudget;
        QString strNote;
        if (!entry.strBaseline.isEmpty()) {
            BenchTable::Row base;
            base.times = collector.times.value(entry.strBaseline);
            dBudget = base.times.isEmpty() ? -1 : FileFactor * base.median();
            strNote = entry.strBaseline.contains(QLatin1String("decode")) ? QStringLiteral("3 x read+decode")
                                                                          : QStringLiteral("3 x encode+write");
        }
        ctx.table.add(entry.strName, collector.times.value(entry.strName), dBudget, strNote);
    }
}

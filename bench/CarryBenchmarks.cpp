#include "BenchContext.h"
#include "BenchTrip.h"

#include "model/CarryPlan.h"
#include "model/GlobalVariable.h"
#include "model/ProductGrams.h"
#include "model/TripCheck.h"

#include <QRandomGenerator>

#include <ctime>

namespace {

// Processor time in milliseconds, steady on a machine shared with other work.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

// Weights and packages of the shop: every piece good gets a weight, every third
// product a package, where the trip does not give them already.
void giveWeights(GlobalVariable& g)
{
    QRandomGenerator rnd(4242u);
    for (int p = 1; p <= g.objCatalog.size(); ++p) {
        ProductFacts& f = g.objCatalog.GetProduct(qint16(p)).facts;
        const bool blnGrams = ProductGrams::isGramWord(g.objCatalog.GetProduct(qint16(p)).strProductEdin);
        if (!blnGrams && !f.gramsPerUnit)
            f.gramsPerUnit = 100 * qint64(1 + rnd.bounded(30));
        if (p % 3 == 0 && !f.package) {
            // A pack of 250 g to 1 kg; piece goods by the box of 1 to 3 kg.
            const qint64 grams = blnGrams ? 250 + 50 * rnd.bounded(16) : 1000 + 100 * rnd.bounded(21);
            const qint64 perUnit = f.gramsPerUnit.value_or(100) / 100;
            f.package = blnGrams ? 100 * grams : 100 * qMax<qint64>(1, grams / qMax<qint64>(1, perUnit));
        }
    }
}

void splitBench(BenchContext& ctx, const BenchTrip::Shape& shape, double dBudget)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    BenchTrip::fill(g, shape);
    giveWeights(g);
    // Shares as a real group has them: most 1, some lighter, the leader less.
    QRandomGenerator rnd(77u);
    for (int i = 0; i < g.intCountPeople; ++i)
        g.participants.append({QStringLiteral("Участник %1").arg(i + 1), qint32(60 + 10 * rnd.bounded(10))});
    const TripCheck::Result check = TripCheck::check(g.dtDataBegin, g.dtDataEnd, g.intCountPeople, g.intCountSmena);
    const QString name = QStringLiteral("carry split (%1)").arg(QString::fromLatin1(shape.name));

    QList<double> times;
    CarryPlan plan;
    for (int r = 0; r < ctx.intRepeats; ++r) {
        const double t0 = cpuMs();
        plan = CarryPlan::make(g, check.intCountDay);
        times.append(cpuMs() - t0);
    }
    ctx.table.add(name, times, dBudget);
    const QString strGap = QStringLiteral("%1: %2 pieces, %3 participants, %4 g; gap to the lower bound %5 %")
                               .arg(name)
                               .arg(plan.pieces.pieceCount())
                               .arg(plan.packs.size())
                               .arg(CarryWeights::text(plan.total))
                               .arg(QString::number(plan.gapPercent(), 'f', 4));
    ctx.table.section(strGap);
    // The split must come within 1 % of what no split can beat.
    if (plan.gapPercent() > 1.0)
        ctx.table.addError(name + QStringLiteral(": gap"), QStringLiteral("more than 1 % above the lower bound"));
}

// The worst trips for the split: copies products alike, each in all three meals of the
// one daily menu for 51 days, grams per unit and package in hundredths (0: none); a norm
// of "*" gives each product a norm of its own, 1 to 997.
struct WorstTrip
{
    const char* name;
    int people;
    int copies;
    const char* norm;
    const char* unit;
    qint64 gramsPerUnit;
    qint64 package;
    double dBudget;
};

void worstBench(BenchContext& ctx, const WorstTrip& trip)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    QList<qint16> all;
    for (int k = 1; k <= trip.copies; ++k) {
        const QString strNorm = QLatin1String(trip.norm) == QLatin1String("*") ? QString::number(1 + (k * 7919) % 997)
                                                                               : QString::fromUtf8(trip.norm);
        g.objCatalog.AddProduct(QStringLiteral("Продукт %1").arg(k), strNorm, QString::fromUtf8(trip.unit));
        ProductFacts& f = g.objCatalog.GetProduct(qint16(k)).facts;
        if (trip.gramsPerUnit > 0)
            f.gramsPerUnit = trip.gramsPerUnit;
        if (trip.package > 0)
            f.package = trip.package;
        all.append(qint16(k));
    }
    for (int m = 1; m <= 3; ++m)
        g.objMenuList.GetMenu(1).GetTrapeza(m)->SetProducts(all);
    g.intPeriod = 1;
    g.intCountPeople = qint16(trip.people);
    g.intCountSmena = 1;
    g.dtDataBegin = QDate(2026, 7, 1);
    g.dtDataEnd = g.dtDataBegin.addDays(50);
    const QString name = QStringLiteral("carry split (%1)").arg(QString::fromUtf8(trip.name));

    QList<double> times;
    CarryPlan plan;
    for (int r = 0; r < ctx.intRepeats; ++r) {
        const double t0 = cpuMs();
        plan = CarryPlan::make(g, 51);
        times.append(cpuMs() - t0);
    }
    ctx.table.add(name, times, trip.dBudget);
    ctx.table.section(QStringLiteral("%1: %2 pieces, %3 g; work %4 of %5, %6 bytes; gap to the lower bound %7 %")
                          .arg(name)
                          .arg(plan.pieces.pieceCount())
                          .arg(CarryWeights::text(plan.total))
                          .arg(plan.cost.intWork)
                          .arg(CarrySplit::WorkBudget)
                          .arg(plan.cost.intBytes)
                          .arg(QString::number(plan.gapPercent(), 'f', 4)));
    if (plan.gapPercent() > 1.0)
        ctx.table.addError(name + QStringLiteral(": gap"), QStringLiteral("more than 1 % above the lower bound"));
}

} // namespace

void runCarryBenchmarks(BenchContext& ctx)
{
    ctx.table.section(QStringLiteral("carry split (processor time; budget one frame)"));
    splitBench(ctx, BenchTrip::realistic(), FrameBudgetMs);
    splitBench(ctx, BenchTrip::large(), FrameBudgetMs);
    // Trips at the ends of the file's ranges: one frame where the pieces are many but
    // alike, the command line's second where every product weighs its own.
    ctx.table.section(QStringLiteral("carry split, the worst trips (processor time)"));
    const WorstTrip worst[] = {
        {"2 participants, 102 816 packages of 1 g", 2, 1, "336", "гр", 0, 100, FrameBudgetMs},
        {"1 participant, 5 M tea bags of 2.5 g", 1, 1, "32767", "шт", 250, 100, FrameBudgetMs},
        {"2 participants, a billion packages of 0.01 g", 2, 1, "32767", "гр", 0, 1, FrameBudgetMs},
        {"30 participants, 15 G packages of 0.01 g", 30, 1, "32767", "гр", 0, 1, FrameBudgetMs},
        {"30 participants, 32767 products of their own weights", 30, 32767, "*", "гр", 0, 0, 1000},
    };
    for (const WorstTrip& trip : worst)
        worstBench(ctx, trip);
}

#include "model/CarryPair.h"
#include "model/CarryPieces.h"
#include "model/CarryPlan.h"
#include "model/CarrySplit.h"
#include "model/GlobalVariable.h"
#include "model/Nutrition.h"
#include "model/Participants.h"
#include "model/Shopping.h"
#include "support/SampleTrip.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>
#include <random>

using Grams = QList<qint64>;
using Shares = QList<qint32>;
using Ints = QList<int>;

namespace {

CarryTask task(const Grams& grams, const Shares& shares, const Ints& products = {}, const Ints& pinned = {})
{
    CarryTask t;
    t.grams = grams;
    t.shares = shares;
    for (qsizetype i = 0; i < grams.size(); ++i)
        t.product.append(products.isEmpty() ? int(i) : products.at(i));
    t.pinned = pinned;
    return t;
}

double valueOf(const QList<qint64>& loads, const Shares& shares)
{
    double v = 0;
    for (qsizetype j = 0; j < shares.size(); ++j)
        v = std::max(v, double(loads.at(j)) * 100.0 / shares.at(j));
    return v;
}

// Every split of the pieces, for checking the exact search on small cases.
double bruteForce(const CarryTask& t)
{
    const int n = int(t.grams.size());
    const int m = int(t.shares.size());
    double best = -1;
    QList<int> owner(n, 0);
    for (;;) {
        QList<qint64> loads(m, 0);
        bool allowed = true;
        for (int i = 0; i < n; ++i) {
            if (i < t.pinned.size() && t.pinned.at(i) >= 0 && t.pinned.at(i) != owner.at(i))
                allowed = false;
            loads[owner.at(i)] += t.grams.at(i);
        }
        if (allowed && (best < 0 || valueOf(loads, t.shares) < best))
            best = valueOf(loads, t.shares);
        int k = 0;
        while (k < n && ++owner[k] == m)
            owner[k++] = 0;
        if (k == n)
            return best;
    }
}

// The baseline the split must never lose to, written plainly: longest piece first to
// the lowest resulting load per share, then the best single move or swap between any
// two participants that lowers the larger of their two values, until none does.
double greedyLocal(const CarryTask& t)
{
    const int n = int(t.grams.size());
    const int m = int(t.shares.size());
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return t.grams.at(x) > t.grams.at(y); });
    QList<qint64> loads(m, 0);
    QList<int> owner(n, -1);
    auto r = [&](int j, qint64 load) { return double(load) * 100.0 / t.shares.at(j); };
    for (int i : order) {
        int best = 0;
        for (int j = 1; j < m; ++j) {
            if (r(j, loads[j] + t.grams.at(i)) < r(best, loads[best] + t.grams.at(i)))
                best = j;
        }
        owner[i] = best;
        loads[best] += t.grams.at(i);
    }
    for (;;) {
        double gain = 0;
        int bx = -1, by = -1;
        for (int x = 0; x < n; ++x) {
            for (int y = -1; y < n; ++y) {
                const int a = owner[x];
                const int b = y < 0 ? -1 : owner[y];
                for (int c = 0; c < m; ++c) {
                    if (y >= 0 && c != b)
                        continue;
                    if (c == a)
                        continue;
                    const qint64 d = t.grams.at(x) - (y < 0 ? 0 : t.grams.at(y));
                    const double before = std::max(r(a, loads[a]), r(c, loads[c]));
                    const double after = std::max(r(a, loads[a] - d), r(c, loads[c] + d));
                    if (before - after > gain + 1e-9) {
                        gain = before - after;
                        bx = x;
                        by = y < 0 ? -1 - c : y;
                    }
                }
            }
        }
        if (bx < 0)
            return valueOf(loads, t.shares);
        const int a = owner[bx];
        const int c = by < 0 ? -1 - by : owner[by];
        loads[a] -= t.grams.at(bx);
        loads[c] += t.grams.at(bx);
        owner[bx] = c;
        if (by >= 0) {
            loads[c] -= t.grams.at(by);
            loads[a] += t.grams.at(by);
            owner[by] = a;
        }
    }
}

Grams randomGrams(QRandomGenerator& rnd, int n, int maxGrams)
{
    Grams g;
    for (int i = 0; i < n; ++i)
        g.append(1 + rnd.bounded(maxGrams));
    return g;
}

Shares randomShares(QRandomGenerator& rnd, int m)
{
    Shares s;
    for (int j = 0; j < m; ++j)
        s.append(10 + rnd.bounded(291));
    return s;
}

// Every piece once, to a participant there is, pins kept, loads the sums of the pieces.
void checkSplit(const CarryTask& t, const CarryResult& r)
{
    QCOMPARE(r.owner.size(), t.grams.size());
    QCOMPARE(r.loads.size(), t.shares.size());
    QList<qint64> loads(t.shares.size(), 0);
    for (qsizetype i = 0; i < t.grams.size(); ++i) {
        const int j = r.owner.at(i);
        QVERIFY(j >= 0 && j < t.shares.size());
        if (i < t.pinned.size() && t.pinned.at(i) >= 0)
            QCOMPARE(j, t.pinned.at(i));
        loads[j] += t.grams.at(i);
    }
    QCOMPARE(r.loads, loads);
}

// copies products alike (and, with blnTiny, one of 0.0001 g pieces), every one in all
// three meals of the one daily menu, for days days. A norm of "*" gives each product a
// norm of its own, 1 to 997; a package of -1, a package of its own, a 40th of the trip's.
void extremeTrip(GlobalVariable& g, int people, int copies, const QString& strNorm, const QString& strEdin,
                 qint64 gramsPerUnit, qint64 package, int days, bool blnTiny)
{
    InitGlobalVariable(g);
    QList<qint16> all;
    for (int k = 1; k <= copies; ++k) {
        const QString strOwn = strNorm == u"*" ? QString::number(1 + (k * 7919) % 997) : strNorm;
        g.objCatalog.AddProduct(QStringLiteral("Продукт %1").arg(k, 5, 10, QLatin1Char('0')), strOwn, strEdin);
        ProductFacts& f = g.objCatalog.GetProduct(qint16(k)).facts;
        if (gramsPerUnit > 0)
            f.gramsPerUnit = gramsPerUnit;
        if (package > 0)
            f.package = package;
        if (package < 0)
            f.package = 100 * strOwn.toLongLong() * people * 3 * days / 40 + k % 97;
        all.append(qint16(k));
    }
    if (blnTiny) {
        g.objCatalog.AddProduct(QStringLiteral("Соль"), QStringLiteral("1"), QStringLiteral("шт"));
        g.objCatalog.GetProduct(g.objCatalog.size()).facts.gramsPerUnit = 1;
        g.objCatalog.GetProduct(g.objCatalog.size()).facts.package = 1;
        all.append(g.objCatalog.size());
    }
    for (int m = 1; m <= 3; ++m)
        g.objMenuList.GetMenu(1).GetTrapeza(m)->SetProducts(all);
    g.intPeriod = 1;
    g.intCountPeople = qint16(people);
    g.intCountSmena = 1;
    g.intCountDay = qint16(days);
    g.dtDataBegin = QDate(2026, 7, 1);
    g.dtDataEnd = g.dtDataBegin.addDays(days - 1);
    for (int j = 0; j < people; ++j)
        g.participants.append({QStringLiteral("Участник %1").arg(j + 1), 100});
}

} // namespace

class tst_carrysplit : public QObject
{
    Q_OBJECT

private slots:
    void knownOptimum_data();
    void knownOptimum();
    void exactOnSmallCases_data();
    void exactOnSmallCases();
    void neverWorseThanGreedy_data();
    void neverWorseThanGreedy();
    void twoCarriersExact_data();
    void twoCarriersExact();
    void keepsProductsTogether();
    void manyPieces_data();
    void manyPieces();
    void runsAgreeWithPieces_data();
    void runsAgreeWithPieces();
    void pieces();
    void plan();
    void extremeTrips_data();
    void extremeTrips();
    void workWithinBudget_data();
    void workWithinBudget();
    void shares_data();
    void shares();
    void fit();
    void binaryParts_data();
    void binaryParts();
};

void tst_carrysplit::knownOptimum_data()
{
    QTest::addColumn<Grams>("grams");
    QTest::addColumn<Shares>("shares");
    QTest::addColumn<Ints>("pinned");
    QTest::addColumn<double>("value");

    QTest::newRow("even halves") << Grams{4, 4, 4, 4} << Shares{100, 100} << Ints{} << 8.0;
    // Longest first gives 7 | 5 (value 7); the best is 6 | 6.
    QTest::newRow("greedy misses") << Grams{3, 3, 2, 2, 2} << Shares{100, 100} << Ints{} << 6.0;
    QTest::newRow("greedy three") << Grams{5, 5, 4, 4, 3, 3, 3} << Shares{100, 100, 100} << Ints{} << 9.0;
    // Share 2 carries twice as much: 8 | 4.
    QTest::newRow("double share") << Grams{4, 4, 2, 2} << Shares{200, 100} << Ints{} << 4.0;
    QTest::newRow("heaviest piece decides") << Grams{1000, 10, 10} << Shares{100, 100} << Ints{} << 1000.0;
    QTest::newRow("weak carrier") << Grams{700, 300} << Shares{70, 100} << Ints{} << 700.0;
    QTest::newRow("pin makes it worse") << Grams{500, 500} << Shares{100, 100} << Ints{0, 0} << 1000.0;
    QTest::newRow("pin, the rest around it")
        << Grams{600, 200, 200, 200} << Shares{100, 100} << Ints{0, -1, -1, -1} << 600.0;
    QTest::newRow("one participant") << Grams{5, 7} << Shares{50} << Ints{} << 24.0;
    QTest::newRow("two carriers, many pieces")
        << Grams{900, 900, 900, 450, 450, 240, 240, 240, 120, 60} << Shares{100, 125} << Ints{} << 2010.0;
}

void tst_carrysplit::knownOptimum()
{
    QFETCH(Grams, grams);
    QFETCH(Shares, shares);
    QFETCH(Ints, pinned);
    QFETCH(double, value);
    const CarryTask t = task(grams, shares, {}, pinned);
    const CarryResult r = CarrySplit::solve(t);
    checkSplit(t, r);
    QCOMPARE(r.value(shares), value);
    QVERIFY(r.blnExact);
    QVERIFY(CarrySplit::lowerBound(t) <= value + 1e-9);
}

void tst_carrysplit::exactOnSmallCases_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("maxGrams");
    QTest::newRow("2 carriers, 14 pieces") << 1 << 14 << 2 << 2000;
    QTest::newRow("2 carriers, 16 pieces") << 2 << 16 << 2 << 900;
    QTest::newRow("3 carriers, 9 pieces") << 3 << 9 << 3 << 1000;
    QTest::newRow("3 carriers, 10 pieces, light") << 4 << 10 << 3 << 30;
    QTest::newRow("4 carriers, 8 pieces") << 5 << 8 << 4 << 5000;
    QTest::newRow("5 carriers, 7 pieces") << 6 << 7 << 5 << 700;
}

void tst_carrysplit::exactOnSmallCases()
{
    QFETCH(int, seed);
    QFETCH(int, pieces);
    QFETCH(int, people);
    QFETCH(int, maxGrams);
    QRandomGenerator rnd(static_cast<quint32>(seed));
    for (int round = 0; round < 5; ++round) {
        const CarryTask t = task(randomGrams(rnd, pieces, maxGrams), randomShares(rnd, people));
        const CarryResult r = CarrySplit::solve(t);
        checkSplit(t, r);
        QVERIFY(r.blnExact);
        QCOMPARE(r.value(t.shares), bruteForce(t));
    }
}

void tst_carrysplit::neverWorseThanGreedy_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("maxGrams");
    QTest::newRow("3 carriers, 40 pieces") << 11 << 40 << 3 << 2000;
    QTest::newRow("6 carriers, 30 pieces") << 12 << 30 << 6 << 5000;
    QTest::newRow("10 carriers, 60 pieces") << 13 << 60 << 10 << 1500;
    QTest::newRow("2 carriers, heavy") << 14 << 40 << 2 << 20000;
    QTest::newRow("8 carriers, few heavy") << 15 << 14 << 8 << 9000;
    QTest::newRow("4 carriers, equal pieces") << 16 << 50 << 4 << 3;
    QTest::newRow("5 carriers, 18 pieces") << 17 << 18 << 5 << 4000;
    QTest::newRow("3 carriers, 20 pieces") << 18 << 20 << 3 << 800;
    QTest::newRow("12 carriers, 24 pieces") << 19 << 24 << 12 << 6000;
    QTest::newRow("7 carriers, 15 pieces") << 20 << 15 << 7 << 2500;
}

void tst_carrysplit::neverWorseThanGreedy()
{
    QFETCH(int, seed);
    QFETCH(int, pieces);
    QFETCH(int, people);
    QFETCH(int, maxGrams);
    QRandomGenerator rnd(static_cast<quint32>(seed));
    for (int round = 0; round < 8; ++round) {
        const CarryTask t = task(randomGrams(rnd, pieces, maxGrams), randomShares(rnd, people));
        const CarryResult r = CarrySplit::solve(t);
        checkSplit(t, r);
        QVERIFY2(r.value(t.shares) <= greedyLocal(t) + 1e-9, qPrintable(QString::number(round)));
        QVERIFY(r.value(t.shares) >= CarrySplit::lowerBound(t) - 1e-9);
        checkSplit(t, CarrySplit::greedy(t));
    }
}

void tst_carrysplit::twoCarriersExact_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("copies"); // the second carrier's share, in shares of the first
    QTest::newRow("equal shares, 80 pieces") << 31 << 40 << 1;
    QTest::newRow("equal shares, 200 pieces") << 32 << 100 << 1;
    QTest::newRow("one to three, 60 pieces") << 33 << 15 << 3;
    QTest::newRow("one to two, 150 pieces") << 34 << 50 << 2;
}

void tst_carrysplit::twoCarriersExact()
{
    // Pieces made so that a split exactly by the shares exists: the first carrier's
    // pieces, and as many copies of them for the second as its share is larger. Such
    // a split is seldom what the greedy split finds.
    QFETCH(int, seed);
    QFETCH(int, pieces);
    QFETCH(int, copies);
    QRandomGenerator rnd(static_cast<quint32>(seed));
    const Grams first = randomGrams(rnd, pieces, 1000 / copies + 300);
    Grams all = first;
    for (int c = 0; c < copies; ++c)
        all += first;
    std::shuffle(all.begin(), all.end(), std::mt19937(static_cast<unsigned>(seed)));
    const qint64 total = std::accumulate(all.begin(), all.end(), qint64(0));
    QVERIFY(total <= 200000);
    const CarryTask t = task(all, {100, qint32(100 * copies)});
    const CarryResult r = CarrySplit::solve(t);
    checkSplit(t, r);
    QVERIFY(r.blnExact);
    QCOMPARE(r.value(t.shares), double(total) / (1 + copies));
}

void tst_carrysplit::keepsProductsTogether()
{
    // Two products of two 500 g packages each: 1000 | 1000 either way, but each product
    // with one participant is the split to prefer.
    const CarryTask t = task({500, 500, 500, 500}, {100, 100}, {0, 1, 0, 1});
    const CarryResult r = CarrySplit::solve(t);
    QCOMPARE(r.value(t.shares), 1000.0);
    QCOMPARE(CarrySplit::spread(t, r.owner), 2);

    // Many carriers and products with several pieces each: no product is spread more
    // than balance needs (here every one fits with one carrier).
    Grams grams;
    Ints products;
    for (int p = 0; p < 6; ++p) {
        for (int k = 0; k < 3; ++k) {
            grams.append(300);
            products.append(p);
        }
    }
    const CarryTask many = task(grams, {100, 100, 100, 100, 100, 100}, products);
    const CarryResult split = CarrySplit::solve(many);
    QCOMPARE(split.value(many.shares), 900.0);
    QCOMPARE(CarrySplit::spread(many, split.owner), 6);
}

void tst_carrysplit::manyPieces_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("products");
    QTest::addColumn<int>("most"); // pieces of a product, at most
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("maxGrams");  // a piece's weight, at most
    QTest::addColumn<int>("pinEvery");  // every n-th product pinned; 0: none
    QTest::addColumn<bool>("together"); // products kept far more together than greedy does
    QTest::newRow("30 carriers, light bags") << 41 << 300 << 400 << 30 << 300 << 0 << false;
    QTest::newRow("8 carriers, packages and bags") << 42 << 120 << 40 << 8 << 3000 << 0 << true;
    QTest::newRow("3 carriers, one heavy piece each") << 43 << 1500 << 1 << 3 << 20000 << 0 << false;
    QTest::newRow("2 carriers, over the exact limit") << 44 << 60 << 50 << 2 << 900 << 0 << true;
    QTest::newRow("12 carriers, pins") << 45 << 200 << 30 << 12 << 1200 << 7 << true;
    QTest::newRow("5 carriers, weightless and tiny") << 46 << 100 << 60 << 5 << 2 << 0 << true;
    QTest::newRow("40 carriers, few big products") << 47 << 6 << 600 << 40 << 5000 << 0 << true;
}

void tst_carrysplit::manyPieces()
{
    // Beyond a thousand pieces the split works on groups of equal pieces; it must still
    // carry every piece once, keep the pins, stay within 1 % of the bound and never lose
    // to the plain greedy split with its moves and swaps.
    QFETCH(int, seed);
    QFETCH(int, products);
    QFETCH(int, most);
    QFETCH(int, people);
    QFETCH(int, maxGrams);
    QFETCH(int, pinEvery);
    QFETCH(bool, together);
    QRandomGenerator rnd(static_cast<quint32>(seed));
    QList<CarryRun> list;
    Grams grams;
    Ints owners;
    Ints pinned;
    for (int p = 0; p < products; ++p) {
        const qint64 w = rnd.bounded(maxGrams + 1);
        const int count = 1 + rnd.bounded(most);
        const int pin = pinEvery > 0 && p % pinEvery == 0 ? rnd.bounded(people) : -1;
        list.append({w, count, p, pin});
        for (int k = 0; k < count; ++k) {
            grams.append(w);
            owners.append(p);
            pinned.append(pin);
        }
    }
    QVERIFY(grams.size() > 1000);
    const CarryTask t = task(grams, randomShares(rnd, people), owners, pinned);
    const CarryRunResult split = CarrySplit::solveRuns(list, t.shares);
    // The runs' split piece by piece, each run's pieces in the order taken.
    CarryResult r;
    r.loads = split.loads;
    for (qsizetype k = 0; k < list.size(); ++k) {
        for (const auto& [j, n] : split.taken.at(k))
            r.owner += QList<int>(n, j);
    }
    checkSplit(t, r);
    const double value = r.value(t.shares);
    const CarryResult plain = CarrySplit::greedy(t);
    QVERIFY(value <= plain.value(t.shares) + 1e-9);
    QVERIFY(value >= CarrySplit::lowerBound(t) - 1e-9);
    if (pinEvery == 0)
        QVERIFY2(value <= CarrySplit::lowerBound(t) * 1.01,
                 qPrintable(QString::number(value / CarrySplit::lowerBound(t))));
    const int spread = CarrySplit::spread(t, r.owner);
    QVERIFY(spread <= CarrySplit::spread(t, plain.owner));
    if (together)
        QVERIFY2(2 * spread < CarrySplit::spread(t, plain.owner) || spread <= products + 2 * people,
                 qPrintable(QString::number(spread)));
}

void tst_carrysplit::runsAgreeWithPieces_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("most");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("pinEvery");
    QTest::addColumn<bool>("equalShares");
    QTest::newRow("few pieces") << 51 << 8 << 3 << 3 << 0 << false;
    QTest::newRow("few pieces, pins") << 52 << 10 << 4 << 4 << 3 << false;
    QTest::newRow("many pieces") << 53 << 80 << 60 << 9 << 0 << false;
    QTest::newRow("many pieces, pins") << 54 << 90 << 50 << 7 << 4 << false;
    QTest::newRow("two carriers, heavy") << 55 << 40 << 60 << 2 << 0 << false;
    // Equal shares make ties everywhere: each goes to the first of those tied.
    QTest::newRow("equal shares, runs of one and two") << 56 << 60 << 2 << 5 << 0 << true;
    QTest::newRow("equal shares, longer runs") << 57 << 60 << 12 << 6 << 0 << true;
}

void tst_carrysplit::runsAgreeWithPieces()
{
    // A trip's products go in as runs of equal pieces; the split must be the one the
    // same pieces one by one get, every run handed out whole, pins kept.
    QFETCH(int, seed);
    QFETCH(int, runs);
    QFETCH(int, most);
    QFETCH(int, people);
    QFETCH(int, pinEvery);
    QFETCH(bool, equalShares);
    QRandomGenerator rnd(static_cast<quint32>(seed));
    QList<CarryRun> list;
    Grams grams;
    Ints products;
    Ints pinned;
    qint64 free = 0;
    for (int k = 0; k < runs; ++k) {
        const CarryRun run{equalShares ? 100 * (1 + rnd.bounded(4)) : 1 + rnd.bounded(3000), 1 + int(rnd.bounded(most)),
                           k, pinEvery > 0 && k % pinEvery == 0 ? int(rnd.bounded(people)) : -1};
        list.append(run);
        if (run.pinned < 0)
            free += run.count;
        for (int c = 0; c < run.count; ++c) {
            grams.append(run.grams);
            products.append(k);
            pinned.append(run.pinned);
        }
    }
    const Shares shares = equalShares ? Shares(people, 100) : randomShares(rnd, people);
    const CarryTask t = task(grams, shares, products, pinned);
    const CarryRunResult split = CarrySplit::solveRuns(list, shares);
    // Beyond PiecesOneByOne free pieces the runs go as groups, never one by one.
    if (free <= CarrySplit::PiecesOneByOne) {
        const CarryResult pieces = CarrySplit::solve(t);
        QCOMPARE(split.loads, pieces.loads);
        QCOMPARE(split.blnExact, pieces.blnExact);
    }
    QCOMPARE(CarrySplit::lowerBound(list, shares), CarrySplit::lowerBound(t));
    QList<qint64> loads(people, 0);
    for (int k = 0; k < runs; ++k) {
        qint64 count = 0;
        for (const auto& [j, n] : split.taken.at(k)) {
            QVERIFY(n > 0);
            QVERIFY(list.at(k).pinned < 0 || j == list.at(k).pinned);
            loads[j] += n * list.at(k).grams;
            count += n;
        }
        QCOMPARE(count, list.at(k).count);
    }
    QCOMPARE(loads, split.loads);
}

void tst_carrysplit::pieces()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    // Two days of one menu, 3 people: groats 80 g at lunch and dinner, tinned meat
    // 1 tin (325 g) at dinner in 1-tin packages, tea of unknown weight, sugar in 900 g
    // packs with a 30 g norm at breakfast.
    TestSupport::makeTrip(g,
                          {{"Гречка", "80", "гр"}, {"Тушёнка", "1", "шт"}, {"Чай", "2", "пак"}, {"Сахар", "30", "г"}},
                          {"1 | 1 2 | 3 4"}, 3, 2, 2);
    g.objCatalog.GetProduct(2).facts.gramsPerUnit = 32500;
    g.objCatalog.GetProduct(2).facts.package = 100;
    g.objCatalog.GetProduct(4).facts.package = 90000;
    const CarryPieces p = CarryPieces::build(g, 2);
    QCOMPARE(p.products.size(), 3);
    // Name order: Гречка, Сахар, Тушёнка.
    QCOMPARE(p.products.at(0).strName, QStringLiteral("Гречка"));
    QCOMPARE(p.products.at(0).blnPackages, false);
    QCOMPARE(p.products.at(0).intPieces, 4); // two meals a day, two days
    QCOMPARE(p.products.at(0).intPieceWeight, 240 * CarryWeights::PerGram);
    QCOMPARE(p.products.at(1).strName, QStringLiteral("Сахар"));
    QCOMPARE(p.products.at(1).intPieces, 1); // 180 g bought as one 900 g pack
    QCOMPARE(p.products.at(1).intPieceWeight, 900 * CarryWeights::PerGram);
    QCOMPARE(p.products.at(2).intPieces, 6);
    QCOMPARE(p.products.at(2).intPieceWeight, 325 * CarryWeights::PerGram);
    QCOMPARE(p.unknown.size(), 1);
    QCOMPARE(p.unknown.at(0).strName, QStringLiteral("Чай"));
    QCOMPARE(p.unknown.at(0).intQuantity, 12);
    QCOMPARE(CarryWeights::text(p.totalWeight()), QString::number(4 * 240 + 900 + 6 * 325));
}

void tst_carrysplit::plan()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Гречка", "100", "гр"}, {"Чай", "2", "пак"}}, {"1 | 1 | 2"}, 2, 1, 3);
    g.participants = {{QStringLiteral("Аня"), 50}, {QStringLiteral("Боря"), 100}};
    // Six 200 g bags: the lighter share carries two, the other four.
    CarryPlan plan = CarryPlan::make(g, 3);
    QCOMPARE(plan.packs.size(), 2);
    QCOMPARE(CarryWeights::text(plan.packs.at(0).load), QStringLiteral("400"));
    QCOMPARE(CarryWeights::text(plan.packs.at(1).load), QStringLiteral("800"));
    QCOMPARE(plan.packs.at(0).fTarget, 400.0);
    QCOMPARE(plan.gapPercent(), 0.0);
    QCOMPARE(plan.lineText(plan.packs.at(1).lines.at(0)), QStringLiteral("Гречка — 4 пак. по 200 гр, 800 гр"));
    QCOMPARE(plan.rows(), (QList<QStringList>{{"1", "Аня", "Гречка", "2", "400"},
                                              {"1", "Аня", "ВСЕГО:", "", "400"},
                                              {"2", "Боря", "Гречка", "4", "800"},
                                              {"2", "Боря", "ВСЕГО:", "", "800"},
                                              {"не распределено", "", "Чай", "12", "пак"}}));
    // Pinned to the weaker one, all of it goes there.
    plan = CarryPlan::make(g, 3, {{qint16(1), 0}});
    QCOMPARE(CarryWeights::text(plan.packs.at(0).load), QStringLiteral("1200"));
    QCOMPARE(CarryWeights::text(plan.packs.at(1).load), QStringLiteral("0"));
}

void tst_carrysplit::extremeTrips_data()
{
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QString>("norm");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<qint64>("gramsPerUnit"); // hundredths; 0: a gram word
    QTest::addColumn<qint64>("package");      // hundredths; 0: meal bags; -1: see extremeTrip()
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("tiny");
    QTest::addColumn<qint64>("pieces"); // of the first product
    QTest::addColumn<QString>("piece"); // grams
    QTest::addColumn<QString>("total"); // grams
    QTest::addColumn<bool>("best");     // proven the best split
    QTest::newRow("1 participant, 5 M tea bags of 2.5 g")
        << 1 << 1 << "32767"
        << "шт" << qint64(250) << qint64(100) << 51 << false << qint64(5013351) << "2.5"
        << "12533377.5" << true;
    QTest::newRow("2 participants, 100 800 packages of 1 g")
        << 2 << 1 << "336"
        << "гр" << qint64(0) << qint64(100) << 50 << false << qint64(100800) << "1"
        << "100800" << true;
    QTest::newRow("2 participants, a billion packages of 0.01 g")
        << 2 << 1 << "32767"
        << "гр" << qint64(0) << qint64(1) << 51 << false << qint64(1002670200) << "0.01"
        << "10026702" << true;
    QTest::newRow("2 participants, 153 meal bags of 5 g")
        << 2 << 1 << "1"
        << "шт" << qint64(250) << qint64(0) << 51 << false << qint64(153) << "5"
        << "765" << true;
    QTest::newRow("30 participants, 15 G packages, past 2^31")
        << 30 << 1 << "32767"
        << "гр" << qint64(0) << qint64(1) << 51 << false << qint64(15040053000) << "0.01"
        << "150400530" << true;
    QTest::newRow("30 participants, the lightest piece, 0.0001 g")
        << 30 << 1 << "1"
        << "шт" << qint64(1) << qint64(1) << 51 << false << qint64(459000) << "0.0001"
        << "45.9" << true;
    // 151 packages of 10^6 units of 100 kg in each of 200 products: 3 * 10^15 g, past
    // 64 bits in ten-thousandths, beside salt by the ten-thousandth of a gram.
    QTest::newRow("30 participants, the heaviest pieces, 200 products")
        << 30 << 200 << "32767"
        << "шт" << qint64(10000000) << qint64(100000000) << 51 << true << qint64(151) << "100000000000"
        << "3020000000000045.9" << false;
    QTest::newRow("1 participant, 32767 products") << 1 << 32767 << "1"
                                                   << "гр" << qint64(0) << qint64(0) << 1 << false << qint64(3) << "1"
                                                   << "98301" << true;
    // Meal bags of a thousand weights, for the searches to work on.
    QTest::newRow("30 participants, 32767 products of their own weights")
        << 30 << 32767 << "*"
        << "гр" << qint64(0) << qint64(0) << 3 << false << qint64(9) << "28230"
        << "4415634000" << false;
    // About 40 packages of each product, no two products' alike.
    QTest::newRow("30 participants, 32767 products in packages of their own")
        << 30 << 32767 << "*"
        << "гр" << qint64(0) << qint64(-1) << 51 << false << qint64(40) << "107979.76"
        << "75066406861.2" << false;
    QTest::newRow("30 participants, 32766 products and salt")
        << 30 << 32766 << "7"
        << "гр" << qint64(0) << qint64(0) << 1 << true << qint64(3) << "210"
        << "20642580.9" << false;
}

void tst_carrysplit::extremeTrips()
{
    // Every piece carried once, each weighing package x grams per unit exactly, the
    // loads adding up to the food's weight, within the split's bounds of work.
    QFETCH(int, people);
    QFETCH(int, copies);
    QFETCH(QString, norm);
    QFETCH(QString, unit);
    QFETCH(qint64, gramsPerUnit);
    QFETCH(qint64, package);
    QFETCH(int, days);
    QFETCH(bool, tiny);
    QFETCH(qint64, pieces);
    QFETCH(QString, piece);
    QFETCH(QString, total);
    QFETCH(bool, best);
    GlobalVariable g;
    extremeTrip(g, people, copies, norm, unit, gramsPerUnit, package, days, tiny);
    const CarryPlan plan = CarryPlan::make(g, days);
    const QList<CarryProduct>& products = plan.pieces.products;
    QCOMPARE(products.size(), copies + (tiny ? 1 : 0));
    QCOMPARE(products.at(0).intPieces, pieces);
    QCOMPARE(CarryWeights::text(products.at(0).intPieceWeight), piece);
    QCOMPARE(CarryWeights::text(plan.total), total);

    QCOMPARE(plan.packs.size(), people);
    QList<qint64> carried(products.size(), 0);
    CarryWeight sum = 0;
    for (const CarryPack& pack : plan.packs) {
        CarryWeight load = 0;
        for (const CarryLine& line : pack.lines) {
            QVERIFY(line.intPieces > 0);
            carried[line.intProduct] += line.intPieces;
            QVERIFY(line.weight == CarryWeight(products.at(line.intProduct).intPieceWeight) * line.intPieces);
            load += line.weight;
        }
        QVERIFY(load == pack.load);
        sum += load;
    }
    for (qsizetype k = 0; k < products.size(); ++k)
        QCOMPARE(carried.at(k), products.at(k).intPieces);
    QVERIFY(sum == plan.total);
    // A product to a backpack, but for a few divided to even the loads out: the list
    // of a full catalog stays as long as the catalog.
    qsizetype lines = 0;
    for (const CarryPack& pack : plan.packs)
        lines += pack.lines.size();
    QVERIFY2(lines <= products.size() + 2 * people, qPrintable(QString::number(lines)));

    if (package != 0 && copies < 1000) {
        // The packages the shopping list buys, each carried.
        const Shopping::List list = Shopping::build(g, qint16(days), true, 1);
        QCOMPARE(list.rows.size(), products.size());
        for (qsizetype k = 0; k < products.size(); ++k) {
            QCOMPARE(list.rows.at(k).intIndex, products.at(k).intProduct);
            QCOMPARE(list.rows.at(k).packages.value_or(-1), products.at(k).intPieces);
        }
    } else if (package == 0) {
        // Meal bags weigh what the nutrition figures say the group eats.
        const Nutrition::Table table = Nutrition::build(g, qint16(days));
        double grams = 0;
        for (const Nutrition::Day& d : table.days)
            grams += d.perPerson.grams * people;
        QVERIFY(qAbs(grams - CarryWeights::grams(plan.total)) <= 1e-9 * grams);
    }

    QVERIFY2(plan.cost.intWork <= CarrySplit::WorkBudget + CarrySplit::WorkBudget / 10,
             qPrintable(QString::number(plan.cost.intWork)));
    QVERIFY2(plan.cost.intBytes <= CarrySplit::MemoryBudget, qPrintable(QString::number(plan.cost.intBytes)));
    QVERIFY(plan.fValue >= plan.fBound * (1 - 1e-12));
    QVERIFY2(plan.gapPercent() < 1.0, qPrintable(QString::number(plan.gapPercent())));
    if (best)
        QVERIFY(plan.blnExact);
}

void tst_carrysplit::workWithinBudget_data()
{
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("most"); // pieces of a run, at most
    QTest::addColumn<int>("people");
    QTest::addColumn<qint64>("maxGrams");
    QTest::newRow("30 carriers, a full catalog of random weights") << 32767 << 40 << 30 << qint64(1000000);
    QTest::newRow("30 carriers, a thousand pieces one by one") << 200 << 9 << 30 << qint64(100000);
    QTest::newRow("5 carriers, 16 pieces, the exhaustive search") << 16 << 1 << 5 << qint64(1000000);
    QTest::newRow("3 carriers, 250 pieces, the plain search") << 125 << 3 << 3 << qint64(100000);
    QTest::newRow("2 carriers, 999 heavy pieces") << 999 << 1 << 2 << qint64(1000000000);
}

void tst_carrysplit::workWithinBudget()
{
    // Whatever the pieces, the searches stop at the budget with every piece carried.
    QFETCH(int, runs);
    QFETCH(int, most);
    QFETCH(int, people);
    QFETCH(qint64, maxGrams);
    QRandomGenerator rnd(quint32(runs + people));
    QList<CarryRun> list;
    for (int k = 0; k < runs; ++k)
        list.append({1 + qint64(rnd.bounded(quint64(maxGrams))), 1 + qint64(rnd.bounded(most)), k, -1});
    const CarryRunResult r = CarrySplit::solveRuns(list, randomShares(rnd, people));
    QVERIFY2(r.cost.intWork <= CarrySplit::WorkBudget + CarrySplit::WorkBudget / 10,
             qPrintable(QString::number(r.cost.intWork)));
    QVERIFY2(r.cost.intBytes <= CarrySplit::MemoryBudget, qPrintable(QString::number(r.cost.intBytes)));
    for (int k = 0; k < runs; ++k) {
        qint64 count = 0;
        for (const auto& taken : r.taken.at(k))
            count += taken.second;
        QCOMPARE(count, list.at(k).count);
    }
}

void tst_carrysplit::shares_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("typed"); // -1: refused
    QTest::addColumn<int>("stored");
    QTest::newRow("one") << "1" << 100 << 100;
    QTest::newRow("fraction") << "0.8" << 80 << 80;
    QTest::newRow("comma typed") << " 0,75 " << 75 << -1;
    QTest::newRow("two decimals") << "1.25" << 125 << 125;
    QTest::newRow("lowest") << "0.1" << 10 << 10;
    QTest::newRow("highest") << "3" << 300 << 300;
    QTest::newRow("too small") << "0.09" << -1 << -1;
    QTest::newRow("too large") << "3.01" << -1 << -1;
    QTest::newRow("three decimals") << "1.125" << -1 << -1;
    QTest::newRow("trailing zero") << "1.50" << 150 << -1;
    QTest::newRow("leading zero") << "01" << 100 << -1;
    QTest::newRow("no digits after point") << "1." << -1 << -1;
    QTest::newRow("sign") << "-1" << -1 << -1;
    QTest::newRow("word") << "один" << -1 << -1;
    QTest::newRow("empty") << "" << -1 << -1;
}

void tst_carrysplit::shares()
{
    QFETCH(QString, text);
    QFETCH(int, typed);
    QFETCH(int, stored);
    QCOMPARE(Participants::parseShare(text).value_or(-1), typed);
    QCOMPARE(Participants::parseShareStrict(text).value_or(-1), stored);
    if (stored > 0)
        QCOMPARE(Participants::shareText(stored), text);
}

void tst_carrysplit::fit()
{
    QList<Participant> list{{QStringLiteral("Аня"), 80}};
    Participants::fit(list, 3);
    QCOMPARE(list, (QList<Participant>{{"Аня", 80}, {"Участник 2", 100}, {"Участник 3", 100}}));
    QVERIFY(!Participants::allDefault(list));
    Participants::fit(list, 1);
    QCOMPARE(list, (QList<Participant>{{"Аня", 80}}));
    QList<Participant> plain;
    Participants::fit(plain, 2);
    QVERIFY(Participants::allDefault(plain));
}

void tst_carrysplit::binaryParts_data()
{
    QTest::addColumn<qint64>("weight");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("parts");
    QTest::newRow("one piece") << qint64(7) << qint64(1) << 1;
    QTest::newRow("two pieces") << qint64(7) << qint64(2) << 2;
    QTest::newRow("thirty pieces") << qint64(3) << qint64(30) << 5;
    QTest::newRow("a power of two") << qint64(1) << qint64(1024) << 11;
    QTest::newRow("past 2^31 pieces") << qint64(1) << (qint64(1) << 31) + 5 << 32;
    QTest::newRow("the heaviest piece, 100 t") << qint64(1'000'000'000'000'000) << qint64(1) << 1;
    QTest::newRow("weightless") << qint64(0) << qint64(5) << 0;
}

void tst_carrysplit::binaryParts()
{
    // Every count of a group's pieces, 0 to all, must be a sum of its parts, and the
    // read-back must give that count: the two-carrier split rests on both.
    QFETCH(qint64, weight);
    QFETCH(qint64, count);
    QFETCH(int, parts);
    const std::vector<CarryPair::Part> list = CarryPair::parts({{weight, count}});
    QCOMPARE(int(list.size()), parts);
    qint64 pieces = 0;
    for (const CarryPair::Part& part : list) {
        QCOMPARE(part.group, 0);
        QCOMPARE(part.weight, weight * part.count);
        pieces += part.count;
    }
    QCOMPARE(pieces, weight > 0 ? count : 0);
    if (weight == 0 || weight * count > 4096)
        return;
    const std::vector<int> via = CarryPair::sums(list, weight * count);
    for (qint64 k = 0; k <= count; ++k) {
        QVERIFY(CarryPair::reached(via, k * weight));
        QCOMPARE(CarryPair::taken(list, via, k * weight, 1).at(0), k);
    }
}

QTEST_GUILESS_MAIN(tst_carrysplit)
#include "tst_carrysplit.moc"

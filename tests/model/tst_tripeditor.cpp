#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Participants.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"

#include <QTest>

#include <functional>

// Every change of the trip goes through its editor: made, announced, and taken back and
// made again to the very bytes the trip file would hold.
class tst_tripeditor : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void refusedChangeLeavesTheTrip_data();
    void refusedChangeLeavesTheTrip();
    void catalogChangesSince();
};

using Edit = std::function<void(GlobalVariable&)>;
Q_DECLARE_METATYPE(Edit)

namespace {

void makeSample(GlobalVariable& g, qint16 intPeople)
{
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Гречка", "80", "гр"}, {"Сахар", "40", "гр"}, {"Чай", "2", "пак"}},
                          {"1 2 | 3 | 2", "2 | 1 3 | ", " | | 1"}, intPeople, qint16(qMax(1, intPeople / 2)), 3);
    g.participants = Participants::fitted({}, intPeople);
    g.participants.first().strName = QStringLiteral("Аня");
    g.participants.last().intShare = 300;
    g.intEnergyAim = 2500;
}

clsProduct product(const QString& strName, qint16 intNorma, const QString& strUnit)
{
    clsProduct p;
    p.setName(strName);
    p.setNorma(intNorma);
    p.strProductEdin = strUnit;
    return p;
}

clsProduct changed(const GlobalVariable& g, qint16 intIndex, const std::function<void(clsProduct&)>& change)
{
    clsProduct p = g.objCatalog.GetProduct(intIndex);
    change(p);
    return p;
}

} // namespace

void tst_tripeditor::roundTrip_data()
{
    QTest::addColumn<qint16>("people");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("steps");      // changes made (0: the edit changes nothing)
    QTest::addColumn<unsigned>("parts"); // what the announcements named

    using E = TripEditor;
    const QList<std::pair<const char*, std::pair<Edit, std::pair<int, unsigned>>>> edits{
        {"description",
         {[](GlobalVariable& g) {
              TripSettings s = g;
              s.strDeffine = QStringLiteral("Карелия\nпороги");
              g.edits.setSettings(s, QStringLiteral("описание"));
          },
          {1, E::SettingsPart}}},
        {"dates",
         {[](GlobalVariable& g) {
              TripSettings s = g;
              s.dtDataBegin = QDate(2024, 8, 1);
              s.dtDataEnd = QDate(2024, 9, 19);
              g.edits.setSettings(s, QString());
          },
          {1, E::SettingsPart}}},
        {"same settings", {[](GlobalVariable& g) { g.edits.setSettings(g, QString()); }, {0, 0}}},
        {"people to 3, participants follow",
         {[](GlobalVariable& g) {
              TripSettings s = g;
              s.intCountPeople = 3;
              s.intCountSmena = 1;
              g.edits.setCountPeople(s, QString());
          },
          {1, E::SettingsPart | E::ParticipantsPart}}},
        {"people to 50, participants follow",
         {[](GlobalVariable& g) {
              TripSettings s = g;
              s.intCountPeople = 50;
              g.edits.setCountPeople(s, QString());
          },
          {1, E::SettingsPart | E::ParticipantsPart}}},
        {"rename",
         {[](GlobalVariable& g) {
              g.edits.setProduct(1, changed(g, 1, [](clsProduct& p) { p.setName(QStringLiteral("Ядрица")); }),
                                 QString());
          },
          {1, E::CatalogPart}}},
        {"largest norm and a unit",
         {[](GlobalVariable& g) {
              g.edits.setProduct(2,
                                 changed(g, 2,
                                         [](clsProduct& p) {
                                             p.setNorma(32767);
                                             p.strProductEdin = QStringLiteral("кг");
                                         }),
                                 QString());
          },
          {1, E::CatalogPart}}},
        {"values of two products",
         {[](GlobalVariable& g) {
              g.edits.setProducts({{1, changed(g, 1, [](clsProduct& p) { p.facts.energy = 34600; })},
                                   {3, changed(g, 3,
                                               [](clsProduct& p) {
                                                   p.facts.price = std::numeric_limits<qint32>::max();
                                                   p.facts.package = 1;
                                               })}},
                                  QString());
          },
          {1, E::CatalogPart}}},
        {"append one",
         {[](GlobalVariable& g) { g.edits.appendProducts({product("Изюм", 30, "гр")}, QString()); },
          {1, E::CatalogPart}}},
        {"append to a full catalog",
         {[](GlobalVariable& g) {
              QList<clsProduct> many;
              for (int i = g.objCatalog.size(); i < clsCatalog::MaxSize; ++i)
                  many.append(product(QStringLiteral("П%1").arg(i), qint16(i % 100), "гр"));
              g.edits.appendProducts(many, QString());
          },
          {1, E::CatalogPart}}},
        {"product into a meal",
         {[](GlobalVariable& g) {
              g.edits.setMeal(3, 1, {1, 3, 2}, QString());
          },
          {1, E::RationPart}}},
        {"meal emptied", {[](GlobalVariable& g) { g.edits.setMeal(1, 1, {}, QString()); }, {1, E::RationPart}}},
        {"day added", {[](GlobalVariable& g) { g.edits.addDay(); }, {1, E::RationPart | E::SettingsPart}}},
        {"first day deleted", {[](GlobalVariable& g) { g.edits.deleteDay(1); }, {1, E::RationPart | E::SettingsPart}}},
        {"last day deleted", {[](GlobalVariable& g) { g.edits.deleteDay(3); }, {1, E::RationPart | E::SettingsPart}}},
        {"days exchanged", {[](GlobalVariable& g) { g.edits.exchangeDays(3, 1); }, {1, E::RationPart}}},
        {"day with itself", {[](GlobalVariable& g) { g.edits.exchangeDays(2, 2); }, {0, 0}}},
        {"aim to the largest", {[](GlobalVariable& g) { g.edits.setAim(FactsText::MaxAim); }, {1, E::AimPart}}},
        {"aim off", {[](GlobalVariable& g) { g.edits.setAim(0); }, {1, E::AimPart}}},
        {"participant renamed",
         {[](GlobalVariable& g) {
              QList<Participant> p = g.participants;
              p.last().strName = QStringLiteral("Борис");
              p.first().intShare = 10;
              g.edits.setParticipants(p, QString());
          },
          {1, E::ParticipantsPart}}},
        {"a series",
         {[](GlobalVariable& g) {
              g.edits.addDay();
              g.edits.setMeal(4, 2, {3}, QString());
              g.edits.exchangeDays(4, 1);
              g.edits.appendProducts({product("Изюм", 30, "гр")}, QString());
              g.edits.setMeal(1, 2, {3, 4}, QString());
              g.edits.deleteDay(2);
          },
          {6, E::RationPart | E::SettingsPart | E::CatalogPart}}},
    };
    for (qint16 people : {qint16(1), qint16(2), qint16(30)}) {
        for (const auto& [name, what] : edits) {
            QTest::addRow("%s, %d", name, int(people))
                << people << what.first << what.second.first << what.second.second;
        }
    }
}

void tst_tripeditor::roundTrip()
{
    QFETCH(qint16, people);
    QFETCH(Edit, edit);
    QFETCH(int, steps);
    QFETCH(unsigned, parts);
    GlobalVariable g;
    makeSample(g, people);
    g.blnChanged = false;
    const QByteArray before = TestSupport::tripBytes(g);
    std::vector<TripChange> made;
    unsigned announced = 0;
    connect(&g.edits, &TripEditor::made, this, [&](const TripChange& c) { made.push_back(c); });
    connect(&g.edits, &TripEditor::changed, this, [&](unsigned p) { announced |= p; });

    edit(g);
    QCOMPARE(int(made.size()), steps);
    QCOMPARE(announced, parts);
    QCOMPARE(g.blnChanged, steps > 0);
    const QByteArray after = TestSupport::tripBytes(g);
    QCOMPARE(after == before, steps == 0);

    for (auto it = made.rbegin(); it != made.rend(); ++it)
        g.edits.undo(*it);
    QCOMPARE(TestSupport::tripBytes(g), before);
    for (const TripChange& c : made)
        g.edits.redo(c);
    QCOMPARE(TestSupport::tripBytes(g), after);
}

void tst_tripeditor::refusedChangeLeavesTheTrip_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::newRow("append past a full catalog") << Edit([](GlobalVariable& g) {
        QList<clsProduct> many(clsCatalog::MaxSize - g.objCatalog.size() + 1, product("П", 1, "гр"));
        g.edits.appendProducts(many, QString());
    });
    QTest::newRow("meal of a day the ration lacks")
        << Edit([](GlobalVariable& g) { g.edits.setMeal(4, 1, {1}, QString()); });
    QTest::newRow("meal 4") << Edit([](GlobalVariable& g) { g.edits.setMeal(1, 4, {1}, QString()); });
    QTest::newRow("delete day 0") << Edit([](GlobalVariable& g) { g.edits.deleteDay(0); });
    QTest::newRow("exchange with day 4") << Edit([](GlobalVariable& g) { g.edits.exchangeDays(1, 4); });
    QTest::newRow("product past the catalog")
        << Edit([](GlobalVariable& g) { g.edits.setProduct(4, product("Соль", 5, "гр"), QString()); });
    // Parts made before the one that does not fit are taken back.
    QTest::newRow("second part does not fit") << Edit([](GlobalVariable& g) {
        TripSettings s = g;
        s.strDeffine = QStringLiteral("изменено");
        g.edits.make(TripChange{
            QString(), {TripChange::Settings{g, s}, TripChange::DayAdded{}, TripChange::Meal{9, 1, {}, {1}}}, 0});
    });
}

void tst_tripeditor::refusedChangeLeavesTheTrip()
{
    QFETCH(Edit, edit);
    GlobalVariable g;
    makeSample(g, 2);
    const QByteArray before = TestSupport::tripBytes(g);
    int intMade = 0;
    connect(&g.edits, &TripEditor::made, this, [&] { ++intMade; });
    QVERIFY_THROWS_EXCEPTION(ModelError, edit(g));
    QCOMPARE(TestSupport::tripBytes(g), before);
    QCOMPARE(g.objMenuList.size(), qint16(3));
    QCOMPARE(intMade, 0);
}

void tst_tripeditor::catalogChangesSince()
{
    // A window that looks again learns what to move: one product, or that it must sort anew.
    GlobalVariable g;
    makeSample(g, 2);
    TripEditor& e = g.edits;
    const auto rename = [&](qint16 i, const char* name) {
        e.setProduct(i, changed(g, i, [&](clsProduct& p) { p.setName(QString::fromUtf8(name)); }), QString());
    };
    const quint64 start = e.catalogRevision();
    QCOMPARE(e.catalogChangeSince(start), 0);
    rename(2, "Мёд");
    QCOMPARE(e.catalogChangeSince(start), 2);
    rename(2, "Мука");
    QCOMPARE(e.catalogChangeSince(start), 2); // the same product twice
    const quint64 one = e.catalogRevision();
    rename(1, "Крупа");
    QCOMPARE(e.catalogChangeSince(one), 1);
    QCOMPARE(e.catalogChangeSince(start), -1); // two products
    const quint64 two = e.catalogRevision();
    e.appendProducts({product("Изюм", 30, "гр")}, QString());
    QCOMPARE(e.catalogChangeSince(two), 4);
    const quint64 three = e.catalogRevision();
    e.appendProducts({product("Соль", 5, "гр"), product("Перец", 1, "гр")}, QString());
    QCOMPARE(e.catalogChangeSince(three), -1);
    // Changes of the ration leave the catalog's revision alone.
    const quint64 four = e.catalogRevision();
    e.addDay();
    QCOMPARE(e.catalogChangeSince(four), 0);
    // Long ago: more changes than are remembered.
    for (int i = 0; i < 100; ++i)
        rename(1, i % 2 ? "Крупа" : "Ячка");
    QCOMPARE(e.catalogChangeSince(four), -1);
    QCOMPARE(e.catalogChangeSince(e.catalogRevision() - 1), 1);
    // A trip replaced whole is sorted anew.
    const quint64 five = e.catalogRevision();
    e.replaced();
    QCOMPARE(e.catalogChangeSince(five), -1);
}

QTEST_GUILESS_MAIN(tst_tripeditor)
#include "tst_tripeditor.moc"

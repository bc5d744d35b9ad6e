#include "app/CommandLine.h"
#include "export/clsRKWord.h"
#include "model/CarryPlan.h"
#include "support/DocumentCheck.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/UpDown.h"
#include "ui/WindowSize.h"
#include "ui/main/frmMainForm.h"
#include "ui/tools/CarryBars.h"
#include "ui/tools/frmCarry.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>

using namespace TestSupport;

namespace {

// Three people, four days from 1 July 2026: groats at lunch and dinner (meal bags of
// 240 g), tinned meat in one-tin packages of 325 g at dinner, tea of unknown weight.
struct Carry : ExportingTrip
{
    Forms forms{g};

    Carry()
    {
        makeTrip(g, {{"Гречка", "80", "гр"}, {"Тушёнка", "1", "шт"}, {"Чай", "2", "пак"}}, {"1 | 1 2 | 3"}, 3, 2, 4,
                 QDate(2026, 7, 1));
        g.dtDataEnd = QDate(2026, 7, 4);
        g.objCatalog.GetProduct(2).facts.gramsPerUnit = 32500;
        g.objCatalog.GetProduct(2).facts.package = 100;
        g.participants = {{QStringLiteral("Аня"), 80}, {QStringLiteral("Боря"), 125}, {QStringLiteral("Вера"), 100}};
        forms.MainForm().ReWriteOption();
        forms.MainForm().show();
        forms.MainForm().findChild<QAction*>(QStringLiteral("mnuCarry"))->trigger();
    }

    frmCarry& w() { return forms.Carry(); }
    QTableWidget* table() { return w().findChild<QTableWidget*>(QStringLiteral("tblParticipants")); }
    QTreeView* tree() { return w().findChild<QTreeView*>(QStringLiteral("treeCarry")); }
    QAbstractItemModel* model() { return tree()->model(); }
    // Text of a top line, or of line k under top line j.
    QString text(int j, int column = 0) { return model()->index(j, column).data().toString(); }
    QString text(int j, int k, int column) { return model()->index(k, column, model()->index(j, 0)).data().toString(); }
    int lines(int j) { return model()->rowCount(model()->index(j, 0)); }
    CarryBars* bars() { return w().findChild<CarryBars*>(QStringLiteral("barsCarry")); }
    void click(const char* name) { QTest::mouseClick(w().findChild<QPushButton*>(name), Qt::LeftButton); }

    // The tree's loads of the participants.
    QList<qint64> treeLoads()
    {
        QList<qint64> loads;
        for (int j = 0; j < g.participants.size(); ++j)
            loads.append(text(j, 1).toLongLong());
        return loads;
    }
};

// A 1280 x 800 screen less a 40 pixel panel.
const QRect Laptop(0, 0, 1280, 760);

// Every column as wide as its header and its widest line, and no scrolling sideways.
void checkColumns(QAbstractItemView* view, QHeaderView* header)
{
    for (int c = 0; c < header->count(); ++c) {
        const QString strWhere = view->objectName() + QStringLiteral(", column ") + QString::number(c);
        QVERIFY2(header->sectionSize(c) >= view->sizeHintForColumn(c), qPrintable(strWhere));
        QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c), qPrintable(strWhere));
    }
    QVERIFY2(header->length() <= view->viewport()->width(), qPrintable(view->objectName()));
    QVERIFY2(!view->horizontalScrollBar()->isVisible(), qPrintable(view->objectName()));
}

QByteArray run(const QStringList& args, int& intExit)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    intExit = CommandLine::run(args, out, err);
    return out.data() + err.data();
}

} // namespace

class tst_frmcarry : public QObject
{
    Q_OBJECT

private slots:
    void opensModalFromTheMenu();
    void treeAndBarsShowTheSplit();
    void editsParticipants_data();
    void editsParticipants();
    void pinsAProduct();
    void showsExactWeights_data();
    void showsExactWeights();
    void wordWritesOneTablePerParticipant();
    void commandLineAgreesWithTheWindow();
    void sampleTrip();
    void participantsFollowTheCount();
    void opensShowingEveryColumn_data();
    void opensShowingEveryColumn();
    void remembersItsSize();
};

void tst_frmcarry::opensModalFromTheMenu()
{
    Carry t;
    QVERIFY(t.w().isVisible());
    QVERIFY(!t.forms.MainForm().isEnabled());
    t.click("cmdClose");
    QVERIFY(!t.w().isVisible());
    QVERIFY(t.forms.MainForm().isEnabled());
}

void tst_frmcarry::treeAndBarsShowTheSplit()
{
    Carry t;
    const CarryPlan& plan = t.w().plan();
    // 8 bags of groats and 12 tins: 8 x 240 + 12 x 325 grams.
    QCOMPARE(CarryWeights::text(plan.total), QString::number(8 * 240 + 12 * 325));
    QCOMPARE(t.model()->rowCount(), 4); // three participants and "не распределено"
    qint64 sum = 0;
    for (qint64 load : t.treeLoads())
        sum += load;
    QCOMPARE(QString::number(sum), CarryWeights::text(plan.total));
    QCOMPARE(t.text(3), QStringLiteral("не распределено"));
    QCOMPARE(t.text(3, 0, 0), QStringLiteral("Чай — 24 пак"));

    // Bars as long as the loads, in one scale, each drawn where it is said to be.
    t.bars()->resize(400, 200);
    QImage image(t.bars()->size(), QImage::Format_ARGB32);
    t.bars()->render(&image);
    const QList<qint64> loads = t.treeLoads();
    const double scale = t.bars()->barRect(0).width() / double(loads.at(0));
    for (int j = 0; j < 3; ++j) {
        const QRectF bar = t.bars()->barRect(j);
        QVERIFY(qAbs(bar.width() - loads.at(j) * scale) < 0.5);
        const QColor c = image.pixelColor(bar.center().toPoint() - QPoint(int(bar.width() / 4), 0));
        QVERIFY(c == CarryBars::barColor() || c == CarryBars::overColor());
    }
}

void tst_frmcarry::editsParticipants_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("name") << 0 << "Анна" << true << "Анна";
    QTest::newRow("name with a semicolon") << 0 << "Аня;Боря" << false << "Аня";
    QTest::newRow("name outside the code page") << 0 << "Аня ☃" << false << "Аня";
    QTest::newRow("share with a comma") << 1 << "0,5" << true << "0.5";
    QTest::newRow("share too large") << 1 << "4" << false << "0.8";
    QTest::newRow("share three decimals") << 1 << "0.755" << false << "0.8";
}

void tst_frmcarry::editsParticipants()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    Carry t;
    t.g.blnChanged = false;
    const QList<qint64> before = t.treeLoads();
    t.table()->item(0, column)->setText(typed);
    QCOMPARE(t.table()->item(0, column)->text(), shown);
    QCOMPARE(t.g.blnChanged, accepted);
    QCOMPARE(messageTexts().isEmpty(), accepted);
    if (!accepted) {
        QVERIFY(messageTexts().last().contains(QStringLiteral("участника № 1")));
        return;
    }
    if (column == 0) {
        QCOMPARE(t.g.participants.at(0).strName, typed);
        QVERIFY(t.text(0).contains(typed));
    } else {
        // A lighter share re-splits at once: the first carries less.
        QCOMPARE(t.g.participants.at(0).intShare, 50);
        QVERIFY(t.treeLoads().at(0) < before.at(0));
    }
}

void tst_frmcarry::showsExactWeights_data()
{
    QTest::addColumn<qint64>("gramsPerUnit"); // hundredths
    QTest::addColumn<qint64>("package");      // hundredths
    QTest::addColumn<qint64>("pieces");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("total");
    // 24 tea bags for three people over four days, beside 3840 g of groats and tins.
    QTest::newRow("tea bags of 2.5 g") << qint64(250) << qint64(100) << qint64(24) << "2.5"
                                       << "5880";
    QTest::newRow("tea bags of 0.5 g") << qint64(50) << qint64(100) << qint64(24) << "0.5"
                                       << "5832";
    QTest::newRow("packages of 0.01 bag") << qint64(250) << qint64(1) << qint64(2400) << "0.025"
                                          << "5880";
}

void tst_frmcarry::showsExactWeights()
{
    QFETCH(qint64, gramsPerUnit);
    QFETCH(qint64, package);
    QFETCH(qint64, pieces);
    QFETCH(QString, piece);
    QFETCH(QString, total);
    Carry t;
    t.g.objCatalog.GetProduct(3).facts.gramsPerUnit = gramsPerUnit;
    t.g.objCatalog.GetProduct(3).facts.package = package;
    t.w().Recalculate();
    QCOMPARE(t.model()->rowCount(), 3); // nothing of unknown weight left
    const QString strLine = QStringLiteral("Чай — (\\d+) уп\\. по %1 гр, ").arg(QRegularExpression::escape(piece));
    qint64 carried = 0;
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < t.lines(j); ++k) {
            const QRegularExpressionMatch match = QRegularExpression(strLine).match(t.text(j, k, 0));
            if (match.hasMatch())
                carried += match.captured(1).toLongLong();
        }
    }
    QCOMPARE(carried, pieces);
    QCOMPARE(CarryWeights::text(t.w().plan().total), total);
    QVERIFY(t.w()
                .findChild<QLabel*>(QStringLiteral("lblBound"))
                ->text()
                .startsWith(QStringLiteral("Всего %1 гр.").arg(total)));
}

void tst_frmcarry::pinsAProduct()
{
    Carry t;
    // Pin the tinned meat to the second participant.
    QModelIndex line;
    for (int j = 0; j < 3 && !line.isValid(); ++j) {
        for (int k = 0; k < t.lines(j); ++k) {
            if (t.text(j, k, 0).startsWith(QStringLiteral("Тушёнка")))
                line = t.model()->index(k, 0, t.model()->index(j, 0));
        }
    }
    QVERIFY(line.isValid());
    t.tree()->setCurrentIndex(line);
    t.w().findChild<QComboBox*>(QStringLiteral("cboPinTo"))->setCurrentIndex(1);
    t.click("cmdPin");
    QCOMPARE(t.w().pins().value(2), 1);
    bool found = false;
    for (int k = 0; k < t.lines(1); ++k)
        found |= t.text(1, k, 0).startsWith(QStringLiteral("Тушёнка — 12 уп. по 325 гр"));
    QVERIFY(found);
    // The pinned line stays selected across the re-split and says it is pinned.
    QCOMPARE(t.tree()->currentIndex().data().toString().endsWith(QStringLiteral("[закреплено]")), true);
    for (int j : {0, 2}) {
        for (int k = 0; k < t.lines(j); ++k)
            QVERIFY(!t.text(j, k, 0).startsWith(QStringLiteral("Тушёнка")));
    }
    // Pins last while the window is open, not beyond.
    t.click("cmdClose");
    QVERIFY(t.w().pins().isEmpty());
}

void tst_frmcarry::wordWritesOneTablePerParticipant()
{
    Carry t;
    t.click("cmdWord");
    const WordDocument& doc = t.last();
    const QList<const WordTable*> tables = doc.main.tables();
    QCOMPARE(tables.size(), 4); // three participants and the unknown weights
    const CarryPlan& plan = t.w().plan();
    for (int j = 0; j < 3; ++j) {
        const WordTable& table = *tables.at(j);
        QCOMPARE(table.rows.size(), plan.packs.at(j).lines.size() + 2);
        QCOMPARE(table.cell(int(table.rows.size()) - 1, 0).text(), QStringLiteral("ВСЕГО:"));
        QCOMPARE(table.cell(int(table.rows.size()) - 1, 2).text(), CarryWeights::text(plan.packs.at(j).load));
    }
    QVERIFY(doc.main.text().contains(QStringLiteral("Боря (доля 1.25)")));
}

void tst_frmcarry::commandLineAgreesWithTheWindow()
{
    Carry t;
    // Weights of piece goods are stored by another section of the file; without them
    // the tins are listed apart, on both sides.
    t.g.objCatalog.GetProduct(2).facts = ProductFacts();
    t.w().Recalculate();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trip.trb"));
    QString strMessage;
    QVERIFY2(TripFile::save(t.g, path, strMessage), qPrintable(strMessage));
    int intExit = -1;
    const QByteArray out = run({QStringLiteral("--list"), QStringLiteral("carry"), path}, intExit);
    QCOMPARE(intExit, 0);
    const QStringList rows = QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
    QStringList expected;
    for (const QStringList& row : t.w().plan().rows())
        expected.append(row.join(u'\t'));
    QCOMPARE(rows, expected);
    QVERIFY(rows.contains(QStringLiteral("2\tБоря\tВСЕГО:\t\t%1").arg(t.treeLoads().at(1))));
    QVERIFY(rows.last().startsWith(QStringLiteral("не распределено\t\tЧай\t24\tпак")));

    const QString docx = dir.filePath(QStringLiteral("carry.docx"));
    run({QStringLiteral("--export"), QStringLiteral("carry"), path, QStringLiteral("--output"), docx}, intExit);
    QCOMPARE(intExit, 0);
    QVERIFY(QFile::exists(docx));
    run({QStringLiteral("--list"), QStringLiteral("carry"), path, QStringLiteral("--shift"), QStringLiteral("1")},
        intExit);
    QCOMPARE(intExit, 2);
}

void tst_frmcarry::sampleTrip()
{
    // The sample trip opens with its named participants, every piece with someone.
    PlatformRecorder platform;
    GlobalVariable g;
    InitGlobalVariable(g);
    QString strMessage;
    QVERIFY2(TripFile::load(g, QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb"), strMessage),
             qPrintable(strMessage));
    Forms forms{g};
    forms.MainForm().ReWriteOption();
    forms.MainForm().show();
    forms.MainForm().findChild<QAction*>(QStringLiteral("mnuCarry"))->trigger();
    frmCarry& w = forms.Carry();
    QCOMPARE(w.plan().packs.size(), 8);
    QCOMPARE(w.plan().packs.at(0).strName, QStringLiteral("Егор (руководитель)"));
    CarryWeight sum = 0;
    for (const CarryPack& pack : w.plan().packs)
        sum += pack.load;
    QVERIFY(sum == w.plan().total);
    QVERIFY(w.plan().total > 0);
    QVERIFY(w.plan().gapPercent() < 1.0);

    const QString dir = qEnvironmentVariable("TORBEL_SHOTS_DIR");
    if (!dir.isEmpty()) {
        // As it opens on a laptop, not on the small screen of the tests.
        w.resize(w.openingSize(Laptop));
        QCoreApplication::processEvents();
        QDir().mkpath(dir);
        QVERIFY(w.grab().save(dir + QStringLiteral("/carry.png")));
    }
}

void tst_frmcarry::participantsFollowTheCount()
{
    Carry t;
    t.click("cmdClose");
    auto* people = t.forms.MainForm().findChild<UpDown*>(QStringLiteral("UpDownPeople"));
    people->setValue(5);
    QCOMPARE(t.g.participants.size(), 5);
    QCOMPARE(t.g.participants.at(4), (Participant{QStringLiteral("Участник 5"), 100}));
    people->setValue(2);
    QCOMPARE(t.g.participants, (QList<Participant>{{"Аня", 80}, {"Боря", 125}}));
    // The window shows the list as it now is.
    t.forms.MainForm().findChild<QAction*>(QStringLiteral("mnuCarry"))->trigger();
    QCOMPARE(t.table()->rowCount(), 2);
    QCOMPARE(t.w().plan().packs.size(), 2);
}

void tst_frmcarry::opensShowingEveryColumn_data()
{
    QTest::addColumn<int>("people"); // 0: the sample trip
    QTest::newRow("sample trip") << 0;
    QTest::newRow("1 participant") << 1;
    QTest::newRow("2 participants") << 2;
    QTest::newRow("30 participants") << 30;
}

void tst_frmcarry::opensShowingEveryColumn()
{
    QFETCH(int, people);
    PlatformRecorder platform;
    GlobalVariable g;
    InitGlobalVariable(g);
    if (people == 0) {
        QString strMessage;
        QVERIFY2(TripFile::load(g, QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb"), strMessage),
                 qPrintable(strMessage));
    } else {
        // Long names on both sides, ten days of a big group's food.
        makeTrip(g,
                 {{"Сублимированное рагу по-охотничьи с овощами", "250", "гр"},
                  {"Тушёнка говяжья высшего сорта", "1", "шт"},
                  {"Чай", "2", "пак"}},
                 {"1 | 1 2 | 3"}, qint16(people), 1, 10, QDate(2026, 7, 1));
        g.dtDataEnd = QDate(2026, 7, 10);
        g.objCatalog.GetProduct(2).facts.gramsPerUnit = 32500;
        for (int i = 0; i < people; ++i)
            g.participants.append({QStringLiteral("Участница похода с очень длинным именем %1").arg(i + 1), 300});
    }
    Forms forms{g};
    forms.MainForm().ReWriteOption();
    forms.MainForm().show();
    forms.MainForm().findChild<QAction*>(QStringLiteral("mnuCarry"))->trigger();
    frmCarry& w = forms.Carry();
    const QSize size = w.openingSize(Laptop);
    QVERIFY(size.width() <= Laptop.width() - WindowSize::FrameWidth);
    QVERIFY(size.height() <= Laptop.height() - WindowSize::FrameHeight);
    w.resize(size);
    QCoreApplication::processEvents();
    auto* tree = w.findChild<QTreeView*>(QStringLiteral("treeCarry"));
    auto* table = w.findChild<QTableWidget*>(QStringLiteral("tblParticipants"));
    QVERIFY(tree->model()->rowCount() > 0);
    checkColumns(tree, tree->header());
    checkColumns(table, table->horizontalHeader());
}

void tst_frmcarry::remembersItsSize()
{
    QSize closed;
    {
        Carry t;
        QWidget probe;
        const QRect screen = WindowSize::available(probe);
        QCOMPARE(t.w().size(), t.w().openingSize(screen).expandedTo(t.w().minimumSize()));
        t.w().resize(t.w().width() - 1, t.w().height() - 1);
        closed = t.w().size();
        t.click("cmdClose");
        QCOMPARE(WindowSize::kept(QStringLiteral("frmCarry")), std::optional<QSize>(closed));
        // The next run finds it.
        Forms again{t.g};
        again.MainForm().ReWriteOption();
        again.MainForm().show();
        again.MainForm().findChild<QAction*>(QStringLiteral("mnuCarry"))->trigger();
        QCOMPARE(again.Carry().size(), closed);
    }
    // What a test keeps goes with its recorder.
    QVERIFY(WindowSize::kept(QStringLiteral("frmCarry")) != std::optional<QSize>(closed));
}

QTEST_MAIN(tst_frmcarry)
#include "tst_frmcarry.moc"

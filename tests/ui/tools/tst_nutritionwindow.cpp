#include "app/CommandLine.h"
#include "model/GlobalVariable.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/main/frmMainForm.h"
#include "ui/tools/NutritionChart.h"
#include "ui/tools/frmNutrition.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using Rows = QList<QStringList>;

namespace {

const QString Sample = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb");

Rows commandLine(const QStringList& arguments)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    if (CommandLine::run(arguments, out, err) != CommandLine::ExitOk)
        return {{QString::fromUtf8(err.data())}};
    Rows rows;
    for (const QString& line : QString::fromUtf8(out.data()).split(u'\n', Qt::SkipEmptyParts))
        rows.append(line.split(u'\t'));
    return rows;
}

Rows shown(const QTableView* view)
{
    Rows rows;
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells.append(m->index(r, c).data().toString());
        rows.append(cells);
    }
    return rows;
}

// The row of the catalog table that shows this product.
QModelIndex factCell(const QTableView* view, const QString& strName, int intColumn)
{
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        if (m->index(r, 0).data().toString() == strName)
            return m->index(r, intColumn);
    }
    return {};
}

} // namespace

class tst_nutritionwindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensFromTheServiceMenu();
    void agreesWithTheCommandLine();
    void chartBarsAreTheFigures();
    void editingAValue();
    void aim();
    void importedTable();
    void followsTheCatalog_data();
    void followsTheCatalog();
    void picture();

private:
    frmNutrition& open();

    std::unique_ptr<TestSupport::PlatformRecorder> m_platform;
    std::unique_ptr<GlobalVariable> m_g;
    std::unique_ptr<Forms> m_forms;
};

void tst_nutritionwindow::init()
{
    m_platform = std::make_unique<TestSupport::PlatformRecorder>();
    m_g = std::make_unique<GlobalVariable>();
    InitGlobalVariable(*m_g);
    m_forms = std::make_unique<Forms>(*m_g);
    QString strMessage;
    QVERIFY2(TripFile::load(*m_g, Sample, strMessage), qPrintable(strMessage));
    m_forms->MainForm().ReWriteOption();
    m_forms->MainForm().show();
}

void tst_nutritionwindow::cleanup()
{
    m_forms.reset();
    m_g.reset();
    m_platform.reset();
}

frmNutrition& tst_nutritionwindow::open()
{
    auto* action = m_forms->MainForm().findChild<QAction*>(QStringLiteral("mnuNutrition"));
    if (action)
        action->trigger();
    return m_forms->Nutrition();
}

void tst_nutritionwindow::opensFromTheServiceMenu()
{
    auto* service = m_forms->MainForm().findChild<QMenu*>(QStringLiteral("mnuService"));
    QVERIFY(service);
    QCOMPARE(service->actions().value(0)->text(), QStringLiteral("&Питание и закупка..."));
    frmNutrition& w = open();
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Питание и закупка"));
    QVERIFY(!m_forms->MainForm().isEnabled());
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(m_forms->MainForm().isEnabled());
    QVERIFY(!m_g->blnChanged); // looking changes nothing
}

void tst_nutritionwindow::agreesWithTheCommandLine()
{
    frmNutrition& w = open();
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"));
    const Rows nutrition = commandLine({QStringLiteral("--list"), QStringLiteral("nutrition"), Sample});
    QCOMPARE(nutrition.size(), 11);
    tabs->setCurrentIndex(1);
    QCOMPARE(shown(w.findChild<QTableView*>(QStringLiteral("tblDays"))), nutrition);

    auto* shift = w.findChild<QComboBox*>(QStringLiteral("cboShift"));
    auto* shopping = w.findChild<QTableView*>(QStringLiteral("tblShopping"));
    QCOMPARE(shift->count(), 1 + m_g->intCountSmena);
    tabs->setCurrentIndex(2);
    QCOMPARE(shown(shopping), commandLine({QStringLiteral("--list"), QStringLiteral("shopping"), Sample}));
    shift->setCurrentIndex(2);
    QCOMPARE(shown(shopping), commandLine({QStringLiteral("--list"), QStringLiteral("shopping"), Sample,
                                           QStringLiteral("--shift"), QStringLiteral("2")}));

    // The chart draws the same figures.
    const auto* chart = w.findChild<NutritionChart*>();
    QCOMPARE(chart->table().days.size(), nutrition.size() - 1);
    for (qsizetype i = 0; i < chart->table().days.size(); ++i)
        QCOMPARE(Nutrition::kcalText(chart->table().days.at(i).perPerson.kcal), nutrition.at(i).at(2));
}

void tst_nutritionwindow::chartBarsAreTheFigures()
{
    frmNutrition& w = open();
    QCOMPARE(w.findChild<NutritionChart*>()->table().days.size(), w.figures().days.size());
    // Drawn alone at a known size, from the window's figures.
    NutritionChart standalone;
    NutritionChart* chart = &standalone;
    chart->setTable(w.figures());
    chart->resize(700, 300);
    const Nutrition::Table& t = chart->table();
    QVERIFY(t.days.size() >= 2 && t.intAim > 0);
    const QRectF area = chart->plotArea();
    const auto heightOf = [&](const QRectF& bar) { return bar.height() / area.height(); };
    // Heights in proportion to the figures, on their own scales.
    for (int i = 1; i < t.days.size(); ++i) {
        QVERIFY(qAbs(heightOf(chart->energyBar(i)) * t.days.at(0).perPerson.kcal -
                     heightOf(chart->energyBar(0)) * t.days.at(i).perPerson.kcal) < 1e-6);
        QVERIFY(qAbs(heightOf(chart->weightBar(i)) * t.days.at(0).perPerson.grams -
                     heightOf(chart->weightBar(0)) * t.days.at(i).perPerson.grams) < 1e-6);
    }
    // The aim's line where the aim is on the energy scale.
    const double aimHeight = (area.bottom() - chart->aimY()) / area.height();
    QVERIFY(qAbs(aimHeight * t.days.at(0).perPerson.kcal - heightOf(chart->energyBar(0)) * t.intAim) < 1e-6);

    const QImage image = chart->grab().toImage();
    for (int i = 0; i < t.days.size(); ++i) {
        const QRect e = chart->energyBar(i).toRect();
        const QRect wb = chart->weightBar(i).toRect();
        QCOMPARE(QColor(image.pixel(e.center())), NutritionChart::energyColor());
        QCOMPARE(QColor(image.pixel(wb.center())), NutritionChart::weightColor());
        QVERIFY(QColor(image.pixel(e.center().x(), e.top() - 3)) != NutritionChart::energyColor());
    }
    const int day = 2;
    QVERIFY(
        chart->toolTipOf(day).contains(Nutrition::kcalText(t.days.at(day).perPerson.kcal) + QStringLiteral(" ккал")));
    QCOMPARE(chart->dayAt(chart->energyBar(day).center()), day);
}

void tst_nutritionwindow::editingAValue()
{
    frmNutrition& w = open();
    auto* facts = w.findChild<QTableView*>(QStringLiteral("tblFacts"));
    const QModelIndex energy = factCell(facts, QStringLiteral("Гречка"), 2);
    QVERIFY(energy.isValid());
    const double kcalBefore = w.figures().average.kcal;
    auto* model = facts->model();

    QVERIFY(!model->setData(energy, QStringLiteral("1001"), Qt::EditRole));
    QCOMPARE(m_platform->boxes.count(), 1);
    QVERIFY(m_platform->boxes.last().text.contains(QStringLiteral("«Гречка»")));
    QCOMPARE(m_g->objCatalog.GetProduct(1).facts.energy, std::optional<qint64>(34600));
    QVERIFY(!m_g->blnChanged);

    QVERIFY(model->setData(energy, QStringLiteral("346"), Qt::EditRole)); // the same value
    QVERIFY(!m_g->blnChanged);

    // Typed into the cell as a user does.
    facts->edit(energy);
    auto* editor = facts->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("400,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view takes the value on its next turn
    QCOMPARE(m_g->objCatalog.GetProduct(1).facts.energy, std::optional<qint64>(40050));
    QVERIFY(m_g->blnChanged);
    QVERIFY(w.figures().average.kcal > kcalBefore);
    QCOMPARE(energy.data().toString(), QStringLiteral("400.5"));

    // A gram product's weight is 1 g and not asked for.
    const QModelIndex weight = factCell(facts, QStringLiteral("Гречка"), 6);
    QVERIFY(!(weight.flags() & Qt::ItemIsEditable));
    QCOMPARE(weight.data().toString(), QStringLiteral("1"));
}

void tst_nutritionwindow::aim()
{
    frmNutrition& w = open();
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"));
    tabs->setCurrentIndex(1);
    QCOMPARE(w.findChild<NutritionChart*>()->table().intAim, 2700);
    tabs->setCurrentIndex(0);
    auto* txt = w.findChild<QLineEdit*>(QStringLiteral("txtAim"));
    QCOMPARE(txt->text(), QStringLiteral("2700"));
    txt->setText(QStringLiteral("20001"));
    w.txtAim_LostFocus();
    QCOMPARE(m_platform->boxes.count(), 1);
    QCOMPARE(m_g->intEnergyAim, 2700);
    QCOMPARE(txt->text(), QStringLiteral("2700"));
    QVERIFY(!m_g->blnChanged);
    txt->setText(QStringLiteral("3500"));
    w.txtAim_LostFocus();
    QCOMPARE(m_g->intEnergyAim, 3500);
    QVERIFY(m_g->blnChanged);
    // Changed while the days were not shown: they show it once they are.
    tabs->setCurrentIndex(1);
    QCOMPARE(w.findChild<NutritionChart*>()->table().intAim, 3500);
    for (const Nutrition::Day& d : w.figures().days)
        QCOMPARE(d.mark, Nutrition::Mark::Low); // every day of the sample is below 90 % of 3500
}

void tst_nutritionwindow::importedTable()
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.csv"));
    const QString good = dir.filePath(QStringLiteral("good.csv"));
    for (const auto& [path, text] : {std::pair{bad, QByteArray("Кисель,380,0,0,95,,\nСуп в пакетах,много,1,1,1,,\n")},
                                     std::pair{good, QByteArray("Кисель,380,0,0,95,,\n")}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    frmNutrition& w = open();
    const qint16 intKisel = 40;
    QCOMPARE(m_g->objCatalog.GetProduct(intKisel).Name(), QStringLiteral("Кисель"));
    m_platform->files.setNextFileName(bad);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QCOMPARE(m_platform->boxes.count(), 1);
    QVERIFY(m_platform->boxes.last().text.contains(QStringLiteral("строка 2")));
    QVERIFY(!m_g->objCatalog.GetProduct(intKisel).facts.energy);
    QVERIFY(!m_g->blnChanged);

    m_platform->files.setNextFileName(good);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QCOMPARE(m_g->objCatalog.GetProduct(intKisel).facts.energy, std::optional<qint64>(38000));
    QCOMPARE(m_g->objCatalog.GetProduct(intKisel).facts.package, std::optional<qint64>(22000)); // kept
    QVERIFY(m_g->blnChanged);
}

// The user guide's picture: TORBEL_SHOTS_DIR=dir saves the window on the sample trip there.
void tst_nutritionwindow::followsTheCatalog_data()
{
    QTest::addColumn<QStringList>("renamed"); // new names of the first products
    QTest::addColumn<QString>("added");       // a product appended, or empty
    QTest::newRow("one renamed") << QStringList{"Яблоки сушёные"} << QString();
    QTest::newRow("one added") << QStringList{} << QStringLiteral("Абрикосы");
    QTest::newRow("two renamed") << QStringList{"Ячмень", "Ааа"} << QString();
    QTest::newRow("renamed and added") << QStringList{"Ёжевика"} << QStringLiteral("Брусника");
}

void tst_nutritionwindow::followsTheCatalog()
{
    // The products are listed by name, whatever changed in the catalog between two
    // openings of the window.
    QFETCH(QStringList, renamed);
    QFETCH(QString, added);
    frmNutrition& w = open();
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
    for (int i = 0; i < renamed.size(); ++i)
        m_g->objCatalog.GetProduct(qint16(i + 1)).setName(renamed.at(i));
    if (!added.isEmpty())
        m_g->objCatalog.AddProduct(added, QStringLiteral("10"), QStringLiteral("гр"));
    open();
    QAbstractItemModel* facts = w.findChild<QTableView*>(QStringLiteral("tblFacts"))->model();
    QStringList names;
    for (int r = 0; r < facts->rowCount(); ++r)
        names.append(facts->index(r, 0).data().toString());
    QStringList expected;
    for (qint16 p = 1; p <= m_g->objCatalog.size(); ++p)
        expected.append(m_g->objCatalog.GetProduct(p).Name());
    // Code unit order, equal names by position, as everywhere in the program.
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
    QCOMPARE(names, expected);
}

void tst_nutritionwindow::picture()
{
    const QString dir = qEnvironmentVariable("TORBEL_SHOTS_DIR");
    if (dir.isEmpty())
        QSKIP("TORBEL_SHOTS_DIR is not set");
    frmNutrition& w = open();
    w.resize(860, 600);
    w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"))->setCurrentIndex(1);
    QCoreApplication::processEvents();
    QDir().mkpath(dir);
    QVERIFY(w.grab().save(dir + QStringLiteral("/nutrition.png")));
}

QTEST_MAIN(tst_nutritionwindow)
#include "tst_nutritionwindow.moc"

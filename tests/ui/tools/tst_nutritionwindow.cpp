#include "app/CommandLine.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "model/Shopping.h"
#include "platform/Printing.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/WindowSize.h"
#include "ui/main/frmMainForm.h"
#include "ui/tools/NutritionChart.h"
#include "ui/tools/TotalsFooter.h"
#include "ui/tools/frmNutrition.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
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

// A 1280 x 800 screen less a 40 pixel panel.
const QRect Laptop(0, 0, 1280, 760);

// Thirty products with long names, each served every day, half of them with packages
// and prices, over intDays days for intPeople.
void thirtyProducts(GlobalVariable& g, qint16 intPeople, qint16 intDays)
{
    QList<QStringList> products;
    QString strMeal;
    for (int i = 1; i <= 30; ++i) {
        products.append({QStringLiteral("Сублимированное рагу по-охотничьи, вариант №%1").arg(i),
                         QString::number(i * 10), i % 3 ? QStringLiteral("гр") : QStringLiteral("шт")});
        strMeal += QString::number(i) + QLatin1Char(' ');
    }
    TestSupport::makeTrip(g, products, {strMeal + QStringLiteral("| 1 2 | 3")}, intPeople,
                          static_cast<qint16>(qMax(1, intPeople / 2)), intDays, QDate(2026, 7, 1));
    g.dtDataEnd = g.dtDataBegin.addDays(intDays - 1);
    for (qint16 p = 1; p <= 30; p += 2) {
        ProductFacts& f = g.objCatalog.GetProduct(p).facts;
        f.energy = 35012;
        f.package = 123456;
        f.price = 9999999;
    }
}

// Every column of the view as wide as its header and its texts, all within the view.
void checkColumns(QTableView* view)
{
    const QAbstractItemView* asView = view;
    int intSum = 0;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        const QString strWhere = view->objectName() + QStringLiteral(", column ") + QString::number(c);
        QVERIFY2(view->columnWidth(c) >= view->horizontalHeader()->sectionSizeHint(c), qPrintable(strWhere));
        QVERIFY2(view->columnWidth(c) >= asView->sizeHintForColumn(c), qPrintable(strWhere));
        intSum += view->columnWidth(c);
    }
    QVERIFY2(intSum <= view->viewport()->width(), qPrintable(view->objectName()));
    QVERIFY2(!view->horizontalScrollBar()->isVisible(), qPrintable(view->objectName()));
}

// The totals wholly in sight: every cell inside the window.
void checkTotals(QWidget& window, TotalsFooter* totals, const QString& strFirst)
{
    QVERIFY(totals->isVisible());
    QCOMPARE(totals->model()->index(0, 0).data().toString(), strFirst);
    for (int r = 0; r < totals->model()->rowCount(); ++r) {
        for (int c = 0; c < totals->model()->columnCount(); ++c) {
            QRect cell = totals->visualRect(totals->model()->index(r, c));
            QVERIFY(totals->viewport()->rect().contains(cell));
            cell.moveTopLeft(totals->viewport()->mapTo(&window, cell.topLeft()));
            QVERIFY(window.rect().contains(cell));
        }
    }
    const QAbstractItemView* asView = totals;
    for (int c = 0; c < totals->model()->columnCount(); ++c)
        QVERIFY(totals->columnWidth(c) >= asView->sizeHintForColumn(c));
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
    void opensShowingEverything_data();
    void opensShowingEverything();
    void remembersItsSize_data();
    void remembersItsSize();
    void shoppingDocument_data();
    void shoppingDocument();
    void shoppingDocumentRefused();
    void totalsSayWhatIsMissing();
    void chartMarksTheTablesDays_data();
    void chartMarksTheTablesDays();
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
    for (int i = 0; i < renamed.size(); ++i) {
        clsProduct p = m_g->objCatalog.GetProduct(qint16(i + 1));
        p.setName(renamed.at(i));
        m_g->edits.setProduct(qint16(i + 1), p, QString());
    }
    if (!added.isEmpty()) {
        clsProduct p;
        p.setName(added);
        p.setNorma(10);
        p.strProductEdin = QStringLiteral("гр");
        m_g->edits.appendProducts({p}, QString());
    }
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

void tst_nutritionwindow::opensShowingEverything_data()
{
    QTest::addColumn<int>("people"); // 0: the sample trip
    QTest::addColumn<int>("days");
    QTest::newRow("sample trip") << 0 << 0;
    QTest::newRow("30 products, 1 participant, 1 day") << 1 << 1;
    QTest::newRow("30 products, 2 participants, 3 days") << 2 << 3;
    QTest::newRow("30 products, 30 participants, 51 days") << 30 << 51;
}

void tst_nutritionwindow::opensShowingEverything()
{
    QFETCH(int, people);
    QFETCH(int, days);
    if (people > 0) {
        InitGlobalVariable(*m_g);
        thirtyProducts(*m_g, qint16(people), qint16(days));
    }
    frmNutrition& w = open();
    const QSize size = w.openingSize(Laptop);
    QVERIFY(size.width() <= Laptop.width() - WindowSize::FrameWidth);
    QVERIFY(size.height() <= Laptop.height() - WindowSize::FrameHeight);
    w.resize(size);
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"));
    const QStringList views{"tblFacts", "tblDays", "tblShopping"};
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        checkColumns(w.findChild<QTableView*>(views.at(page)));
    }
    tabs->setCurrentIndex(1);
    QCoreApplication::processEvents();
    checkTotals(w, w.findChild<TotalsFooter*>(QStringLiteral("tblDaysTotals")), QStringLiteral("в среднем"));
    // On a short trip every day is in sight above the chart too.
    auto* tblDays = w.findChild<QTableView*>(QStringLiteral("tblDays"));
    if (days <= 10)
        QVERIFY(tblDays->visualRect(tblDays->model()->index(int(w.figures().days.size()) - 1, 0)).bottom() <
                tblDays->viewport()->height());
    tabs->setCurrentIndex(2);
    QCoreApplication::processEvents();
    checkTotals(w, w.findChild<TotalsFooter*>(QStringLiteral("tblShoppingTotals")), Shopping::TotalName);
    // The model still holds the totals where the command line prints them.
    auto* tblShopping = w.findChild<QTableView*>(QStringLiteral("tblShopping"));
    const int intLast = tblShopping->model()->rowCount() - 1;
    QCOMPARE(tblShopping->model()->index(intLast, 0).data().toString(), Shopping::PerPersonName);
    QVERIFY(tblShopping->isRowHidden(intLast) && !tblShopping->isRowHidden(0));
}

void tst_nutritionwindow::remembersItsSize_data()
{
    QTest::addColumn<QString>("kept");   // the value found in the key store
    QTest::addColumn<QSize>("expected"); // empty: the opening size
    QTest::newRow("nothing kept") << QString() << QSize();
    QTest::newRow("kept") << "1000x650" << QSize(1000, 650);
    QTest::newRow("larger than the screen") << "100000x100000" << QSize(100000, 100000);
    // Texts that are no size are tst_windowsize's; one stands for them.
    QTest::newRow("not a size") << "большое" << QSize();
}

void tst_nutritionwindow::remembersItsSize()
{
    QFETCH(QString, kept);
    QFETCH(QSize, expected);
    if (!kept.isNull())
        KeyStore::user().SetKeyValue(KeyStore::HKEY_CURRENT_USER, WindowSize::KeyName, QStringLiteral("frmNutrition"),
                                     kept);
    frmNutrition& w = open();
    QWidget probe;
    const QRect screen = WindowSize::available(probe);
    const QSize opening = WindowSize::fit(w.openingSize(screen), screen);
    // Never below what the window's layout needs.
    QCOMPARE(w.size(), (expected.isValid() ? WindowSize::fit(expected, screen) : opening).expandedTo(w.minimumSize()));
    // Closed at another size, it opens at that size in the next run.
    w.resize(qMax(w.minimumWidth(), w.width() - 1), w.height());
    const QSize closed = w.size();
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QCOMPARE(WindowSize::kept(QStringLiteral("frmNutrition")), std::optional<QSize>(closed));
    m_forms = std::make_unique<Forms>(*m_g);
    m_forms->MainForm().show();
    QCOMPARE(open().size(), closed);
}

void tst_nutritionwindow::shoppingDocument_data()
{
    QTest::addColumn<int>("format"); // the Сервис menu's choice: 0 .docx, 1 PDF, 2 printer
    QTest::addColumn<bool>("printAnswer");
    QTest::addColumn<int>("shift");      // 0: the whole trip
    QTest::addColumn<QString>("suffix"); // of the saved file; empty: none saved

    QTest::newRow("docx, whole trip") << 0 << false << 0 << "docx";
    QTest::newRow("docx, shift 1") << 0 << false << 1 << "docx";
    QTest::newRow("pdf, last shift") << 1 << false << 3 << "pdf";
    QTest::newRow("printed, shift 2") << 2 << true << 2 << "";
    QTest::newRow("print cancelled") << 2 << false << 0 << "";
}

void tst_nutritionwindow::shoppingDocument()
{
    QFETCH(int, format);
    QFETCH(bool, printAnswer);
    QFETCH(int, shift);
    QFETCH(QString, suffix);
    Printing::Recorder printer;
    printer.setNextAnswer(printAnswer);
    QTemporaryDir documents;
    objWord(*m_g).setDocumentsFolder(documents.path());
    const QList<QAction*> service = m_forms->MainForm().findChild<QMenu*>(QStringLiteral("mnuService"))->actions();
    service.at(service.size() - 3 + format)->trigger();

    frmNutrition& w = open();
    const qint16 intCountDay = m_g->intCountDay;
    m_g->intCountDay = 3; // the dates changed since the layout was last opened
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"));
    tabs->setCurrentIndex(2);
    w.findChild<QComboBox*>(QStringLiteral("cboShift"))->setCurrentIndex(shift);
    auto* button = w.findChild<QPushButton*>(QStringLiteral("cmdDocument"));
    QCOMPARE(button->text(), QStringLiteral("&Word"));
    QTest::mouseClick(button, Qt::LeftButton);
    service.at(service.size() - 3)->trigger(); // back to .docx for the tests after

    QCOMPARE(m_platform->boxes.count(), 0);
    QCOMPARE(m_g->intCountDay, 3);
    QVERIFY(!m_g->blnChanged);
    const QStringList files = QDir(documents.path()).entryList(QDir::Files);
    QCOMPARE(files.size(), suffix.isEmpty() ? 0 : 1);
    QCOMPARE(m_platform->desktop.count(), suffix.isEmpty() ? 0 : 1);
    QCOMPARE(printer.count(), format == 2 ? 1 : 0);
    if (!suffix.isEmpty())
        QVERIFY2(files.first().endsWith(QLatin1Char('.') + suffix), qPrintable(files.first()));
    QCOMPARE(printer.lastOutput().startsWith("%PDF"), printAnswer);

    // The document holds the list shown, under the shift's title and the trip's days.
    const WordDocument* doc = objWord(*m_g).lastDocument();
    QVERIFY(doc);
    QVERIFY(doc->header.text().contains(shift == 0 ? QStringLiteral("Закупка продуктов с упаковками и стоимостью")
                                                   : QStringLiteral("дежурной смены №%1").arg(shift)));
    QVERIFY(doc->main.text().contains(QStringLiteral("Общая продолжительность: %1 дней").arg(intCountDay)));
    const QList<const WordTable*> tables = doc->main.tables();
    QCOMPARE(tables.size(), 1);
    const Rows rows = shown(w.findChild<QTableView*>(QStringLiteral("tblShopping")));
    QCOMPARE(tables.first()->rows.size(), rows.size() + 1);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c)
            QCOMPARE(tables.first()->cell(r + 1, c).text(), rows.at(r).at(c));
    }
}

void tst_nutritionwindow::shoppingDocumentRefused()
{
    // A trip whose dates do not pass has no days and no document.
    m_g->dtDataEnd = m_g->dtDataBegin.addDays(-1);
    frmNutrition& w = open();
    auto* button = w.findChild<QPushButton*>(QStringLiteral("cmdDocument"));
    QVERIFY(!button->isEnabled());
    w.cmdDocument_Click();
    QVERIFY(!objWord(*m_g).lastDocument());
    QCOMPARE(m_platform->desktop.count(), 0);
}

void tst_nutritionwindow::totalsSayWhatIsMissing()
{
    frmNutrition& w = open();
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"));
    tabs->setCurrentIndex(2);
    auto* totals = w.findChild<TotalsFooter*>(QStringLiteral("tblShoppingTotals"));
    // Every product of the sample has its price; then two lose theirs.
    QCOMPARE(totals->model()->index(0, 6).data().toString(), QString());
    QCOMPARE(w.shopping().countNoPrice(), 0);
    const QString strTotal = totals->model()->index(0, 5).data().toString();
    w.cmdClose_Click();
    for (const qint16 p : {w.shopping().rows.at(0).intIndex, w.shopping().rows.at(3).intIndex})
        m_g->objCatalog.GetProduct(p).facts.price.reset();
    open();
    tabs->setCurrentIndex(2);
    QCOMPARE(totals->model()->index(0, 6).data().toString(), QStringLiteral("без цены: 2"));
    QVERIFY(totals->model()->index(0, 5).data().toString().toDouble() < strTotal.toDouble());

    // The "Без данных" cells name the products they count, with what each lacks.
    tabs->setCurrentIndex(1);
    auto* days = w.findChild<QTableView*>(QStringLiteral("tblDays"));
    const Nutrition::Table& t = w.figures();
    for (int d = 0; d <= t.days.size(); ++d) {
        const QModelIndex cell = days->model()->index(d, 7);
        const QList<qint16>& missing = d < t.days.size() ? t.days.at(d).missing : t.missing;
        QCOMPARE(cell.data().toString(), QString::number(missing.size()));
        const QString tip = cell.data(Qt::ToolTipRole).toString();
        QCOMPARE(tip.isEmpty(), missing.isEmpty());
        for (qint16 p : missing) {
            const clsProduct& product = m_g->objCatalog.GetProduct(p);
            QVERIFY2(tip.contains(product.Name() + QStringLiteral(" — нет: ") +
                                  Nutrition::lacks(product).join(QStringLiteral(", "))),
                     qPrintable(tip));
        }
    }
    QVERIFY(!t.missing.isEmpty());
    // The averages' cell, where it is seen, says the same.
    const QAbstractItemModel* average = w.findChild<TotalsFooter*>(QStringLiteral("tblDaysTotals"))->model();
    QCOMPARE(average->index(0, 7).data(Qt::ToolTipRole),
             days->model()->index(int(t.days.size()), 7).data(Qt::ToolTipRole));
}

void tst_nutritionwindow::chartMarksTheTablesDays_data()
{
    QTest::addColumn<int>("aim");
    QTest::addColumn<int>("width"); // of the chart
    QTest::newRow("sample aim") << 2700 << 700;
    QTest::newRow("every day low") << 20000 << 700;
    QTest::newRow("every day high") << 1 << 700;
    QTest::newRow("poorest day low, narrow") << 0 << 320;
    QTest::newRow("no aim") << -1 << 700;
}

void tst_nutritionwindow::chartMarksTheTablesDays()
{
    QFETCH(int, aim);
    QFETCH(int, width);
    frmNutrition& w = open();
    auto* txtAim = w.findChild<QLineEdit*>(QStringLiteral("txtAim"));
    if (aim == 0) {
        // The poorest day just below 90 % of the aim.
        double kcal = 1e9;
        for (const Nutrition::Day& d : w.figures().days)
            kcal = qMin(kcal, d.perPerson.kcal);
        aim = int(kcal / 0.89);
    }
    txtAim->setText(QString::number(qMax(0, aim)));
    w.txtAim_LostFocus();
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"));
    tabs->setCurrentIndex(1);
    NutritionChart* chart = w.findChild<NutritionChart*>();
    chart->resize(width, 300);
    const QImage image = chart->grab().toImage();
    auto* days = w.findChild<QTableView*>(QStringLiteral("tblDays"));
    bool blnLow = false, blnHigh = false;
    for (int d = 0; d < w.figures().days.size(); ++d) {
        const QVariant background = days->model()->index(d, 0).data(Qt::BackgroundRole);
        const QRectF mark = chart->markRect(d);
        QCOMPARE(mark.isEmpty(), !background.isValid());
        if (!background.isValid())
            continue;
        const QColor color = background.value<QColor>();
        blnLow |= color == NutritionChart::lowColor();
        blnHigh |= color == NutritionChart::highColor();
        const QPoint above(int(mark.left() + mark.width() * 0.05), int(chart->plotArea().top()) + 3);
        QCOMPARE(QColor(image.pixel(above)), color);
        // The day's tooltip says what the table's row says.
        QVERIFY(chart->toolTipOf(d).contains(days->model()->index(d, 0).data(Qt::ToolTipRole).toString()));
    }
    QVERIFY(aim <= 0 || blnLow || blnHigh);
    QStringList legend;
    const QList<NutritionChart::LegendEntry> entries = chart->legend();
    for (int i = 0; i < entries.size(); ++i) {
        legend.append(entries.at(i).strText);
        QVERIFY(QRectF(chart->rect()).contains(entries.at(i).rect));
        QVERIFY(entries.at(i).rect.bottom() < chart->plotArea().top());
        for (int j = 0; j < i; ++j)
            QVERIFY(!entries.at(i).rect.intersects(entries.at(j).rect));
    }
    QCOMPARE(legend.contains(QStringLiteral("меньше 90 % цели")), blnLow);
    QCOMPARE(legend.contains(QStringLiteral("больше 115 % цели")), blnHigh);
}

void tst_nutritionwindow::picture()
{
    const QString dir = qEnvironmentVariable("TORBEL_SHOTS_DIR");
    if (dir.isEmpty())
        QSKIP("TORBEL_SHOTS_DIR is not set");
    frmNutrition& w = open();
    w.resize(w.openingSize(Laptop));
    w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"))->setCurrentIndex(1);
    QCoreApplication::processEvents();
    QDir().mkpath(dir);
    QVERIFY(w.grab().save(dir + QStringLiteral("/nutrition.png")));
    // The shopping page is not in the guide; TORBEL_SHOTS_ALL=1 saves it too.
    if (qEnvironmentVariableIsSet("TORBEL_SHOTS_ALL")) {
        w.findChild<QTabWidget*>(QStringLiteral("tabsNutrition"))->setCurrentIndex(2);
        QCoreApplication::processEvents();
        QVERIFY(w.grab().save(dir + QStringLiteral("/nutrition-shopping.png")));
    }
}

QTEST_MAIN(tst_nutritionwindow)
#include "tst_nutritionwindow.moc"

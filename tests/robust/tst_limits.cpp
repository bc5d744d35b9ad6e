// The largest trip the program takes: a full catalog of 32767 products at norm 32767,
// 30 participants, 51 days, 100 daily menus of 30 products a meal. It is written by the
// trip file writer, opened through the main window, shown in every window, laid out,
// listed and exported to both documents with the right numbers, and saved back to the
// same bytes. Each action's time is printed: a slow one shows here first.
#include "export/WordDocument.h"
#include "export/clsRKWord.h"
#include "model/GlobalVariable.h"
#include "model/PurchaseList.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/about/frmAbout.h"
#include "ui/editor/frmDialogProduct.h"
#include "ui/editor/frmMenu.h"
#include "ui/editor/frmRemoveDay.h"
#include "ui/main/frmCalendar.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmPrintOption.h"
#include "ui/viewer/frmRasklad.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Products = 32767;
constexpr qint16 Norm = 32767;
constexpr qint16 People = 30;
constexpr qint16 Days = 51;
constexpr int Menus = 100;
constexpr int PerMeal = 30;

// One group amount: the whole group at the largest norm.
constexpr qint64 Amount = qint64(Norm) * People; // 983010
// The last product is served in every meal; every other product of the ration in one meal only.
constexpr qint64 LastAmount = Amount * 3 * Days;          // 150409530
constexpr int ServedOnce = Days * 3 * (PerMeal - 1);      // products 1..4437 on the 51 days
constexpr qint64 TripTotal = Amount * Days * 3 * PerMeal; // 4512015900: past 32 bits

QString productName(int k)
{
    // Sorted by name the catalog keeps its order, so a row's product is known.
    return QStringLiteral("Продукт %1").arg(k, 5, 10, QLatin1Char('0'));
}

// Catalog position of entry j (1-based) of meal m of daily menu d.
int position(int d, int m, int j)
{
    return j == PerMeal ? Products : (d - 1) * 3 * (PerMeal - 1) + (m - 1) * (PerMeal - 1) + j;
}

QByteArray fullTrip()
{
    QList<QStringList> products;
    products.reserve(Products);
    for (int k = 1; k <= Products; ++k)
        products.append({productName(k), QString::number(Norm), QStringLiteral("гр")});
    QStringList menus;
    for (int d = 1; d <= Menus; ++d) {
        QStringList meals;
        for (int m = 1; m <= 3; ++m) {
            QStringList entries;
            for (int j = 1; j <= PerMeal; ++j)
                entries.append(QString::number(position(d, m, j)));
            meals.append(entries.join(u' '));
        }
        menus.append(meals.join(u'|'));
    }
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, products, menus, People, 4, Days, QDate(2026, 7, 1));
    g.strDeffine = QStringLiteral("Самый большой поход");
    QByteArray bytes;
    QString strError;
    if (!TripFile::write(TripFile::fromState(g), bytes, strError))
        qWarning("%s", qPrintable(strError));
    return bytes;
}

// Rows of a grid below its header, as shown.
QList<QStringList> gridRows(const QTableView* grid)
{
    QList<QStringList> rows;
    const QAbstractItemModel* m = grid->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells.append(m->index(r, c).data().toString().trimmed());
        rows.append(cells);
    }
    return rows;
}

// The texts of a document's table cells, row by row.
QList<QStringList> tableRows(const WordTable& table)
{
    QList<QStringList> rows;
    for (const WordRow& row : table.rows) {
        QStringList cells;
        for (const WordCell& cell : row.cells)
            cells.append(cell.text().trimmed());
        rows.append(cells);
    }
    return rows;
}

class Stopwatch
{
public:
    explicit Stopwatch(const char* what)
        : m_what(what)
    {
        m_timer.start();
    }
    ~Stopwatch() { qInfo("%-40s %6lld ms", m_what, static_cast<long long>(m_timer.elapsed())); }

private:
    const char* m_what;
    QElapsedTimer m_timer;
};

} // namespace

class tst_limits : public QObject
{
    Q_OBJECT

private slots:
    void fullTripThroughEveryWindow();
};

void tst_limits::fullTripThroughEveryWindow()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("full.trb");
    QByteArray written;
    {
        Stopwatch t("write the trip file");
        written = fullTrip();
    }
    QVERIFY(!written.isEmpty());
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(written), written.size());
    }

    TestSupport::PlatformRecorder recorder;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    objWord(g).setDocumentsFolder(dir.filePath("documents"));
    frmMainForm& main = forms.MainForm();
    main.show();

    // Opened as the user opens it.
    {
        Stopwatch t("open through the main window");
        recorder.files.setNextFileName(path);
        main.findChild<QAction*>("menuMainFileOpen")->trigger();
    }
    QCOMPARE(recorder.boxes.count(), 0);
    QCOMPARE(g.strFileName, path);
    QCOMPARE(int(g.objCatalog.size()), Products);
    QCOMPARE(int(g.objMenuList.size()), Menus);
    QCOMPARE(g.intPeriod, qint16(Menus));
    QCOMPARE(g.intCountPeople, People);
    QCOMPARE(g.objCatalog.GetProduct(Products).Norma(), Norm);

    // The date dialog.
    {
        Stopwatch t("date dialog");
        main.cmdDataBegin_Click();
        QVERIFY(forms.Calendar().isVisible());
        // A 51-day trip's dates stay out of the fields: the user picks the start again.
        forms.Calendar().SetDate(QDate(2026, 7, 1));
        forms.Calendar().cmdOK_Click();
        QVERIFY(!forms.Calendar().isVisible());
    }

    // The editor, both views, with its two dialogs.
    {
        Stopwatch t("ration editor");
        main.cmdMenu_Click();
        frmMenu& menu = forms.Menu();
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.findChild<QTabBar*>("StripDayMenuTabs")->count(), Menus);
        const QList<QStringList> catalog = gridRows(menu.findChild<QTableView*>("tblProduct"));
        QCOMPARE(catalog.size(), Products);
        QCOMPARE(catalog.first(), (QStringList{productName(1), QString::number(Norm), "гр"}));
        QCOMPARE(catalog.last(), (QStringList{productName(Products), QString::number(Norm), "гр"}));
        menu.findChild<QPushButton*>("cmdChange")->click();
        QVERIFY(menu.isRationView());
        const QList<QStringList> meal = gridRows(menu.findChild<QTableView*>("tblDayMenu"));
        QCOMPARE(meal.size(), PerMeal);
        QCOMPARE(meal.first().first(), productName(position(Menus, 1, 1)));

        menu.findChild<QPushButton*>("cmdRename")->click();
        QVERIFY(forms.DialogProduct().isVisible());
        forms.DialogProduct().findChild<QPushButton*>("cmdEsc")->click();
        menu.findChild<QPushButton*>("cmdRemoveDay")->click();
        QVERIFY(forms.RemoveDay().isVisible());
        forms.RemoveDay().findChild<QPushButton*>("btnEsc")->click();
        QVERIFY(menu.isEnabled());
        menu.findChild<QPushButton*>("cmdClose")->click();
        QVERIFY(main.isEnabled());
    }

    // The layout: day 1's lunch, the weights, the trip's total past 32 bits.
    frmRasklad* rasklad = nullptr;
    {
        Stopwatch t("layout window");
        main.cmdRaklad_Click();
        rasklad = &forms.Rasklad();
        QVERIFY(rasklad->isVisible());
    }
    QCOMPARE(recorder.boxes.count(), 0);
    QCOMPARE(g.intCountDay, Days);
    const QList<QStringList> lunch = rasklad->GridRows();
    QCOMPARE(lunch.size(), PerMeal);
    QCOMPARE(lunch.first(), (QStringList{productName(1), QString::number(Amount), "гр"}));
    QCOMPARE(lunch.last(), (QStringList{productName(Products), QString::number(Amount), "гр"}));
    QCOMPARE(g.objRasklad.GetVes(g.objMenuList, g.objCatalog, g.intCountPeople), TripTotal);
    const QString allVes = rasklad->findChild<QLabel*>("lblAllVes")->text();
    QVERIFY2(allVes.contains(QString::number(TripTotal)), qPrintable(allVes));
    // Per person: a meal is 30 products at the largest norm, a day three such meals.
    const QString ves = rasklad->findChild<QLabel*>("lblVes")->text();
    QVERIFY2(ves.contains(QString::number(qint64(Norm) * PerMeal)), qPrintable(ves));
    const QString sutRac = rasklad->findChild<QLabel*>("lblSutRac")->text();
    QVERIFY2(sutRac.contains(QString::number(qint64(Norm) * PerMeal * 3)), qPrintable(sutRac));

    // The layout document, every day, through the export options dialog.
    {
        Stopwatch t("layout document (51 days)");
        rasklad->cmdWord_Click();
        frmPrintOption& options = forms.PrintOption();
        QVERIFY(options.isVisible());
        QVERIFY(options.AllDays());
        options.cmdOK_Click();
        QVERIFY(rasklad->isEnabled());
    }
    QCOMPARE(recorder.boxes.count(), 0);
    const WordDocument* layout = objWord(g).lastDocument();
    QVERIFY(layout);
    QVERIFY(!objWord(g).lastSavedFile().isEmpty());
    const QList<const WordTable*> dayTables = layout->main.tables();
    QCOMPARE(dayTables.size(), int(Days));
    {
        // Day 51 serves daily menu 51: its dinner's first product, the group amount with the unit.
        const QList<QStringList> rows = tableRows(*dayTables.last());
        bool found = false;
        for (const QStringList& row : rows) {
            if (row.contains(productName(position(Days, 2, 1))))
                found = row.contains(QString::number(Amount) + " гр");
        }
        QVERIFY2(found, "day 51 lacks its dinner's first product at 983010 гр");
    }

    // The purchase list: every product served, in name order, and the total past 32 bits.
    {
        Stopwatch t("purchase list");
        rasklad->cmdReport_Click();
    }
    const QList<QStringList> list = rasklad->GridRows();
    QCOMPARE(list.size(), ServedOnce + 2); // and the last product, and the total
    QCOMPARE(list.first(), (QStringList{productName(1), QString::number(Amount), "гр"}));
    QCOMPARE(list.at(ServedOnce - 1), (QStringList{productName(ServedOnce), QString::number(Amount), "гр"}));
    QCOMPARE(list.at(ServedOnce), (QStringList{productName(Products), QString::number(LastAmount), "гр"}));
    const qint64 gramTotal = qint64(ServedOnce) * Amount + LastAmount;
    QCOMPARE(gramTotal, TripTotal);
    QCOMPARE(list.last(), (QStringList{PurchaseList::TotalName, QString::number(TripTotal), PurchaseList::TotalUnit}));

    // The purchase list document copies the list.
    {
        Stopwatch t("purchase list document");
        rasklad->cmdWord_Click();
    }
    QCOMPARE(recorder.boxes.count(), 0);
    const WordDocument* purchases = objWord(g).lastDocument();
    QVERIFY(purchases && purchases != layout);
    QCOMPARE(purchases->main.tables().size(), 1);
    const QList<QStringList> table = tableRows(*purchases->main.tables().first());
    QCOMPARE(table.size(), list.size() + 1); // under a header row
    QCOMPARE(table.at(ServedOnce + 1).mid(0, 3), list.at(ServedOnce));
    QCOMPARE(table.last().mid(0, 3), list.last());

    rasklad->cmdClose_Click();
    QVERIFY(main.isEnabled());

    // The about box.
    main.mnuAbout_Click();
    QVERIFY(forms.hasAbout());
    forms.About().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(main.isEnabled());

    // Saved back: the same bytes.
    const QString again = dir.filePath("again.trb");
    {
        Stopwatch t("save as");
        recorder.files.setNextFileName(again);
        QVERIFY(main.menuMainFileSaveAs_Click());
    }
    QFile f(again);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll() == written);
    QVERIFY(!g.blnChanged);
}

QTEST_MAIN(tst_limits)
#include "tst_limits.moc"

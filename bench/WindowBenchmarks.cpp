#include "BenchContext.h"
#include "BenchTrip.h"

#include "model/GlobalVariable.h"
#include "platform/Desktop.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/TripUndo.h"
#include "ui/UpDown.h"
#include "ui/editor/frmDialogProduct.h"
#include "ui/editor/frmMenu.h"
#include "ui/editor/frmRemoveDay.h"
#include "ui/main/frmMainForm.h"
#include "ui/tools/CarryTreeModel.h"
#include "ui/tools/frmCarry.h"
#include "ui/tools/frmNutrition.h"
#include "ui/viewer/frmPrintOption.h"
#include "ui/viewer/frmRasklad.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTreeView>

#include <functional>

namespace {

// Everything the action left for the event loop: layouts, repaints. It is part of the
// action, since the user sees nothing before it is done.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

double timed(const std::function<void()>& act)
{
    settle();
    QElapsedTimer t;
    t.start();
    act();
    settle();
    return double(t.nsecsElapsed()) / 1e6;
}

template <typename T>
T* child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("benchmark: no control %s in %s", name, qPrintable(w.objectName()));
    return c;
}

void selectRow(QTableView* grid, int intRow)
{
    const QModelIndex index = grid->model()->index(intRow, 0);
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Rows of one trip: the actions are timed in pairs where one undoes the other, so
// the trip stays the same from run to run.
class TripRun
{
public:
    TripRun(BenchContext& ctx, const BenchTrip::Shape& shape, const QString& strFile, double dBudget)
        : m_ctx(ctx)
        , m_shape(shape)
        , m_strFile(strFile)
        , m_dBudget(dBudget)
        , m_strLabel(QStringLiteral(" (") + QLatin1String(shape.name) + QLatin1Char(')'))
    {
    }

    void run()
    {
        firstOpenings();

        GlobalVariable g;
        InitGlobalVariable(g);
        Forms forms(g);
        frmMainForm& main = forms.MainForm();
        main.show();
        settle();
        if (!main.OpenFile(m_strFile))
            qFatal("benchmark: the trip file %s does not open", qPrintable(m_strFile));

        editor(forms, main);
        layout(forms, main);
        // The editor's rows deleted days and added empty ones: the new windows meet the
        // trip as made, not a ration the repeats have emptied.
        g.blnChanged = false;
        if (!main.OpenFile(m_strFile))
            qFatal("benchmark: the trip file %s does not open", qPrintable(m_strFile));
        nutrition(forms, main);
        carry(forms, main);
        mainWindow(g, main);
    }

private:
    void add(const QString& strAction, const QList<double>& times, bool bBoxesExpected = false)
    {
        const QString name = strAction + m_strLabel;
        if (!bBoxesExpected && m_boxes.count() > 0) {
            m_ctx.table.addError(name, QStringLiteral("message box: ") + m_boxes.last().text);
        } else {
            m_ctx.table.add(name, times, m_dBudget);
        }
        m_boxes.clear();
    }

    struct Step
    {
        QString strAction;
        std::function<void()> act;
        std::function<void()> prepare = {}; // untimed, before the action
    };

    // The steps in turn, n times each. Each cycle leaves the trip as it found it, so
    // every run measures the same thing.
    void cycle(const QList<Step>& steps, bool bBoxesExpected = false)
    {
        QList<QList<double>> times(steps.size());
        for (int i = 0; i < m_ctx.intRepeats; ++i) {
            for (qsizetype s = 0; s < steps.size(); ++s) {
                if (steps.at(s).prepare)
                    steps.at(s).prepare();
                times[s].append(timed(steps.at(s).act));
            }
        }
        for (qsizetype s = 0; s < steps.size(); ++s)
            add(steps.at(s).strAction, times.at(s), bBoxesExpected);
    }

    // The latest step taken back and made again, by the actions the shortcuts trigger.
    void undoRedo(Forms& forms, const QString& strWhat)
    {
        QAction* undo = forms.Undo().undoAction();
        QAction* redo = forms.Undo().redoAction();
        if (!undo->isEnabled())
            qFatal("benchmark: nothing to undo for %s", qPrintable(strWhat));
        cycle({{QStringLiteral("undo: ") + strWhat, [&] { undo->trigger(); }},
               {QStringLiteral("redo: ") + strWhat, [&] { redo->trigger(); }}});
    }

    // The first opening of the editor and of the layout window creates them: a new
    // set of windows for every run.
    void firstOpenings()
    {
        QList<double> editorTimes;
        QList<double> layoutTimes;
        for (int i = 0; i < m_ctx.intRepeats; ++i) {
            for (bool bEditor : {true, false}) {
                GlobalVariable g;
                InitGlobalVariable(g);
                Forms forms(g);
                frmMainForm& main = forms.MainForm();
                main.show();
                settle();
                main.OpenFile(m_strFile);
                if (bEditor)
                    editorTimes.append(timed([&] { main.cmdMenu_Click(); }));
                else
                    layoutTimes.append(timed([&] { main.cmdRaklad_Click(); }));
            }
        }
        add(QStringLiteral("editor: first opening (window made)"), editorTimes);
        add(QStringLiteral("layout: first opening (window made)"), layoutTimes);
    }

    void editor(Forms& forms, frmMainForm& main)
    {
        frmMenu& menu = forms.Menu();
        QPushButton* cmdClose = child<QPushButton>(menu, "cmdClose");
        QPushButton* cmdChange = child<QPushButton>(menu, "cmdChange");
        auto click = [&menu](const char* name) { child<QPushButton>(menu, name)->click(); };
        main.cmdMenu_Click();
        cmdClose->click();
        cycle({{QStringLiteral("editor: opening"), [&] { main.cmdMenu_Click(); }},
               {QStringLiteral("editor: closing"), [&] { cmdClose->click(); }}});

        main.cmdMenu_Click();
        cycle({{QStringLiteral("editor: catalog to ration view"), [&] { cmdChange->click(); }},
               {QStringLiteral("editor: ration to catalog view"), [&] { cmdChange->click(); }}});

        // ---- the ration view ----
        cmdChange->click();
        QTabBar* days = child<QTabBar>(menu, "StripDayMenuTabs");
        QTabBar* meals = child<QTabBar>(menu, "StripTrapezaTabs");
        QTableView* tblCatalog = child<QTableView>(menu, "tblCatalog");
        days->setCurrentIndex(0);
        cycle({{QStringLiteral("editor: next day tab"),
                [&] { days->setCurrentIndex((days->currentIndex() + 1) % days->count()); }},
               {QStringLiteral("editor: next meal tab"),
                [&] { meals->setCurrentIndex((meals->currentIndex() + 1) % meals->count()); }}});
        int intPick = 0;
        // A catalog product goes into the meal and, picked as the meal's last row, out again.
        cycle({{QStringLiteral("editor: product into the meal"), [&] { click("cmdAddProduct"); },
                [&] {
                    intPick = (intPick + 97) % tblCatalog->model()->rowCount();
                    selectRow(tblCatalog, intPick);
                }},
               {QStringLiteral("editor: product out of the meal"), [&] { click("cmdDelProduct"); }}});

        // The deletion asks first; the recorder answers OK. The first day goes, so that
        // every other day tab is numbered anew.
        cycle({{QStringLiteral("editor: add a day"), [&] { menu.cmdAddDay_Click(); }},
               {QStringLiteral("editor: delete the first day (confirmed)"), [&] { click("cmdDelDay"); },
                [&] { days->setCurrentIndex(0); }}},
              true);
        // Taking the deletion back puts the first day in again and numbers every tab anew.
        undoRedo(forms, QStringLiteral("the first day deleted, editor open"));

        frmRemoveDay& exchange = forms.RemoveDay();
        cycle({{QStringLiteral("day exchange: opening"), [&] { click("cmdRemoveDay"); }},
               {QStringLiteral("day exchange: OK (two days swapped)"), [&] { exchange.btnOk_Click(); },
                [&] {
                    child<UpDown>(exchange, "UpDownDay1")->setValue(1);
                    child<UpDown>(exchange, "UpDownDay2")->setValue(2);
                }},
               {QStringLiteral("day exchange: cancel"), [&] { exchange.btnEsc_Click(); },
                [&] {
                    click("cmdRemoveDay");
                    settle();
                }}});

        // ---- the catalog view and the product dialog ----
        cmdChange->click();
        frmDialogProduct& dialog = forms.DialogProduct();
        QTableView* tblProduct = child<QTableView>(menu, "tblProduct");
        if (m_shape.intProducts < 32767) {
            // (A full catalog takes no more products.)
            int intNew = 0;
            cycle({{QStringLiteral("product dialog: opening to add"), [&] { click("cmdAdd"); }},
                   {QStringLiteral("product dialog: OK (product added)"), [&] { dialog.cmdClose_Click(); },
                    [&] {
                        child<QLineEdit>(dialog, "txtName")
                            ->setText(QStringLiteral("Новый продукт ") + QString::number(++intNew));
                        child<QLineEdit>(dialog, "txtNorm")->setText(QStringLiteral("25"));
                        child<QComboBox>(dialog, "txtEd")->setEditText(QStringLiteral("гр."));
                    }}});
        }
        int intRow = 0;
        cycle({{QStringLiteral("product dialog: opening to change"), [&] { click("cmdRename"); },
                [&] {
                    intRow = (intRow + 131) % tblProduct->model()->rowCount();
                    selectRow(tblProduct, intRow);
                }},
               {QStringLiteral("product dialog: OK (norm changed)"), [&] { dialog.cmdClose_Click(); },
                [&] { child<QLineEdit>(dialog, "txtNorm")->setText(QString::number(10 + intRow % 90)); }},
               {QStringLiteral("product dialog: cancel"), [&] { dialog.cmdEsc_Click(); },
                [&] {
                    click("cmdRename");
                    settle();
                }}});
        undoRedo(forms, QStringLiteral("a norm changed, editor open"));
        cmdClose->click();
    }

    void layout(Forms& forms, frmMainForm& main)
    {
        main.cmdRaklad_Click();
        frmRasklad& rasklad = forms.Rasklad();
        rasklad.cmdClose_Click();
        cycle({{QStringLiteral("layout: opening"), [&] { main.cmdRaklad_Click(); }},
               {QStringLiteral("layout: closing"), [&] { rasklad.cmdClose_Click(); }}});

        main.cmdRaklad_Click();
        QTabBar* meals = child<QTabBar>(rasklad, "tsTrapeza");
        UpDown* updDay = child<UpDown>(rasklad, "updDay");
        UpDown* updDate = child<UpDown>(rasklad, "updDate");
        UpDown* updSmena = child<UpDown>(rasklad, "updSmena");
        QRadioButton* rbAll = child<QRadioButton>(rasklad, "rbAll");
        QRadioButton* rbSmena = child<QRadioButton>(rasklad, "rbSmena");
        auto next = [](UpDown* upd) { upd->setValue(upd->value() % upd->maximum() + 1); };
        cycle({{QStringLiteral("layout: next meal tab"),
                [&] { meals->setCurrentIndex((meals->currentIndex() + 1) % meals->count()); }},
               {QStringLiteral("layout: next day"), [&] { next(updDay); }},
               {QStringLiteral("layout: next date"), [&] { next(updDate); }}});
        cycle({{QStringLiteral("layout: to the purchase list (all days)"), [&] { rasklad.cmdReport_Click(); }},
               {QStringLiteral("purchase list: by shifts"), [&] { rbSmena->click(); }},
               {QStringLiteral("purchase list: next shift"), [&] { next(updSmena); }},
               {QStringLiteral("purchase list: all days"), [&] { rbAll->click(); }},
               {QStringLiteral("purchase list: back to the layout"), [&] { rasklad.cmdReport_Click(); }}});

        frmPrintOption& options = forms.PrintOption();
        cycle({{QStringLiteral("export options: opening"), [&] { rasklad.cmdWord_Click(); }},
               {QStringLiteral("export options: cancel"), [&] { options.cmdCancel_Click(); }}});
        rasklad.cmdClose_Click();
    }

    // A first opening makes its window: a new set of windows, with the trip open, for
    // every run.
    void firstOpening(const QString& strAction, const std::function<void(frmMainForm&)>& open)
    {
        QList<double> times;
        for (int i = 0; i < m_ctx.intRepeats; ++i) {
            GlobalVariable g;
            InitGlobalVariable(g);
            Forms fresh(g);
            frmMainForm& freshMain = fresh.MainForm();
            freshMain.show();
            settle();
            freshMain.OpenFile(m_strFile);
            times.append(timed([&] { open(freshMain); }));
        }
        add(strAction, times);
    }

    void nutrition(Forms& forms, frmMainForm& main)
    {
        firstOpening(QStringLiteral("nutrition: first opening (window made)"),
                     [](frmMainForm& freshMain) { freshMain.mnuNutrition_Click(); });

        frmNutrition& w = forms.Nutrition();
        main.mnuNutrition_Click();
        w.cmdClose_Click();
        cycle({{QStringLiteral("nutrition: opening"), [&] { main.mnuNutrition_Click(); }},
               {QStringLiteral("nutrition: closing"), [&] { w.cmdClose_Click(); }}});

        main.mnuNutrition_Click();
        QAbstractItemModel* facts = child<QTableView>(w, "tblFacts")->model();
        int intRow = 0;
        QModelIndex cell;
        QString strOld;
        // A value changed and changed back on the products page; the other pages follow when shown.
        cycle(
            {{QStringLiteral("nutrition: energy of a product changed"),
              [&] { facts->setData(cell, QStringLiteral("123.45"), Qt::EditRole); },
              [&] {
                  intRow = (intRow + 97) % facts->rowCount();
                  cell = facts->index(intRow, 2);
                  strOld = cell.data().toString();
              }},
             {QStringLiteral("nutrition: energy changed back"), [&] { facts->setData(cell, strOld, Qt::EditRole); }}});
        // The aim changed where its figures and the chart are shown.
        QTabWidget* tabs = child<QTabWidget>(w, "tabsNutrition");
        tabs->setCurrentIndex(1);
        settle();
        QLineEdit* txtAim = child<QLineEdit>(w, "txtAim");
        const QString strAim = txtAim->text();
        cycle({{QStringLiteral("nutrition: aim changed"), [&] { w.txtAim_LostFocus(); },
                [&] { txtAim->setText(QStringLiteral("2500")); }},
               {QStringLiteral("nutrition: aim changed back"), [&] { w.txtAim_LostFocus(); },
                [&] { txtAim->setText(strAim); }}});
        tabs->setCurrentIndex(0);
        settle();
        QComboBox* cboShift = child<QComboBox>(w, "cboShift");
        cycle({{QStringLiteral("nutrition: to the days and the chart"), [&] { tabs->setCurrentIndex(1); }},
               {QStringLiteral("nutrition: to the shopping list"), [&] { tabs->setCurrentIndex(2); }},
               {QStringLiteral("nutrition: shopping list of shift 1"), [&] { cboShift->setCurrentIndex(1); }},
               {QStringLiteral("nutrition: shopping list of the whole trip"), [&] { cboShift->setCurrentIndex(0); }},
               {QStringLiteral("nutrition: back to the products"), [&] { tabs->setCurrentIndex(0); }}});
        // The table the build puts beside the program.
        const QString strTable = QCoreApplication::applicationDirPath() + QStringLiteral("/../src/foods.csv");
        if (QFile::exists(strTable)) {
            cycle({{QStringLiteral("nutrition: fill from a reference table"), [&] { w.cmdImport_Click(); },
                    [&] { m_files.setNextFileName(strTable); }}});
            // Every product of the catalog changed in one step.
            undoRedo(forms, QStringLiteral("values filled from a reference table"));
        }
        w.cmdClose_Click();
    }

    // The first line of the tree that is a product: a participant may carry nothing,
    // and the lines of unknown weight name no product to pin.
    static QModelIndex firstProductLine(const QAbstractItemModel& model)
    {
        for (int r = 0; r < model.rowCount(); ++r) {
            const QModelIndex participant = model.index(r, 0);
            for (int c = 0; c < model.rowCount(participant); ++c) {
                const QModelIndex line = model.index(c, 0, participant);
                if (line.data(CarryTreeModel::RoleProduct).toInt() > 0)
                    return line;
            }
        }
        return {};
    }

    void carry(Forms& forms, frmMainForm& main)
    {
        firstOpening(QStringLiteral("carry: first opening (window made)"), [](frmMainForm& freshMain) {
            freshMain.findChild<QAction*>(QStringLiteral("mnuCarry"))->trigger();
        });

        QAction* open = main.findChild<QAction*>(QStringLiteral("mnuCarry"));
        frmCarry& w = forms.Carry();
        open->trigger();
        w.cmdClose_Click();
        cycle({{QStringLiteral("carry: opening"), [&] { open->trigger(); }},
               {QStringLiteral("carry: closing"), [&] { w.cmdClose_Click(); }}});

        open->trigger();
        // A share changed and changed back: everything is split again.
        QTableWidget* people = child<QTableWidget>(w, "tblParticipants");
        const QString strShare = people->item(0, 1)->text();
        cycle({{QStringLiteral("carry: share changed"), [&] { people->item(0, 1)->setText(QStringLiteral("0.75")); }},
               {QStringLiteral("carry: share changed back"), [&] { people->item(0, 1)->setText(strShare); }}});
        // A product pinned to the last participant and unpinned.
        QAbstractItemView* tree = child<QAbstractItemView>(w, "treeCarry");
        QComboBox* pinTo = child<QComboBox>(w, "cboPinTo");
        // Without a product line the rows would time a click that does nothing.
        if (!firstProductLine(*tree->model()).isValid()) {
            for (const char* action : {"carry: product pinned", "carry: product unpinned"})
                m_ctx.table.addError(QLatin1String(action) + m_strLabel, QStringLiteral("no product line to pin"));
            w.cmdClose_Click();
            return;
        }
        cycle({{QStringLiteral("carry: product pinned"), [&] { w.cmdPin_Click(); },
                [&] {
                    tree->setCurrentIndex(firstProductLine(*tree->model()));
                    pinTo->setCurrentIndex(pinTo->count() - 1);
                }},
               {QStringLiteral("carry: product unpinned"), [&] { w.cmdUnpinAll_Click(); }}});
        w.cmdClose_Click();
    }

    void mainWindow(GlobalVariable& g, frmMainForm& main)
    {
        // A copy to save into, so that the generated file stays as made.
        const QString strCopy =
            QDir(m_ctx.strDir)
                .filePath(QStringLiteral("window-") + QLatin1String(m_shape.name) + QStringLiteral(".trb"));
        QFile::remove(strCopy);
        QFile::copy(m_strFile, strCopy);
        cycle({{QStringLiteral("main window: open the trip file"), [&] { main.OpenFile(strCopy); }},
               {QStringLiteral("main window: save"), [&] { main.menuMainFileSave_Click(); },
                [&] { g.blnChanged = true; }}});
    }

    BenchContext& m_ctx;
    const BenchTrip::Shape& m_shape;
    QString m_strFile;
    double m_dBudget;
    QString m_strLabel;
    MessageBox::Recorder m_boxes;
    FileDialog::Recorder m_files;
    Desktop::Recorder m_desktop;
    Help::Recorder m_help;
};

} // namespace

void runWindowBenchmarks(BenchContext& ctx)
{
    const auto wanted = [&ctx](const BenchTrip::Shape& shape) {
        return ctx.strTrip.isEmpty() || ctx.strTrip == QLatin1String(shape.name);
    };
    if (wanted(BenchTrip::realistic())) {
        ctx.table.section(QStringLiteral("windows: realistic trip, budget one frame"));
        TripRun(ctx, BenchTrip::realistic(), ctx.strRealisticFile, FrameBudgetMs).run();
    }
    if (wanted(BenchTrip::large())) {
        ctx.table.section(QStringLiteral("windows: large trip, budget one frame"));
        TripRun(ctx, BenchTrip::large(), ctx.strLargeFile, FrameBudgetMs).run();
    }
}

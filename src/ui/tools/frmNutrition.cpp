#include "ui/tools/frmNutrition.h"

#include "export/ShoppingDocument.h"
#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/TripCheck.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/WindowSize.h"
#include "ui/tools/FactsTableModel.h"
#include "ui/tools/NutritionChart.h"
#include "ui/tools/TextRowsModel.h"
#include "ui/tools/TotalsFooter.h"
#include "ui/tools/frmReference.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString Caption = QStringLiteral("Питание и закупка");

constexpr int FitRows = 100;

QTableView* makeView(QAbstractItemModel* model, const QString& strName, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(strName);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Columns are fitted to the rows shown first, as many as a tall window has: measuring
    // a full catalog's would take a good many frames.
    view->horizontalHeader()->setResizeContentsPrecision(FitRows);
    view->verticalHeader()->setResizeContentsPrecision(FitRows);
    return view;
}

// The pages after the products.
constexpr int DaysPage = 1;
constexpr int ShoppingPage = 2;
constexpr int MissingColumn = 7;

// A table over its totals, with no gap between them.
QWidget* withTotals(QTableView* table, TotalsFooter* totals, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(table, 1);
    layout->addWidget(totals);
    return box;
}

// A table's width that shows all its columns, with room for its vertical scroll bar.
int fullWidth(const QTableView* view)
{
    int intWidth = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < view->model()->columnCount(); ++c)
        intWidth += view->columnWidth(c);
    return intWidth;
}

} // namespace

frmNutrition::frmNutrition(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmNutrition"));
    setWindowTitle(Caption);

    auto* lblAim = new QLabel(QStringLiteral("Калорий в сутки на участника:"), this);
    txtAim = new QLineEdit(this);
    txtAim->setObjectName(QStringLiteral("txtAim"));
    txtAim->setMaximumWidth(txtAim->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    txtAim->setToolTip(QStringLiteral("Цель: ккал на участника в сутки, 0 — не задана"));
    lblAim->setBuddy(txtAim);
    cmdFill = new QPushButton(QStringLiteral("Заполнить из справочника"), this);
    cmdFill->setObjectName(QStringLiteral("cmdFill"));
    cmdFill->setToolTip(QStringLiteral("Заполнить пустые поля продуктов, названия которых есть в справочнике"));
    cmdImport = new QPushButton(QStringLiteral("Заполнить из файла..."), this);
    cmdImport->setObjectName(QStringLiteral("cmdImport"));
    cmdImport->setToolTip(QStringLiteral("То же из своего справочника CSV с теми же столбцами"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto* top = new QHBoxLayout;
    top->addWidget(lblAim);
    top->addWidget(txtAim);
    top->addSpacing(16);
    top->addWidget(cmdFill);
    top->addWidget(cmdImport);
    // New products straight from the reference, with their values.
    auto* cmdReference = new QPushButton(QStringLiteral("Добавить из справочника..."), this);
    cmdReference->setObjectName(QStringLiteral("cmdReference"));
    top->addWidget(cmdReference);
    connect(cmdReference, &QPushButton::clicked, this, [this] {
        // The products added are followed as any change of the catalog.
        m_forms.Reference().OpenFrom(*this, [](bool) {});
    });
    top->addWidget(lblStatus, 1);

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabsNutrition"));

    m_facts = new FactsTableModel(m_g, this);
    tblFacts = makeView(m_facts, QStringLiteral("tblFacts"), tabs);
    tblFacts->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    tblFacts->setSelectionBehavior(QAbstractItemView::SelectItems);
    tabs->addTab(tblFacts, QStringLiteral("Продукты"));

    auto* daysPage = new QWidget(tabs);
    lblDays = new QLabel(daysPage);
    lblDays->setObjectName(QStringLiteral("lblDays"));
    lblDays->setWordWrap(true);
    m_days = new TextRowsModel({QStringLiteral("День"), QStringLiteral("Дата"), QStringLiteral("ккал"),
                                QStringLiteral("Белки, г"), QStringLiteral("Жиры, г"), QStringLiteral("Углеводы, г"),
                                QStringLiteral("Вес, г"), QStringLiteral("Без данных")},
                               this);
    // "Без данных" names the products it counts: the day's, or the trip's on the averages' row.
    m_days->setCellTips([this](int intRow, int intColumn) {
        if (intColumn != MissingColumn || intRow < 0 || intRow > m_figures.days.size())
            return QString();
        return Nutrition::missingText(m_g.objCatalog, intRow < m_figures.days.size() ? m_figures.days.at(intRow).missing
                                                                                     : m_figures.missing);
    });
    tblDays = makeView(m_days, QStringLiteral("tblDays"), daysPage);
    tblDays->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The averages stay in sight under the days.
    m_daysTotals = new TotalsFooter(tblDays, 1, daysPage);
    m_daysTotals->setObjectName(QStringLiteral("tblDaysTotals"));
    chart = new NutritionChart(daysPage);
    m_split = new QSplitter(Qt::Vertical, daysPage);
    m_split->addWidget(withTotals(tblDays, m_daysTotals, m_split));
    m_split->addWidget(chart);
    m_split->setStretchFactor(0, 1);
    m_split->setStretchFactor(1, 1);
    m_split->setChildrenCollapsible(false);
    auto* daysLayout = new QVBoxLayout(daysPage);
    daysLayout->addWidget(lblDays);
    daysLayout->addWidget(m_split, 1);
    tabs->addTab(daysPage, QStringLiteral("По дням"));

    auto* shopPage = new QWidget(tabs);
    cboShift = new QComboBox(shopPage);
    cboShift->setObjectName(QStringLiteral("cboShift"));
    auto* lblShift = new QLabel(QStringLiteral("Закупка на:"), shopPage);
    lblShift->setBuddy(cboShift);
    m_shoppingRows = new TextRowsModel({QStringLiteral("Наименование"), QStringLiteral("Количество"),
                                        QStringLiteral("Ед."), QStringLiteral("Упаковка"), QStringLiteral("Упаковок"),
                                        QStringLiteral("Стоимость, руб."), QStringLiteral("Остаток")},
                                       this);
    tblShopping = makeView(m_shoppingRows, QStringLiteral("tblShopping"), shopPage);
    tblShopping->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // ИТОГО and the share of each participant stay in sight under a long list.
    m_shoppingTotals = new TotalsFooter(tblShopping, 2, shopPage);
    m_shoppingTotals->setObjectName(QStringLiteral("tblShoppingTotals"));
    cmdDocument = new QPushButton(QStringLiteral("&Word"), shopPage);
    cmdDocument->setObjectName(QStringLiteral("cmdDocument"));
    cmdDocument->setToolTip(
        QStringLiteral("Экспорт закупки в документ: Word, PDF или печать, как выбрано в меню «Сервис»"));
    auto* shiftRow = new QHBoxLayout;
    shiftRow->addWidget(lblShift);
    shiftRow->addWidget(cboShift);
    shiftRow->addStretch(1);
    shiftRow->addWidget(cmdDocument);
    auto* shopLayout = new QVBoxLayout(shopPage);
    shopLayout->addLayout(shiftRow);
    shopLayout->addWidget(withTotals(tblShopping, m_shoppingTotals, shopPage), 1);
    tabs->addTab(shopPage, QStringLiteral("Закупка"));

    cmdClose = new QPushButton(QStringLiteral("Закрыть"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(tabs, 1);
    all->addLayout(bottom);

    connect(txtAim, &QLineEdit::editingFinished, this, &frmNutrition::txtAim_LostFocus);
    connect(cmdFill, &QPushButton::clicked, this, &frmNutrition::cmdFill_Click);
    connect(cmdImport, &QPushButton::clicked, this, &frmNutrition::cmdImport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNutrition::cmdClose_Click);
    connect(cboShift, &QComboBox::currentIndexChanged, this, &frmNutrition::cboShift_Change);
    connect(cmdDocument, &QPushButton::clicked, this, &frmNutrition::cmdDocument_Click);
    connect(tabs, &QTabWidget::currentChanged, this, &frmNutrition::refreshShown);
    connect(m_facts, &FactsTableModel::refused, this, &frmNutrition::showError);
    connect(m_facts, &FactsTableModel::factsChanged, this, &frmNutrition::refresh);
    connect(&m_g.edits, &TripEditor::changed, this, &frmNutrition::tripChanged);
}

void frmNutrition::tripChanged(unsigned parts)
{
    // Its own changes the window has shown already; a closed one is filled when opened.
    if (m_blnOwnChange || m_facts->isWriting() || !isVisible())
        return;
    if (parts & TripEditor::CatalogPart)
        m_facts->reload();
    if (parts & TripEditor::AimPart)
        txtAim->setText(QString::number(m_g.intEnergyAim));
    if (parts & TripEditor::SettingsPart)
        Init();
    else
        refresh();
}

frmNutrition::~frmNutrition()
{
    // A window destroyed while shown closes as it goes, and the aim field then loses the
    // focus: its handler must not run on a window already half taken down.
    QObject::disconnect(txtAim, nullptr, this, nullptr);
}

void frmNutrition::Init()
{
    m_facts->reload();
    // Fitted again only for a catalog of another size: a value typed in keeps its column.
    if (m_intFactsFitted != m_facts->rowCount()) {
        m_intFactsFitted = m_facts->rowCount();
        tblFacts->resizeColumnsToContents();
    }
    txtAim->setText(QString::number(m_g.intEnergyAim));
    lblStatus->clear();

    const TripCheck::Result check =
        TripCheck::check(m_g.dtDataBegin, m_g.dtDataEnd, m_g.intCountPeople, m_g.intCountSmena);
    m_intCountDay = check.ok() ? check.intCountDay : 0;
    lblDays->setText(
        check.ok()
            ? QString()
            : QStringLiteral("Дни похода не показаны: %1 Продукты можно заполнять и так.").arg(check.strMessage));
    lblDays->setVisible(!check.ok());

    const QSignalBlocker block(cboShift);
    cboShift->clear();
    cboShift->addItem(QStringLiteral("весь поход"));
    for (int s = 1; check.ok() && s <= m_g.intCountSmena; ++s)
        cboShift->addItem(QStringLiteral("дежурную смену №%1").arg(s));
    cboShift->setCurrentIndex(0);
    cmdDocument->setEnabled(check.ok());
    refresh();
}

void frmNutrition::refresh()
{
    m_blnDaysOld = true;
    m_blnShoppingOld = true;
    refreshShown();
}

// A full catalog's days and shopping list take a good part of a frame each; a page
// that is not shown is not made.
void frmNutrition::refreshShown()
{
    if (tabs->currentIndex() == DaysPage && m_blnDaysOld)
        refreshDays();
    if (tabs->currentIndex() == ShoppingPage && m_blnShoppingOld)
        refreshShopping();
}

const Nutrition::Table& frmNutrition::figures()
{
    if (m_blnDaysOld)
        refreshDays();
    return m_figures;
}

const Shopping::List& frmNutrition::shopping()
{
    if (m_blnShoppingOld)
        refreshShopping();
    return m_shopping;
}

void frmNutrition::refreshDays()
{
    m_blnDaysOld = false;
    m_figures = Nutrition::build(m_g, m_intCountDay);
    m_days->setRows(m_intCountDay > 0 ? Nutrition::rows(m_figures) : QList<QStringList>(), m_intCountDay);
    for (qsizetype i = 0; i < m_figures.days.size(); ++i) {
        const Nutrition::Day& day = m_figures.days.at(i);
        if (day.mark == Nutrition::Mark::Low)
            m_days->markRow(i, NutritionChart::lowColor(), NutritionChart::lowText());
        else if (day.mark == Nutrition::Mark::High)
            m_days->markRow(i, NutritionChart::highColor(), NutritionChart::highText());
    }
    m_daysTotals->fitColumns();
    // A new number of days: the table takes the height of all of them, if the chart keeps its own.
    if (m_intDaysFitted != m_figures.days.size()) {
        m_intDaysFitted = m_figures.days.size();
        m_split->setSizes({daysHeight(), chart->sizeHint().height()});
    }
    chart->setTable(m_figures);
}

int frmNutrition::daysHeight() const
{
    return tblDays->horizontalHeader()->sizeHint().height() + 2 * tblDays->frameWidth() +
           int(m_figures.days.size()) * tblDays->verticalHeader()->defaultSectionSize() + m_daysTotals->height();
}

void frmNutrition::refreshShopping()
{
    m_blnShoppingOld = false;
    m_blnShoppingFailed = false;
    const int intShift = cboShift->currentIndex();
    try {
        m_shopping = Shopping::build(m_g, m_intCountDay, intShift <= 0, static_cast<qint16>(qMax(1, intShift)));
    } catch (const CostOverflowError&) {
        m_shopping = Shopping::List();
        m_blnShoppingFailed = true;
        showError(QStringLiteral("Стоимость закупки слишком велика, чтобы её показать."));
    } catch (const OverflowError&) {
        m_shopping = Shopping::List();
        m_blnShoppingFailed = true;
        showError(QStringLiteral("Количество продукта слишком велико, чтобы его показать."));
    }
    const QList<QStringList> rows = Shopping::rows(m_shopping);
    m_shoppingRows->setRows(rows, rows.size() - 2);
    m_shoppingTotals->fitColumns();
}

void frmNutrition::cmdDocument_Click()
{
    if (m_intCountDay < 1)
        return; // the button is off: the trip's dates or people do not pass
    const Shopping::List& list = shopping();
    if (m_blnShoppingFailed) {
        showError(QStringLiteral("Количество или стоимость слишком велики: документ закупки не записан."));
        return;
    }
    const int intShift = cboShift->currentIndex();
    // The title block counts the days shown here, even when the layout has not been
    // opened since the dates changed; the trip itself keeps its count.
    const QScopedValueRollback days(m_g.intCountDay, m_intCountDay);
    ShoppingDocument::exportList(m_g, list, intShift <= 0, static_cast<qint16>(qMax(1, intShift)));
}

QSize frmNutrition::openingSize(const QRect& available)
{
    figures();
    shopping();
    const int intTable = std::max({fullWidth(tblFacts), fullWidth(tblDays), fullWidth(tblShopping)});
    // Around a table: the window's and the page's margins and the tab widget's frame.
    const QMargins outer = layout()->contentsMargins();
    const QMargins page = tabs->widget(ShoppingPage)->layout()->contentsMargins();
    const int intFrame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    const int intChromeWidth = outer.left() + outer.right() + page.left() + page.right() + intFrame;
    const int intWidth = qMax(intTable + intChromeWidth, layout()->totalMinimumSize().width());

    // The days page's table whole over the chart, as far as the screen allows.
    const int intSpacing = qMax(0, layout()->spacing());
    const int intChromeHeight = outer.top() + outer.bottom() + 2 * intSpacing + cmdFill->sizeHint().height() +
                                cmdClose->sizeHint().height() + tabs->tabBar()->sizeHint().height() + page.top() +
                                page.bottom() + intFrame;
    const int intDays = (lblDays->isHidden() ? 0 : lblDays->sizeHint().height() + intSpacing) + daysHeight() +
                        m_split->handleWidth() + chart->sizeHint().height();
    return WindowSize::fit(QSize(intWidth, qMax(620, intChromeHeight + intDays)), available);
}

void frmNutrition::txtAim_LostFocus()
{
    const std::optional<qint32> aim = FactsText::parseAim(txtAim->text().trimmed());
    if (!aim) {
        showError(QStringLiteral("Калорий в сутки на участника: нужно целое число от 0 до %1.").arg(FactsText::MaxAim));
        txtAim->setText(QString::number(m_g.intEnergyAim));
        txtAim->setFocus();
        return;
    }
    txtAim->setText(QString::number(*aim));
    if (*aim == m_g.intEnergyAim)
        return;
    {
        const QScopedValueRollback own(m_blnOwnChange, true);
        m_g.edits.setAim(*aim);
    }
    m_blnDaysOld = true;
    refreshShown();
}

void frmNutrition::cmdFill_Click()
{
    if (!m_bundled) {
        FoodReference table;
        QString strError;
        if (!FoodReference::readFile(FoodReference::bundledPath(), table, strError)) {
            showError(strError);
            return;
        }
        m_bundled = std::move(table);
    }
    fillFrom(*m_bundled, QStringLiteral("справочника"));
}

void frmNutrition::cmdImport_Click()
{
    const QString strPath = FileDialog::getOpenFileName(this, QStringLiteral("Справочник продуктов"),
                                                        QStringLiteral("Таблица CSV (*.csv) |*.csv|Все файлы | *.*"));
    if (strPath.isEmpty())
        return;
    FoodReference table;
    QString strError;
    if (!FoodReference::readFile(strPath, table, strError)) {
        showError(strError + QStringLiteral("\nНичего не изменено."));
        return;
    }
    fillFrom(table, QStringLiteral("файла"));
}

void frmNutrition::fillFrom(const FoodReference& table, const QString& strWhere)
{
    const QList<std::pair<qint16, clsProduct>> filled = table.filled(m_g.objCatalog);
    lblStatus->setText(QStringLiteral("Из %1 дополнено продуктов: %2").arg(strWhere).arg(filled.size()));
    if (filled.isEmpty())
        return;
    {
        const QScopedValueRollback own(m_blnOwnChange, true);
        m_g.edits.setProducts(filled, QStringLiteral("значения из %1").arg(strWhere));
    }
    m_facts->reload();
    refresh();
}

void frmNutrition::cboShift_Change(int)
{
    m_blnShoppingOld = true;
    refreshShown();
}

void frmNutrition::showError(const QString& strText)
{
    MessageBox::show(this, strText, Caption, MessageBox::OkOnly, MessageBox::Warning);
}

void frmNutrition::cmdClose_Click()
{
    // A value still being typed is taken or refused before the window goes.
    if (QWidget* w = focusWidget())
        w->clearFocus();
    emit closed();
}

void frmNutrition::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_blnSized || event->spontaneous())
        return;
    m_blnSized = true;
    WindowSize::apply(*this, [this](const QRect& available) { return openingSize(available); });
}

void frmNutrition::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_blnSized && !event->spontaneous())
        WindowSize::keepSize(*this);
}

void frmNutrition::closeEvent(QCloseEvent* event)
{
    event->ignore();
    // Not while the reference window opened from here is open.
    if (isEnabled())
        cmdClose_Click();
}

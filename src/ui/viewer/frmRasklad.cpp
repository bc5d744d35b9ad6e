#include "ui/viewer/frmRasklad.h"

#include "export/TripDocuments.h"
#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/ModelErrors.h"
#include "model/Numeric.h"
#include "model/PurchaseList.h"
#include "model/RuDate.h"
#include "model/TripDays.h"
#include "model/Weights.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/SerifFont.h"
#include "ui/Twips.h"
#include "ui/UpDown.h"
#include "ui/viewer/frmPrintOption.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableView>

// The grid's rows below its fixed header row; the header texts never change.
class RaskladGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    const QList<QStringList>& rows() const { return m_rows; }

    // intBoldRow: a row to stress (the purchase list's total), -1 for none.
    void setRows(const QList<QStringList>& rows, int intBoldRow = -1)
    {
        beginResetModel();
        m_rows = rows;
        m_intBoldRow = intBoldRow;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_rows.size())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return m_rows.at(index.row()).value(index.column());
        case Qt::TextAlignmentRole:
            // Amounts line up on their last digit.
            return index.column() == 1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::FontRole:
            if (index.row() == m_intBoldRow) {
                QFont f;
                f.setBold(true);
                return f;
            }
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const QStringList headers{QStringLiteral("Наименование"), QStringLiteral("Кол-во"),
                                         QStringLiteral("Ед.")};
        return headers.value(section);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    QList<QStringList> m_rows;
    int m_intBoldRow = -1;
};

namespace {

// Geometry in twips (1/1440 inch).
struct Placement
{
    int intHeight, intWidth, intLeft, intTop;
};
constexpr Placement GridLayout{3612, 5052, 360, 1200};
constexpr Placement GridReport{5172, 5052, 360, 600};
constexpr int ColumnWidths[3] = {3000, 900, 800};

constexpr int WindowWidth = 9600;
constexpr int WindowHeight = 6120;

const QString GramSuffix = QStringLiteral(" гр.");

QStringList emptyRow()
{
    return {QString(), QString(), QString()};
}

} // namespace

frmRasklad::frmRasklad(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmRasklad"));
    Form_Load();
}

frmRasklad::~frmRasklad() = default;

int frmRasklad::twipsX(int intTwips) const
{
    return Twips::toPixelsX(this, intTwips);
}

int frmRasklad::twipsY(int intTwips) const
{
    return Twips::toPixelsY(this, intTwips);
}

// Places a widget by twips relative to its parent; a child of a frame is given in
// window twips and shifted by the frame's own place.
void frmRasklad::place(QWidget* w, int intLeft, int intTop, int intWidth, int intHeight) const
{
    QPoint origin;
    if (w->parentWidget() != this)
        origin = w->parentWidget()->pos();
    w->setGeometry(twipsX(intLeft) - origin.x(), twipsY(intTop) - origin.y(), twipsX(intWidth), twipsY(intHeight));
}

void frmRasklad::Form_Load()
{
    setWindowTitle(QStringLiteral("Раскладка"));
    setFixedSize(twipsX(WindowWidth), twipsY(WindowHeight));

    const QFont font = serifFont(10.5);
    setFont(font);
    const QFont headFont = serifFont(13.5, true);

    auto makeLabel = [](QWidget* parent, const QString& name, const QString& text) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(name);
        return l;
    };
    auto makeBox = [](QWidget* parent, const QString& name) {
        auto* t = new QLineEdit(parent);
        t->setObjectName(name);
        // Display only: locked against typing and drawn like the window behind it.
        t->setReadOnly(true);
        QPalette pal = t->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        t->setPalette(pal);
        return t;
    };
    auto makeSpinner = [](QWidget* parent, const QString& name) {
        auto* u = new UpDown(parent);
        u->setObjectName(name);
        u->setRange(1, 1);
        u->setValueSilently(1);
        return u;
    };
    auto makeButton = [this](const QString& name, const QString& text, const QString& tip) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };

    // The purchase list heading lies where the day panel covers it.
    m_lblList = makeLabel(this, QStringLiteral("lblList"), QStringLiteral("Лист закупок"));
    m_lblList->setFont(headFont);
    place(m_lblList, 360, 150, 5052, 420);

    // Day panel: heading, meal tabs and the weights.
    m_frameRasklad = new QFrame(this);
    m_frameRasklad->setObjectName(QStringLiteral("frameRasklad"));
    m_frameRasklad->setFrameShape(QFrame::NoFrame);
    place(m_frameRasklad, 240, 60, 5292, 6000);

    m_lblHead = makeLabel(m_frameRasklad, QStringLiteral("lblHead"), QStringLiteral("Раскладка"));
    m_lblHead->setFont(headFont);
    place(m_lblHead, 360, 150, 5052, 420);

    m_tsTrapeza = new QTabBar(m_frameRasklad);
    m_tsTrapeza->setObjectName(QStringLiteral("tsTrapeza"));
    m_tsTrapeza->setFont(QFont()); // the tab strip keeps the system font
    m_tsTrapeza->setExpanding(false);
    m_tsTrapeza->setDrawBase(false);
    for (int m = 1; m <= Meals::Count; ++m)
        m_tsTrapeza->addTab(Meals::label(m));
    place(m_tsTrapeza, 360, 780, 3300, 420);
    m_tsTrapeza->installEventFilter(this);

    m_lblDateTrapeza = makeLabel(m_frameRasklad, QStringLiteral("lblDateTrapeza"), QStringLiteral("date"));
    m_lblDateTrapeza->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(m_lblDateTrapeza, 3660, 840, 1752, 330);

    m_lblVes =
        makeLabel(m_frameRasklad, QStringLiteral("lblVes"), QStringLiteral("Вес обеда на одного человека -  хх гр."));
    place(m_lblVes, 360, 4920, 5052, 330);
    m_lblSutRac = makeLabel(m_frameRasklad, QStringLiteral("lblSutRac"), QStringLiteral("Удельный вес  рациона - "));
    place(m_lblSutRac, 360, 5250, 5052, 330);
    m_lblAllVes = makeLabel(m_frameRasklad, QStringLiteral("lblAllVes"), QStringLiteral("Общий вес -  "));
    m_lblAllVes->setFont(serifFont(10.5, true));
    place(m_lblAllVes, 360, 5580, 5052, 330);

    // The grid stands over the panel, in one of its two placements.
    m_grid = new RaskladGridModel(this);
    m_grid->setRows({emptyRow()});
    m_tblRasklad = new QTableView(this);
    m_tblRasklad->setObjectName(QStringLiteral("tblRasklad"));
    m_tblRasklad->setModel(m_grid);
    m_tblRasklad->verticalHeader()->hide();
    m_tblRasklad->horizontalHeader()->setHighlightSections(false);
    m_tblRasklad->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tblRasklad->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_tblRasklad->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblRasklad->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblRasklad->setWordWrap(false);
    m_tblRasklad->setTextElideMode(Qt::ElideRight);
    m_tblRasklad->verticalHeader()->setDefaultSectionSize(m_tblRasklad->fontMetrics().height() + twipsY(90));
    for (int c = 0; c < 3; ++c)
        m_tblRasklad->setColumnWidth(c, twipsX(ColumnWidths[c]));
    m_tblRasklad->raise();

    // Filter: date, day and duty shift.
    m_frameViewAll = new QGroupBox(QStringLiteral("&Фильтр"), this);
    m_frameViewAll->setObjectName(QStringLiteral("frameViewAll"));
    place(m_frameViewAll, 5760, 120, 3600, 1740);
    struct Row
    {
        QLabel*& lbl;
        QLineEdit*& txt;
        UpDown*& upd;
        const char* lblName;
        const char* txtName;
        const char* updName;
        QString text;
        int intTop;
    };
    const Row rows[] = {
        {m_lblDate, m_txtDate, m_updDate, "lblDate", "txtDate", "updDate", QStringLiteral("Дата"), 480},
        {m_lblDay, m_txtDay, m_updDay, "lblDay", "txtDay", "updDay", QStringLiteral("День №"), 930},
        {m_lblSmena, m_txtSmena, m_updSmena, "lblSmena", "txtSmena", "updSmena", QStringLiteral("Дежурная смена №"),
         1380},
    };
    for (const Row& r : rows) {
        r.lbl = makeLabel(m_frameViewAll, QString::fromLatin1(r.lblName), r.text);
        place(r.lbl, 5880, r.intTop, 1900, 345);
        r.txt = makeBox(m_frameViewAll, QString::fromLatin1(r.txtName));
        place(r.txt, 7800, r.intTop, 1200, 345);
        r.upd = makeSpinner(m_frameViewAll, QString::fromLatin1(r.updName));
        place(r.upd, 9000, r.intTop, 240, 345);
        r.txt->installEventFilter(this);
    }
    // The day box follows the day spinner, the shift box the shift spinner; the date box
    // is written by the window.
    m_updDay->setBuddy(m_txtDay);
    m_updSmena->setBuddy(m_txtSmena);
    m_updSmena->hide();

    // View options, usable in the report mode only.
    m_frameViewOption = new QGroupBox(QStringLiteral("&Вид"), this);
    m_frameViewOption->setObjectName(QStringLiteral("frameViewOption"));
    place(m_frameViewOption, 5760, 1980, 3600, 1080);
    m_rbAll = new QRadioButton(QStringLiteral("Всё"), m_frameViewOption);
    m_rbAll->setObjectName(QStringLiteral("rbAll"));
    place(m_rbAll, 6000, 2280, 3000, 330);
    m_rbSmena = new QRadioButton(QStringLiteral("По сменам"), m_frameViewOption);
    m_rbSmena->setObjectName(QStringLiteral("rbSmena"));
    place(m_rbSmena, 6000, 2640, 3000, 330);
    m_rbAll->setChecked(true);
    m_frameViewOption->setEnabled(false);
    m_rbAll->setEnabled(false);
    m_rbSmena->setEnabled(false);

    m_cmdWord =
        makeButton(QStringLiteral("cmdWord"), QStringLiteral("&Word"), QStringLiteral("Экспорт в редактор Word"));
    place(m_cmdWord, 6810, 3300, 1500, 420);
    m_cmdReport =
        makeButton(QStringLiteral("cmdReport"), QStringLiteral("&Отчёт"), QStringLiteral("Список закупок продуктов"));
    place(m_cmdReport, 6810, 3840, 1500, 420);
    m_cmdClose = makeButton(QStringLiteral("cmdClose"), QStringLiteral("&Закрыть"), QStringLiteral("Закрыть окно"));
    place(m_cmdClose, 6810, 4380, 1500, 420);

    m_lblRKForge = makeLabel(this, QStringLiteral("lblRKForge"), QStringLiteral("Product of R.K.Forge"));
    m_lblRKForge->setFont(serifFont(12, true, true));
    m_lblRKForge->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(m_lblRKForge, 5760, 5580, 3600, 390);

    m_dtCurrentDate = m_g.dtDataBegin;
    m_lblList->hide();
    applyGridPlacement();

    connect(m_tsTrapeza, &QTabBar::currentChanged, this, [this](int i) { guarded([&] { tsTrapeza_Click(i); }); });
    connect(m_updDate, &UpDown::valueChanged, this, [this](int v) { guarded([&] { updDate_Change(v); }); });
    connect(m_updDay, &UpDown::valueChanged, this, [this](int v) { guarded([&] { updDay_Change(v); }); });
    connect(m_txtSmena, &QLineEdit::textChanged, this,
            [this](const QString& s) { guarded([&] { txtSmena_Change(s); }); });
    connect(m_updSmena, &UpDown::valueChanged, this, [this](int v) { guarded([&] { updSmena_Change(v); }); });
    connect(m_rbAll, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { rbAll_Click(); });
    });
    connect(m_rbSmena, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { rbSmena_Click(); });
    });
    connect(m_cmdWord, &QPushButton::clicked, this, &frmRasklad::cmdWord_Click);
    connect(m_cmdReport, &QPushButton::clicked, this, &frmRasklad::cmdReport_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmRasklad::cmdClose_Click);
}

void frmRasklad::guarded(const std::function<void()>& work)
{
    QString strText;
    try {
        work();
        return;
    } catch (const OverflowError&) {
        strText = QStringLiteral("Количество или вес слишком велики, чтобы их показать.");
    } catch (const std::exception&) {
        strText = QStringLiteral("Раскладка не согласуется с параметрами похода. "
                                 "Закройте окно и откройте раскладку заново.");
    }
    // Whatever the grid held belongs to another day or list now.
    m_grid->setRows({emptyRow()});
    MessageBox::show(this, strText, windowTitle(), MessageBox::OkOnly, MessageBox::Warning);
}

void frmRasklad::applyGridPlacement()
{
    const Placement& p = m_blnReport ? GridReport : GridLayout;
    place(m_tblRasklad, p.intLeft, p.intTop, p.intWidth, p.intHeight);
}

QList<QStringList> frmRasklad::GridRows() const
{
    return m_grid->rows();
}

void frmRasklad::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The trip cannot change while this window is open (its opener is disabled), so a
    // showing is the activation that has something new to show.
    if (!event->spontaneous())
        guarded([this] { Form_Activate(); });
}

void frmRasklad::closeEvent(QCloseEvent* event)
{
    // Closing by the frame must give the main window back, as the button does; not while
    // the export options dialog is open, which would be left without its window.
    event->ignore();
    if (isEnabled())
        cmdClose_Click();
}

bool frmRasklad::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tsTrapeza && event->type() == QEvent::FocusIn)
        guarded([this] { ShowWeights(); });
    if (event->type() == QEvent::KeyPress) {
        // The arrow keys in a box step its spinner, for those who work without a mouse.
        UpDown* upd = watched == m_txtDate    ? m_updDate
                      : watched == m_txtDay   ? m_updDay
                      : watched == m_txtSmena ? m_updSmena
                                              : nullptr;
        const int intKey = static_cast<QKeyEvent*>(event)->key();
        if (upd && (intKey == Qt::Key_Up || intKey == Qt::Key_Down)) {
            if (upd->isVisible() && upd->isEnabled()) {
                if (intKey == Qt::Key_Up)
                    upd->stepUp();
                else
                    upd->stepDown();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmRasklad::Form_Activate()
{
    initState();
    if (m_blnReport)
        BuildPurchaseList();
    else
        RefreshRasklad();
    m_lblAllVes->setText(
        QStringLiteral("Общий вес - ") +
        Weights::numberText(m_g.objRasklad.GetVes(m_g.objMenuList, m_g.objCatalog, m_g.intCountPeople)) + GramSuffix);
    ShowWeights();
}

void frmRasklad::Init()
{
    guarded([this] { initState(); });
}

void frmRasklad::initState()
{
    const qint16 intDays = qMax<qint16>(1, m_g.intCountDay);
    const qint16 intSmena = qMax<qint16>(1, m_g.intCountSmena);
    {
        // The boxes are written below; no change handler may run on a half-set state.
        const QSignalBlocker blockDay(m_updDay);
        const QSignalBlocker blockDate(m_updDate);
        const QSignalBlocker blockSmena(m_updSmena);
        const QSignalBlocker blockSmenaText(m_txtSmena);

        m_updDay->setRange(1, intDays);
        if (m_txtDay->text().isEmpty())
            m_intCurrentDay = static_cast<qint16>(m_updDay->value());
        // A trip shortened below the remembered day shows its new last day.
        m_intCurrentDay = qBound<qint16>(1, m_intCurrentDay, intDays);
        m_updDay->setValueSilently(m_intCurrentDay);
        m_txtDay->setText(QString::number(m_intCurrentDay));

        m_updDate->setRange(1, intDays);
        m_updDate->setValueSilently(m_intCurrentDay);
        m_dtCurrentDate = TripDays::dateOfDay(m_g.dtDataBegin, m_intCurrentDay);
        m_txtDate->setText(RuDate::shortDate(m_dtCurrentDate));

        m_updSmena->setRange(1, intSmena);
        m_intActiveSmena = TripDays::smenaOfDay(m_intCurrentDay, intSmena);
        // Every activation shows the shift that cooks on the day shown, in the purchase
        // list mode too.
        m_intSmen = m_intActiveSmena;
        m_txtSmena->setText(QString::number(m_intSmen));
        m_updSmena->setValueSilently(m_intSmen);
    }
    m_blnViewAll = m_rbAll->isChecked();
    ShowWeights();
}

void frmRasklad::ShowWeights()
{
    const clsMenuOfDay& objMenu = m_g.objMenuList.GetMenu(m_g.objRasklad.GetMenu(m_intCurrentDay));
    const qint16 intMeal = static_cast<qint16>(m_tsTrapeza->currentIndex() + 1);
    const clsTrapeza* objTrapeza = objMenu.GetTrapeza(intMeal);
    if (!objTrapeza)
        throw OutOfRangeError("meal index out of range");
    const qint16 intPeople = m_g.intCountPeople;

    QString strPrefix;
    QDate dtMeal = m_dtCurrentDate;
    switch (intMeal) {
    case Meals::Lunch:
        strPrefix = QStringLiteral("Удельный вес обеда  - ");
        break;
    case Meals::Dinner:
        strPrefix = QStringLiteral("Удельный вес ужина - ");
        break;
    default:
        strPrefix = QStringLiteral("Удельный вес завтрака - ");
        // Breakfast is eaten on the morning after its trip day.
        dtMeal = m_dtCurrentDate.addDays(1);
        break;
    }
    m_lblVes->setText(
        strPrefix + Weights::numberText(Weights::perPerson(objTrapeza->GetVes(m_g.objCatalog, intPeople), intPeople)) +
        GramSuffix);
    m_lblDateTrapeza->setText(QLatin1Char('(') + RuDate::mediumDate(dtMeal) + QLatin1Char(')'));
    m_lblSutRac->setText(QStringLiteral("Удельный вес рациона - ") +
                         Weights::numberText(Weights::perPerson(objMenu.GetVes(m_g.objCatalog, intPeople), intPeople)) +
                         GramSuffix);
}

void frmRasklad::RefreshRasklad()
{
    ShowWeights();
    m_grid->setRows(m_g.objRasklad.ViewRasklad(m_intCurrentDay, m_intCurrentTrapeza, m_g.intPeriod, m_g.objMenuList,
                                               m_g.objCatalog, m_g.intCountPeople));
}

void frmRasklad::BuildPurchaseList()
{
    const PurchaseList list = PurchaseList::build(m_g, m_blnViewAll, m_intSmen);
    m_grid->setRows(list.gridRows(), list.hasTotal() ? int(list.rows.size()) : -1);
}

void frmRasklad::tsTrapeza_Click(int intIndex)
{
    m_intCurrentTrapeza = static_cast<qint16>(intIndex + 1);
    RefreshRasklad();
}

// Steps 2 to 7 of a day change, once the day is known to be new.
void frmRasklad::setDay(qint16 intDay)
{
    m_intCurrentDay = intDay;
    m_dtCurrentDate = TripDays::dateOfDay(m_g.dtDataBegin, intDay);
    m_intActiveSmena = TripDays::smenaOfDay(intDay, qMax<qint16>(1, m_g.intCountSmena));
    // Each spinner's echo finds the day already set and does nothing.
    m_updDay->setValue(intDay);
    m_updDate->setValue(intDay);
    m_txtSmena->setText(QString::number(m_intActiveSmena));
    m_txtDate->setText(RuDate::shortDate(m_dtCurrentDate));
    RefreshRasklad();
}

void frmRasklad::updDate_Change(int intValue)
{
    if (TripDays::dateOfDay(m_g.dtDataBegin, intValue) == m_dtCurrentDate)
        return;
    setDay(static_cast<qint16>(intValue));
}

void frmRasklad::updDay_Change(int intValue)
{
    if (intValue == m_intCurrentDay)
        return;
    setDay(static_cast<qint16>(intValue));
}

void frmRasklad::txtSmena_Change(const QString& strText)
{
    m_intSmen = Numeric::textToInt16(strText);
}

void frmRasklad::updSmena_Change(int intValue)
{
    m_intSmen = static_cast<qint16>(intValue);
    if (m_blnReport)
        BuildPurchaseList();
}

void frmRasklad::rbAll_Click()
{
    m_blnViewAll = true;
    m_updSmena->setEnabled(false);
    m_txtSmena->setEnabled(false);
    m_lblSmena->setEnabled(false);
    BuildPurchaseList();
}

void frmRasklad::rbSmena_Click()
{
    m_blnViewAll = false;
    m_updSmena->setEnabled(true);
    m_txtSmena->setEnabled(true);
    m_lblSmena->setEnabled(true);
    BuildPurchaseList();
}

void frmRasklad::cmdReport_Click()
{
    guarded([this] {
        m_blnReport = !m_blnReport;
        const bool blnReport = m_blnReport;
        m_frameRasklad->setVisible(!blnReport);
        m_lblList->setVisible(blnReport);
        m_frameViewOption->setEnabled(blnReport);
        m_rbAll->setEnabled(blnReport);
        m_rbSmena->setEnabled(blnReport);
        m_updSmena->setVisible(blnReport);

        if (blnReport) {
            // The spinner starts where the box stands, so the two never disagree.
            m_updSmena->setValueSilently(m_intSmen);
            m_txtSmena->setText(QString::number(m_intSmen));
        } else {
            m_txtSmena->setText(QString::number(m_intActiveSmena));
        }
        const bool blnShift = !blnReport || !m_blnViewAll;
        m_updSmena->setEnabled(blnShift);
        m_txtSmena->setEnabled(blnShift);
        m_lblSmena->setEnabled(blnShift);

        for (QWidget* w :
             std::initializer_list<QWidget*>{m_lblDay, m_lblDate, m_txtDay, m_txtDate, m_updDate, m_updDay})
            w->setEnabled(!blnReport);
        applyGridPlacement();

        if (blnReport) {
            m_cmdReport->setText(QStringLiteral("&Раскладка"));
            BuildPurchaseList();
        } else {
            m_cmdReport->setText(QStringLiteral("&Отчёт"));
            RefreshRasklad();
        }
    });
}

void frmRasklad::cmdWord_Click()
{
    // The purchase list goes to a document of its own, copied from the grid as shown.
    if (m_blnReport) {
        const TripDocuments::ExportResult r =
            TripDocuments::exportPurchaseRows(m_g, TripDocuments::purchasesTitle(m_blnViewAll, m_intSmen), GridRows());
        if (r.blnComplete)
            return;
    }
    // The layout asks for its options first; so does a purchase list that could not be
    // written, leaving the layout export to try.
    Forms::openFrom(*this, m_forms.PrintOption());
}

void frmRasklad::cmdClose_Click()
{
    emit closed();
}

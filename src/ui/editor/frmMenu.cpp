#include "ui/editor/frmMenu.h"

#include "model/CatalogText.h"
#include "model/GlobalVariable.h"
#include "model/Meals.h"
#include "model/ModelErrors.h"
#include "platform/MessageBox.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/SerifFont.h"
#include "ui/Twips.h"
#include "ui/editor/CatalogGridModel.h"
#include "ui/editor/GreenArrow.h"
#include "ui/editor/GridTextModel.h"
#include "ui/editor/TabStrip.h"
#include "ui/editor/frmDialogProduct.h"
#include "ui/editor/frmRemoveDay.h"
#include "ui/tools/frmReference.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTabBar>
#include <QTableView>
#include <limits>

namespace {

// What the window frame takes from the outer size, in twips: the borders and the title bar.
constexpr int FrameWidth = 96;
constexpr int FrameHeight = 330;

// Design sizes of the controls that move between the views.
constexpr QSize CloseSize(1092, 372);
constexpr QSize ChangeSize(1092, 372);
constexpr QSize CreditSize(2532, 372);

const QString CaptionToRation = QStringLiteral("&Рацион");
const QString CaptionToCatalog = QStringLiteral("&Каталог");

// The editor's controls are in its serif face.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QString& tip = QString())
{
    QPushButton* button = Controls::makeButton(parent, name, text, tip);
    button->setFont(serifFont(10.5));
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font)
{
    QLabel* label = Controls::makeLabel(parent, name, text);
    label->setFont(font);
    return label;
}

} // namespace

frmMenu::frmMenu(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(QStringLiteral("Каталог продуктов"));

    buildCatalogPane();
    buildRationPane();
    buildWindowControls();
    connect(&m_g.edits, &TripEditor::changed, this, &frmMenu::tripChanged);

    // Both views' positions of the controls that move are computed once, from their design sizes.
    auto geometryFor = [](const QRect& window, int creditBottom) {
        ViewGeometry v;
        v.window = window;
        v.close = QPoint(window.width() - CloseSize.width() - 216, window.height() - CloseSize.height() - 444);
        v.change = QPoint(v.close.x() - ChangeSize.width() - 100, v.close.y());
        v.credit = QPoint(240, creditBottom - CreditSize.height());
        return v;
    };
    m_catalogView = geometryFor(QRect(2000, 1000, 5412, 5064), 4662);
    m_rationView = geometryFor(QRect(100, 10, 9348, 6716), 6348);
    applyView(false);

    RebuildDayTabs();
    m_intActiveTrapeza = static_cast<qint16>(StripTrapeza->bar()->currentIndex() + 1);
    applyTabOrder();
    VisibleCatalog();
}

frmMenu::~frmMenu() = default;

void frmMenu::buildCatalogPane()
{
    ProductCatalog = new QWidget(this);
    ProductCatalog->setObjectName(QStringLiteral("ProductCatalog"));
    m_placer.place(ProductCatalog, QRect(0, 0, 5292, 4092));

    tblProduct = new QTableView(ProductCatalog);
    tblProduct->setObjectName(QStringLiteral("tblProduct"));
    m_productModel =
        new CatalogGridModel({QStringLiteral("Наименование"), QStringLiteral("Норма"), QStringLiteral("Ед.")},
                             CatalogText::productRow, this);
    setUpGrid(tblProduct, m_productModel, {2100, 700, 600});
    m_placer.place(tblProduct, QRect(120, 624, 3732, 3372));
    tblProduct->viewport()->installEventFilter(this);

    lblTitle = makeLabel(ProductCatalog, "lblTitle", QStringLiteral("Продукты"), serifFont(13.5, true, false, true));
    lblTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_placer.place(lblTitle, QRect(1932, 240, 1308, 300), TwipsPlacer::GrowCentred);

    ControlBox = new QWidget(ProductCatalog);
    ControlBox->setObjectName(QStringLiteral("ControlBox"));
    m_placer.place(ControlBox, QRect(3960, 2880, 1212, 1092));

    cmdAdd = makeButton(ControlBox, "cmdAdd", QStringLiteral("&Добавить"), QStringLiteral("Добавить запись"));
    m_placer.place(cmdAdd, QRect(120, 240, 972, 372));
    cmdRename = makeButton(ControlBox, "cmdRename", QStringLiteral("И&зменить"), QStringLiteral("Изменить запись"));
    m_placer.place(cmdRename, QRect(120, 600, 972, 372));
    cmdRename->setEnabled(false);

    // Products from the reference: a button in the free space right of the title, out of
    // the keyboard order, and the same on the grid's context menu and a shortcut.
    const QString strFromReference = QStringLiteral("Добавить из справочника...");
    cmdReference = makeButton(ProductCatalog, "cmdReference", QStringLiteral("&Справочник..."),
                              strFromReference + QStringLiteral(" (Ctrl+Shift+D)"));
    cmdReference->setFocusPolicy(Qt::NoFocus);
    m_placer.place(cmdReference, QRect(3480, 240, 1692, 372));
    auto* actReference = new QAction(strFromReference, tblProduct);
    actReference->setObjectName(QStringLiteral("actReference"));
    actReference->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    actReference->setShortcutContext(Qt::WindowShortcut);
    tblProduct->addAction(actReference);
    tblProduct->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(cmdReference, &QPushButton::clicked, this, &frmMenu::cmdReference_Click);
    connect(actReference, &QAction::triggered, this, &frmMenu::cmdReference_Click);

    connect(cmdAdd, &QPushButton::clicked, this, &frmMenu::cmdAdd_Click);
    connect(cmdRename, &QPushButton::clicked, this, &frmMenu::cmdRename_Click);
}

void frmMenu::buildRationPane()
{
    Menu = new QWidget(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    m_placer.place(Menu, QRect(0, 0, 9252, 5868));

    Label2 = makeLabel(Menu, "Label2", QStringLiteral("Каталог"), serifFont(13.5, true));
    m_placer.place(Label2, QRect(120, 240, 1044, 420), TwipsPlacer::GrowRight);

    tblCatalog = new QTableView(Menu);
    tblCatalog->setObjectName(QStringLiteral("tblCatalog"));
    m_catalogModel = new CatalogGridModel({QStringLiteral("Наименование"), QString()}, CatalogText::catalogRow, this);
    setUpGrid(tblCatalog, m_catalogModel, {1950, 825});
    m_placer.place(tblCatalog, QRect(120, 600, 3132, 5052));

    cmdAddProduct = makeButton(Menu, "cmdAddProduct", QString(), QStringLiteral("Добавить продукт в меню"));
    cmdDelProduct = makeButton(Menu, "cmdDelProduct", QString(), QStringLiteral("Удалить продукт из меню"));
    m_placer.place(cmdAddProduct, QRect(3360, 2040, 972, 492));
    m_placer.place(cmdDelProduct, QRect(3360, 2640, 972, 492));
    for (auto [button, bRight] : {std::pair{cmdAddProduct, true}, std::pair{cmdDelProduct, false}}) {
        button->setIcon(QIcon(GreenArrow::picture(bRight)));
        // The picture keeps its proportions and stays clear of the button's edges.
        const QSize room = button->size() - QSize(10, 8);
        button->setIconSize(QSize(GreenArrow::Width, GreenArrow::Height).scaled(room, Qt::KeepAspectRatio));
    }

    lblRacion = makeLabel(Menu, "lblRacion", QStringLiteral("Рацион"), serifFont(16.5, true));
    m_placer.place(lblRacion, QRect(6120, 240, 1116, 372), TwipsPlacer::GrowRight);

    StripDayMenu = new TabStrip(Menu);
    StripDayMenu->setObjectName(QStringLiteral("StripDayMenu"));
    StripDayMenu->bar()->setObjectName(QStringLiteral("StripDayMenuTabs"));
    m_placer.place(StripDayMenu, QRect(4560, 600, 4572, 5052));

    StripTrapeza = new TabStrip(Menu);
    StripTrapeza->setObjectName(QStringLiteral("StripTrapeza"));
    StripTrapeza->bar()->setObjectName(QStringLiteral("StripTrapezaTabs"));
    for (int intMeal = 1; intMeal <= Meals::Count; ++intMeal)
        StripTrapeza->bar()->addTab(Meals::label(intMeal));
    StripTrapeza->bar()->setCurrentIndex(0);
    m_placer.place(StripTrapeza, QRect(4680, 1080, 4332, 3972));

    tblDayMenu = new QTableView(Menu);
    tblDayMenu->setObjectName(QStringLiteral("tblDayMenu"));
    m_dayMenuModel = new GridTextModel({QStringLiteral("Наименование")}, this);
    setUpGrid(tblDayMenu, m_dayMenuModel, {3500});
    m_placer.place(tblDayMenu, QRect(4800, 1560, 4092, 3372));

    cmdRemoveDay = makeButton(Menu, "cmdRemoveDay", QStringLiteral("&Поменять..."));
    m_placer.place(cmdRemoveDay, QRect(5280, 5160, 1212, 372));
    cmdDelDay = makeButton(Menu, "cmdDelDay", QStringLiteral("&Удалить"), QStringLiteral("Удалить день"));
    m_placer.place(cmdDelDay, QRect(6600, 5160, 1092, 384));
    cmdAddDay = makeButton(Menu, "cmdAddDay", QStringLiteral("&Добавить"), QStringLiteral("Добавить день"));
    m_placer.place(cmdAddDay, QRect(7800, 5160, 1092, 384));
    cmdRemoveDay->setEnabled(false);
    cmdDelDay->setEnabled(false);

    connect(cmdAddProduct, &QPushButton::clicked, this, &frmMenu::cmdAddProduct_Click);
    connect(cmdDelProduct, &QPushButton::clicked, this, &frmMenu::cmdDelProduct_Click);
    connect(cmdAddDay, &QPushButton::clicked, this, &frmMenu::cmdAddDay_Click);
    connect(cmdDelDay, &QPushButton::clicked, this, &frmMenu::cmdDelDay_Click);
    connect(cmdRemoveDay, &QPushButton::clicked, this, &frmMenu::cmdRemoveDay_Click);
    connect(StripDayMenu->bar(), &QTabBar::currentChanged, this, &frmMenu::StripDayMenu_Click);
    connect(StripTrapeza->bar(), &QTabBar::currentChanged, this, &frmMenu::StripTrapeza_Click);
}

void frmMenu::buildWindowControls()
{
    cmdChange = makeButton(this, "cmdChange", CaptionToRation);
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("&Закрыть"));
    Label1 = makeLabel(this, "Label1", QStringLiteral("Product of R.K.Forge"), serifFont(12, true, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Sizes here; the positions follow the view.
    m_placer.place(cmdClose, QRect(QPoint(), CloseSize));
    m_placer.place(cmdChange, QRect(QPoint(), ChangeSize));
    m_placer.place(Label1, QRect(QPoint(), CreditSize), TwipsPlacer::GrowRight);

    connect(cmdChange, &QPushButton::clicked, this, &frmMenu::cmdChange_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmMenu::cmdClose_Click);
}

void frmMenu::setUpGrid(QTableView* grid, QAbstractItemModel* model, const QList<int>& twipsWidths)
{
    grid->setFont(serifFont(10.5));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control instead of walking its cells.
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->verticalHeader()->hide();
    // Fixed row heights keep a grid of many thousand rows fast.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    QHeaderView* header = grid->horizontalHeader();
    header->setFont(serifFont(10.5));
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < twipsWidths.size(); ++c)
        grid->setColumnWidth(c, Twips::toPixelsX(grid, twipsWidths.at(c)));
}

void frmMenu::applyView(bool bRation)
{
    const ViewGeometry& v = bRation ? m_rationView : m_catalogView;
    m_blnRationView = bRation;
    m_twWindow = v.window;
    m_placer.move(cmdClose, v.close);
    m_placer.move(cmdChange, v.change);
    m_placer.move(Label1, v.credit);
    ProductCatalog->setVisible(!bRation);
    Menu->setVisible(bRation);
    setFixedSize(Twips::toPixels(this, v.window.width() - FrameWidth, v.window.height() - FrameHeight));
    move(Twips::toPixelsX(this, v.window.x()), Twips::toPixelsY(this, v.window.y()));
}

void frmMenu::applyTabOrder()
{
    // One chain serves both views: the controls of the hidden pane are skipped.
    const QList<QWidget*> order{tblProduct,          cmdAdd,        cmdRename,  tblCatalog,    StripDayMenu->bar(),
                                StripTrapeza->bar(), cmdAddProduct, tblDayMenu, cmdDelProduct, cmdAddDay,
                                cmdDelDay,           cmdRemoveDay,  cmdChange,  cmdClose};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

// ---- catalog lists in name order ----

void frmMenu::VisibleCatalog()
{
    const clsCatalog& objCatalog = m_g.objCatalog;
    try {
        const int intChange = m_seen ? m_g.edits.catalogChangeSince(*m_seen) : -1;
        m_seen.reset();
        m_order.follow(objCatalog, intChange);
        m_seen = m_g.edits.catalogRevision();
        if (intChange != 0) {
            showOrder();
        } else {
            m_productModel->dropWrittenTexts();
            m_catalogModel->dropWrittenTexts();
        }
        const qint16 n = m_order.size();
        if (n == 0)
            return;
        // However the products came (the dialog or a loaded trip), they can be changed now.
        EnableRename();
        makeCurrent(tblProduct, m_order.IndexToRow(n), 2);
        makeCurrent(tblCatalog, n, 1);
    } catch (const ModelError&) {
        // The catalog cannot be out of step with itself; show nothing rather than half.
        m_seen.reset();
        m_order = NameOrder();
        showOrder();
    }
}

void frmMenu::showOrder()
{
    m_productModel->show(&m_g.objCatalog, &m_order);
    m_catalogModel->show(&m_g.objCatalog, &m_order);
}

void frmMenu::Cells(qint16 intRow, const clsProduct& objProduct)
{
    if (intRow < 1 || intRow > m_productModel->rowCount())
        return;
    const QStringList cells = CatalogText::productRow(objProduct);
    for (int c = 0; c < cells.size(); ++c)
        m_productModel->setText(intRow - 1, c, cells.at(c));
    makeCurrent(tblProduct, intRow, 2);
}

qint16 frmMenu::GetIndexFromString(qint16 numberStr)
{
    try {
        return m_order.RowToIndex(numberStr);
    } catch (const ModelError&) {
        MessageBox::show(isVisible() ? this : nullptr,
                         QStringLiteral("Ошибка преобразования строки в индекс. См. форму frmMenu, функцию "
                                        "GetIndexFromString."),
                         QStringLiteral("Ошибка!"));
        return 0;
    }
}

qint16 frmMenu::GetStringFromIndex(qint16 indexProduct)
{
    try {
        return m_order.IndexToRow(indexProduct);
    } catch (const ModelError&) {
        MessageBox::show(
            isVisible() ? this : nullptr,
            QStringLiteral("Ошибка индекса в номер строки. См. форму frmMenu, функцию GetStringFromIndex."),
            QStringLiteral("Ошибка!"));
        return 0;
    }
}

int frmMenu::currentRow(const QTableView* grid) const
{
    const QModelIndex index = grid->currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

void frmMenu::makeCurrent(QTableView* grid, int intRow, int intColumn)
{
    const QModelIndex index = grid->model()->index(intRow - 1, intColumn);
    if (!index.isValid())
        return;
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollTo(index);
}

// ---- days and meals ----

void frmMenu::RebuildDayTabs()
{
    // The ration never goes without a day; an empty one gets its first back.
    if (m_g.objMenuList.size() < 1) {
        m_g.objMenuList.AddMenu();
        m_g.intPeriod = 1;
    }
    const int n = m_g.objMenuList.size();
    QTabBar* bar = StripDayMenu->bar();
    m_blnTabsBusy = true;
    while (bar->count() > n)
        bar->removeTab(bar->count() - 1);
    for (int i = 0; i < n; ++i) {
        if (i < bar->count())
            bar->setTabText(i, CatalogText::dayCaption(i + 1));
        else
            bar->addTab(CatalogText::dayCaption(i + 1));
    }
    bar->setCurrentIndex(n - 1);
    m_blnTabsBusy = false;
    setDayButtons();
    m_intActiveDay = static_cast<qint16>(bar->currentIndex() + 1);
    ViewMenu();
}

void frmMenu::tripChanged(unsigned parts)
{
    // What this window changed it shows already; undo, redo and other windows are followed.
    if (m_blnOwnChange)
        return;
    if (parts & TripEditor::CatalogPart)
        VisibleCatalog();
    if (parts & TripEditor::RationPart)
        followRation();
    else if (parts & TripEditor::CatalogPart)
        ViewMenu();
}

void frmMenu::followRation()
{
    const int n = m_g.objMenuList.size();
    if (n < 1)
        return;
    QTabBar* bar = StripDayMenu->bar();
    const int intCurrent = qBound(0, bar->currentIndex(), n - 1);
    m_blnTabsBusy = true;
    while (bar->count() > n)
        bar->removeTab(bar->count() - 1);
    while (bar->count() < n)
        bar->addTab(CatalogText::dayCaption(bar->count() + 1));
    bar->setCurrentIndex(intCurrent);
    m_blnTabsBusy = false;
    setDayButtons();
    StripDayMenu_Click(bar->currentIndex());
}

void frmMenu::setDayButtons()
{
    const bool bSeveral = StripDayMenu->bar()->count() > 1;
    cmdDelDay->setEnabled(bSeveral);
    cmdRemoveDay->setEnabled(bSeveral);
}

void frmMenu::selectDayTab(int intIndex)
{
    QTabBar* bar = StripDayMenu->bar();
    if (intIndex >= 0 && intIndex < bar->count()) {
        m_blnTabsBusy = true;
        bar->setCurrentIndex(intIndex);
        m_blnTabsBusy = false;
    }
    StripDayMenu_Click(bar->currentIndex());
}

void frmMenu::cmdAddDay_Click()
{
    QTabBar* bar = StripDayMenu->bar();
    const int n = bar->count();
    try {
        if (n >= std::numeric_limits<qint16>::max())
            throw OverflowError("too many days");
        const QScopedValueRollback own(m_blnOwnChange, true);
        m_g.edits.addDay();
    } catch (const ModelError&) {
        MessageBox::show(isVisible() ? this : nullptr, QStringLiteral("В рационе не может быть больше 32767 дней!"),
                         QStringLiteral("Ошибка!"));
        return;
    }
    m_blnTabsBusy = true;
    bar->addTab(CatalogText::dayCaption(n + 1));
    m_blnTabsBusy = false;
    setDayButtons();
    selectDayTab(bar->currentIndex() + 1);
}

void frmMenu::cmdDelDay_Click()
{
    QTabBar* bar = StripDayMenu->bar();
    const QString text = QStringLiteral("Вы действительно хотите удалить из рациона '") +
                         bar->tabText(bar->currentIndex()) + QStringLiteral("' ?");
    const MessageBox::Button answer =
        MessageBox::show(this, text, QStringLiteral("Запрос на удаление"), MessageBox::OkCancel);
    DelDay(answer == MessageBox::Ok ? DelDayOk : 2);
}

void frmMenu::DelDay(int intFlag)
{
    if (intFlag != DelDayOk)
        return;
    QTabBar* bar = StripDayMenu->bar();
    if (bar->count() <= 1) {
        setDayButtons();
        return;
    }
    const int d = bar->currentIndex() + 1;
    try {
        const QScopedValueRollback own(m_blnOwnChange, true);
        m_g.edits.deleteDay(static_cast<qint16>(d));
    } catch (const ModelError&) {
        // A ration shorter than its tabs has nothing at d to remove.
    }
    // A tab's caption is its position, so the strip loses its last tab and the selection
    // stays where removing tab d would leave it (the tab to the right, or the new last):
    // renaming every tab after d would lay out the whole strip once per tab.
    m_blnTabsBusy = true;
    bar->removeTab(bar->count() - 1);
    bar->setCurrentIndex(qMin(d - 1, bar->count() - 1));
    for (int i = 0; i < bar->count(); ++i) {
        const QString strCaption = CatalogText::dayCaption(i + 1);
        if (bar->tabText(i) != strCaption)
            bar->setTabText(i, strCaption);
    }
    m_blnTabsBusy = false;
    setDayButtons();
    StripDayMenu_Click(bar->currentIndex());
}

void frmMenu::StripDayMenu_Click(int intIndex)
{
    if (m_blnTabsBusy || intIndex < 0)
        return;
    m_intActiveDay = static_cast<qint16>(intIndex + 1);
    ViewMenu();
}

void frmMenu::StripTrapeza_Click(int intIndex)
{
    if (intIndex < 0)
        return;
    m_intActiveTrapeza = static_cast<qint16>(intIndex + 1);
    ViewMenu();
}

clsTrapeza* frmMenu::shownMeal()
{
    return m_g.objMenuList.GetMenu(m_intActiveDay).GetTrapeza(m_intActiveTrapeza);
}

void frmMenu::ViewMenu()
{
    QList<QStringList> rows;
    try {
        if (const clsTrapeza* objTrapeza = shownMeal()) {
            for (const QString& name : objTrapeza->ViewMenu(m_g.objCatalog))
                rows.append(QStringList{name});
        }
    } catch (const ModelError&) {
        rows.clear();
    }
    m_dayMenuModel->setRows(rows);
    makeCurrent(tblDayMenu, m_dayMenuModel->rowCount(), 0);
}

void frmMenu::cmdAddProduct_Click()
{
    try {
        const qint16 intIndex = m_order.RowToIndex(static_cast<qint16>(currentRow(tblCatalog)));
        // The lists may lag behind a catalog emptied since.
        const QString strName = m_g.objCatalog.GetProduct(intIndex).Name();
        if (const clsTrapeza* objTrapeza = shownMeal(); objTrapeza && !objTrapeza->Products().contains(intIndex)) {
            const QScopedValueRollback own(m_blnOwnChange, true);
            m_g.edits.setMeal(m_intActiveDay, m_intActiveTrapeza, QList<qint16>(objTrapeza->Products()) << intIndex,
                              QStringLiteral("добавление «%1» в меню").arg(strName));
        }
    } catch (const ModelError&) {
        // No product to pick: nothing changes.
    }
    ViewMenu();
}

void frmMenu::cmdDelProduct_Click()
{
    try {
        const clsTrapeza* objTrapeza = shownMeal();
        if (objTrapeza && objTrapeza->GetCountProduct() >= 1) {
            const auto intPosition = static_cast<qint16>(currentRow(tblDayMenu));
            const qint16 intIndex = objTrapeza->GetIndexProduct(intPosition);
            QList<qint16> after = objTrapeza->Products();
            after.removeAt(intPosition - 1);
            const QScopedValueRollback own(m_blnOwnChange, true);
            m_g.edits.setMeal(m_intActiveDay, m_intActiveTrapeza, after,
                              QStringLiteral("удаление «%1» из меню").arg(m_g.objCatalog.GetProduct(intIndex).Name()));
        }
    } catch (const ModelError&) {
        // No row picked: nothing changes.
    }
    ViewMenu();
}

void frmMenu::RemoveDay()
{
    const frmRemoveDay& dialog = m_forms.RemoveDay();
    const qint16 d1 = dialog.Day1();
    const qint16 d2 = dialog.Day2();
    if (d1 != d2) {
        try {
            const QScopedValueRollback own(m_blnOwnChange, true);
            m_g.edits.exchangeDays(d1, d2);
        } catch (const ModelError&) {
            // Days outside the ration: nothing to exchange.
        }
    }
    ViewMenu();
}

// ---- views, activation and closing ----

void frmMenu::cmdChange_Click()
{
    if (!m_blnRationView) {
        applyView(true);
        cmdChange->setText(CaptionToCatalog);
        setWindowTitle(QStringLiteral("Рацион"));
        ViewMenu();
        tblCatalog->setFocus();
    } else {
        applyView(false);
        cmdChange->setText(CaptionToRation);
        setWindowTitle(QStringLiteral("Каталог"));
        tblProduct->setFocus();
    }
}

void frmMenu::cmdClose_Click()
{
    emit closed();
}

void frmMenu::Form_Activate()
{
    VisibleCatalog();
    ViewMenu();
}

void frmMenu::EnableRename()
{
    cmdRename->setEnabled(true);
}

void frmMenu::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmMenu::closeEvent(QCloseEvent* event)
{
    // The frame's close button leaves the editor as its own button does, so the main
    // window is never left disabled.
    event->ignore();
    if (isEnabled())
        cmdClose_Click();
}

bool frmMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tblProduct->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // The row under the pointer is the one to change, even before the view has seen the click.
        const QModelIndex index = tblProduct->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index.isValid())
            makeCurrent(tblProduct, index.row() + 1, index.column());
        cmdRename_Click();
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the product dialog and the day exchange dialog ----

void frmMenu::cmdAdd_Click()
{
    if (m_g.objCatalog.size() >= clsCatalog::MaxSize) {
        MessageBox::show(this, QStringLiteral("Каталог заполнен: в нём не может быть больше 32767 продуктов."),
                         QStringLiteral("Ошибка!"));
        return;
    }
    m_forms.DialogProduct().OpenToAdd();
}

void frmMenu::cmdRename_Click()
{
    if (m_g.objCatalog.size() < 1) {
        MessageBox::show(this, QStringLiteral("Каталог пуст!"), QStringLiteral("Ошибка!"));
        return;
    }
    if (m_order.size() != m_g.objCatalog.size())
        VisibleCatalog();
    try {
        const qint16 intIndex = m_order.RowToIndex(static_cast<qint16>(currentRow(tblProduct)));
        m_g.objCatalog.GetProduct(intIndex);
        m_intActiveProduct = intIndex;
    } catch (const ModelError&) {
        return; // no row picked
    }
    m_forms.DialogProduct().OpenToChange();
}

void frmMenu::cmdReference_Click()
{
    if (m_blnRationView || !isEnabled())
        return;
    if (m_g.objCatalog.size() >= clsCatalog::MaxSize) {
        MessageBox::show(this, QStringLiteral("Каталог заполнен: в нём не может быть больше 32767 продуктов."),
                         QStringLiteral("Ошибка!"));
        return;
    }
    // Back from it the window is active again, as after the product dialog.
    m_forms.Reference().OpenFrom(*this, [this](bool) { Form_Activate(); });
}

void frmMenu::cmdRemoveDay_Click()
{
    Forms::openFrom(*this, m_forms.RemoveDay());
}

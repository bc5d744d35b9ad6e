#include "ui/tools/frmReference.h"

#include "model/CatalogFromReference.h"
#include "model/FactsText.h"
#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("Справочник продуктов");
const QString AllGroups = QStringLiteral("Все группы");

// The chosen table's columns; the food's position in the reference rides on the name.
constexpr int NameColumn = 0;
constexpr int NormColumn = 1;
constexpr int UnitColumn = 2;
constexpr int EntryRole = Qt::UserRole + 1;

// A norm still to be typed stands out.
void markNorm(QStandardItem* norm)
{
    if (norm->text().trimmed().isEmpty())
        norm->setBackground(QColor(0xff, 0xf0, 0xb0));
    else
        norm->setBackground(QBrush());
}

QTableView* makeView(QStandardItemModel* model, const QString& strName, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(strName);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    // The name takes what the other columns leave, so nothing runs past the edge.
    view->horizontalHeader()->setStretchLastSection(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    return view;
}

QStandardItem* cell(const QString& strText, bool blnEditable = false)
{
    auto* item = new QStandardItem(strText);
    item->setEditable(blnEditable);
    return item;
}

} // namespace

frmReference::frmReference(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmReference"));
    setWindowTitle(Caption);
    resize(900, 560);

    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("название или его часть"));
    txtFind->setToolTip(QStringLiteral("Любое название продукта; регистр, «ё» и лишние пробелы не важны. Enter "
                                       "выбирает найденный продукт"));
    txtFind->setClearButtonEnabled(true);
    auto* lblFind = new QLabel(QStringLiteral("&Найти:"), this);
    lblFind->setBuddy(txtFind);
    cboGroup = new QComboBox(this);
    cboGroup->setObjectName(QStringLiteral("cboGroup"));
    auto* lblGroup = new QLabel(QStringLiteral("&Группа:"), this);
    lblGroup->setBuddy(cboGroup);

    m_foods = new QStandardItemModel(0, 4, this);
    m_foods->setHorizontalHeaderLabels({QStringLiteral("Наименование"), QStringLiteral("Группа"),
                                        QStringLiteral("ккал/100 г"), QStringLiteral("Ед.")});
    tblFoods = makeView(m_foods, QStringLiteral("tblFoods"), this);
    tblFoods->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblFoods->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tblFoods->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblFoods->setColumnWidth(1, 150);
    tblFoods->setColumnWidth(2, 80);
    tblFoods->setColumnWidth(3, 40);

    m_chosen = new QStandardItemModel(0, 3, this);
    m_chosen->setHorizontalHeaderLabels(
        {QStringLiteral("Наименование"), QStringLiteral("Норма"), QStringLiteral("Ед.")});
    tblChosen = makeView(m_chosen, QStringLiteral("tblChosen"), this);
    tblChosen->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tblChosen->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                               QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    tblChosen->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblChosen->setColumnWidth(1, 60);
    tblChosen->setColumnWidth(2, 60);

    cmdChoose = new QPushButton(QStringLiteral("&Выбрать →"), this);
    cmdChoose->setObjectName(QStringLiteral("cmdChoose"));
    cmdChoose->setToolTip(QStringLiteral("Выбрать найденные продукты (или двойной щелчок по продукту)"));
    cmdRemove = new QPushButton(QStringLiteral("← &Убрать"), this);
    cmdRemove->setObjectName(QStringLiteral("cmdRemove"));
    cmdRemove->setToolTip(QStringLiteral("Убрать продукты из выбранных"));
    cmdOK = new QPushButton(QStringLiteral("&Добавить в каталог"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("Отмена"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);

    auto* lblChosen =
        new QLabel(QStringLiteral("Выбранные: норма — на одного участника за приём пищи, в единицах продукта"), this);
    lblChosen->setWordWrap(true);

    auto* search = new QHBoxLayout;
    search->addWidget(lblFind);
    search->addWidget(txtFind, 2);
    search->addSpacing(12);
    search->addWidget(lblGroup);
    search->addWidget(cboGroup, 1);

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(cmdChoose);
    middle->addWidget(cmdRemove);
    middle->addStretch(1);

    auto* chosenSide = new QVBoxLayout;
    chosenSide->addWidget(lblChosen);
    chosenSide->addWidget(tblChosen, 1);

    auto* lists = new QHBoxLayout;
    lists->addWidget(tblFoods, 3);
    lists->addLayout(middle);
    lists->addLayout(chosenSide, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(cmdOK);
    bottom->addWidget(cmdCancel);

    auto* all = new QVBoxLayout(this);
    all->addLayout(search);
    all->addLayout(lists, 1);
    all->addLayout(bottom);

    setTabOrder(txtFind, cboGroup);
    setTabOrder(cboGroup, tblFoods);
    setTabOrder(tblFoods, cmdChoose);
    setTabOrder(cmdChoose, cmdRemove);
    setTabOrder(cmdRemove, tblChosen);
    setTabOrder(tblChosen, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(txtFind, &QLineEdit::textChanged, this, &frmReference::refreshFound);
    connect(txtFind, &QLineEdit::returnPressed, this, &frmReference::cmdChoose_Click);
    connect(cboGroup, &QComboBox::currentIndexChanged, this, &frmReference::refreshFound);
    connect(tblFoods, &QTableView::doubleClicked, this, &frmReference::cmdChoose_Click);
    // Setting the same colour again changes nothing, so this ends at once.
    connect(m_chosen, &QStandardItemModel::itemChanged, this, [](QStandardItem* item) {
        if (item->column() == NormColumn)
            markNorm(item);
    });
    connect(cmdChoose, &QPushButton::clicked, this, &frmReference::cmdChoose_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmReference::cmdRemove_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmReference::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmReference::cmdCancel_Click);
    tblFoods->installEventFilter(this);
}

bool frmReference::OpenFrom(QWidget& opener, std::function<void(bool blnAdded)> onClosed)
{
    if (!m_reference) {
        FoodReference table;
        QString strError;
        if (!FoodReference::readFile(FoodReference::bundledPath(), table, strError)) {
            MessageBox::show(&opener, strError, Caption, MessageBox::OkOnly, MessageBox::Warning);
            return false;
        }
        m_reference = std::move(table);
        const QSignalBlocker block(cboGroup);
        cboGroup->addItem(AllGroups);
        cboGroup->addItems(m_reference->groups());
    }
    m_opener = &opener;
    m_onClosed = std::move(onClosed);
    m_catalogKeys.clear();
    for (int i = 1; i <= m_g.objCatalog.size(); ++i)
        m_catalogKeys.insert(FoodReference::key(m_g.objCatalog.GetProduct(static_cast<qint16>(i)).Name()));
    m_chosen->removeRows(0, m_chosen->rowCount());
    lblStatus->clear();
    {
        const QSignalBlocker block(txtFind);
        txtFind->clear();
    }
    refreshFound();
    Forms::openFrom(opener, *this);
    txtFind->setFocus();
    return true;
}

void frmReference::refreshFound()
{
    if (!m_reference)
        return;
    const QString strGroup = cboGroup->currentIndex() > 0 ? cboGroup->currentText() : QString();
    m_found = CatalogFromReference::find(*m_reference, txtFind->text(), strGroup);
    m_foods->removeRows(0, m_foods->rowCount());
    m_foods->setRowCount(static_cast<int>(m_found.size()));
    for (int r = 0; r < m_found.size(); ++r) {
        const FoodReference::Entry& entry = m_reference->entries().at(m_found.at(r));
        auto* name = cell(entry.names.value(0));
        if (entry.names.size() > 1)
            name->setToolTip(entry.names.join(QStringLiteral(", ")));
        bool blnHeld = false;
        for (const QString& strName : entry.names)
            blnHeld = blnHeld || m_catalogKeys.contains(FoodReference::key(strName));
        const QString strUnit = CatalogFromReference::defaultUnit(entry);
        QList<QStandardItem*> row{
            name, cell(entry.strGroup),
            cell(entry.facts.energy ? FactsText::format(*entry.facts.energy) : QStringLiteral("нет данных")),
            cell(strUnit)};
        if (blnHeld) {
            // Shown, so that a search does not seem to miss it, but it will not be doubled.
            for (QStandardItem* item : row) {
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
                item->setToolTip(QStringLiteral("Уже в каталоге"));
            }
        }
        for (int c = 0; c < row.size(); ++c)
            m_foods->setItem(r, c, row.at(c));
    }
    if (!m_found.isEmpty())
        tblFoods->setCurrentIndex(m_foods->index(0, 0));
}

void frmReference::choose(qsizetype intEntry, QStringList& held)
{
    const FoodReference::Entry& entry = m_reference->entries().at(intEntry);
    for (int r = 0; r < m_chosen->rowCount(); ++r) {
        if (m_chosen->item(r, NameColumn)->data(EntryRole).toLongLong() == intEntry)
            return;
    }
    const QString strHeld = CatalogFromReference::inCatalog(entry, m_g.objCatalog);
    if (!strHeld.isEmpty()) {
        held.append(strHeld);
        return;
    }
    const QString strUnit = CatalogFromReference::defaultUnit(entry);
    auto* name = cell(entry.names.value(0));
    name->setData(QVariant::fromValue<qlonglong>(intEntry), EntryRole);
    auto* norm = cell(CatalogFromReference::normText(entry, strUnit), true);
    norm->setToolTip(QStringLiteral("Сколько получает один участник за приём пищи"));
    auto* unit = cell(strUnit, true);
    unit->setToolTip(QStringLiteral("Вес единицы известен для: %1, кг; можно вписать и другую единицу")
                         .arg(CatalogFromReference::units(entry).join(QStringLiteral(", "))));
    markNorm(norm);
    m_chosen->appendRow({name, norm, unit});
}

void frmReference::cmdChoose_Click()
{
    if (!m_reference || m_found.isEmpty())
        return;
    QList<int> rows;
    for (const QModelIndex& index : tblFoods->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty())
        rows.append(qMax(0, tblFoods->currentIndex().row()));
    std::sort(rows.begin(), rows.end());
    const int intBefore = m_chosen->rowCount();
    QStringList held;
    for (const int r : rows) {
        if (r >= 0 && r < m_found.size())
            choose(m_found.at(r), held);
    }
    lblStatus->setText(held.isEmpty() ? QString()
                                      : QStringLiteral("Уже в каталоге: %1.").arg(held.join(QStringLiteral(", "))));
    if (m_chosen->rowCount() > intBefore)
        tblChosen->setCurrentIndex(m_chosen->index(m_chosen->rowCount() - 1, NormColumn));
    // The next search replaces what was typed.
    txtFind->selectAll();
}

void frmReference::cmdRemove_Click()
{
    QList<int> rows;
    for (const QModelIndex& index : tblChosen->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && tblChosen->currentIndex().isValid())
        rows.append(tblChosen->currentIndex().row());
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (const int r : rows)
        m_chosen->removeRow(r);
}

void frmReference::cmdOK_Click()
{
    // A norm still being typed counts.
    if (QWidget* w = focusWidget())
        w->clearFocus();
    if (!m_reference)
        return;
    QList<CatalogFromReference::Choice> choices;
    for (int r = 0; r < m_chosen->rowCount(); ++r) {
        CatalogFromReference::Choice choice;
        choice.intEntry = static_cast<qsizetype>(m_chosen->item(r, NameColumn)->data(EntryRole).toLongLong());
        choice.strNorma = m_chosen->item(r, NormColumn)->text();
        choice.strUnit = m_chosen->item(r, UnitColumn)->text();
        choices.append(choice);
    }
    if (choices.isEmpty()) {
        MessageBox::show(this, QStringLiteral("Ничего не выбрано: найдите продукт и нажмите «Выбрать»."), Caption,
                         MessageBox::OkOnly, MessageBox::Information);
        txtFind->setFocus();
        return;
    }
    CatalogFromReference::Result result;
    QString strError;
    if (!CatalogFromReference::add(*m_reference, choices, m_g, result, strError)) {
        MessageBox::show(this, strError, Caption, MessageBox::OkOnly, MessageBox::Warning);
        for (int r = 0; r < m_chosen->rowCount(); ++r) {
            if (m_chosen->item(r, NormColumn)->text().trimmed().isEmpty()) {
                tblChosen->setFocus();
                tblChosen->setCurrentIndex(m_chosen->index(r, NormColumn));
                break;
            }
        }
        return;
    }
    closeBack(result.intAdded > 0);
    QStringList notes;
    if (!result.skipped.isEmpty())
        notes.append(
            QStringLiteral("Не добавлены, уже есть в каталоге: %1.").arg(result.skipped.join(QStringLiteral(", "))));
    if (!result.withoutValues.isEmpty())
        notes.append(QStringLiteral("Добавлены без ккал и БЖУ (в справочнике их нет): %1.")
                         .arg(result.withoutValues.join(QStringLiteral(", "))));
    if (!notes.isEmpty())
        MessageBox::show(m_opener,
                         QStringLiteral("Добавлено продуктов: %1.\n").arg(result.intAdded) + notes.join(u'\n'), Caption,
                         MessageBox::OkOnly, MessageBox::Information);
}

void frmReference::cmdCancel_Click()
{
    closeBack(false);
}

void frmReference::closeBack(bool blnAdded)
{
    if (m_opener)
        Forms::closeBackTo(*this, *m_opener);
    else
        hide();
    if (m_onClosed)
        m_onClosed(blnAdded);
}

void frmReference::closeEvent(QCloseEvent* event)
{
    // The frame's close button is Cancel, so the opener is never left disabled.
    event->ignore();
    cmdCancel_Click();
}

void frmReference::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmReference::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tblFoods && event->type() == QEvent::KeyPress) {
        const int intKey = static_cast<QKeyEvent*>(event)->key();
        if (intKey == Qt::Key_Return || intKey == Qt::Key_Enter) {
            cmdChoose_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

#include "ui/tools/frmCarry.h"

#include "export/CarryDocument.h"
#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/Participants.h"
#include "model/TripCheck.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/WindowSize.h"
#include "ui/tools/CarryBars.h"
#include "ui/tools/CarryTreeModel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include <exception>

namespace {

const QString Caption = QStringLiteral("Раздача по рюкзакам");

QString gramsText(double fGrams)
{
    return QString::asprintf("%.0f", fGrams);
}

} // namespace

frmCarry::frmCarry(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmCarry"));
    setWindowTitle(Caption);

    m_tblParticipants = new QTableWidget(0, 2, this);
    m_tblParticipants->setObjectName(QStringLiteral("tblParticipants"));
    m_tblParticipants->setHorizontalHeaderLabels({QStringLiteral("Участник"), QStringLiteral("Доля")});
    m_tblParticipants->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tblParticipants->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_tblParticipants->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblParticipants->setSelectionMode(QAbstractItemView::SingleSelection);

    m_bars = new CarryBars(this);

    m_treeCarry = new QTreeView(this);
    m_treeCarry->setObjectName(QStringLiteral("treeCarry"));
    m_treeModel = new CarryTreeModel(this);
    m_treeModel->setPlan(&m_plan, &m_pins);
    m_treeCarry->setModel(m_treeModel);
    m_treeCarry->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_treeCarry->setSelectionMode(QAbstractItemView::SingleSelection);
    m_treeCarry->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_treeCarry->header()->setStretchLastSection(false);
    // The opening width is fitted to the lines shown first, as many as a tall window has:
    // measuring every line of thirty backpacks would take more than a frame.
    m_treeCarry->header()->setResizeContentsPrecision(100);
    // Thousands of lines on a long trip: one line's height serves for all.
    m_treeCarry->setUniformRowHeights(true);

    m_lblBound = new QLabel(this);
    m_lblBound->setObjectName(QStringLiteral("lblBound"));
    m_lblBound->setWordWrap(true);

    m_cboPinTo = new QComboBox(this);
    m_cboPinTo->setObjectName(QStringLiteral("cboPinTo"));
    m_cmdPin = new QPushButton(QStringLiteral("&Закрепить за"), this);
    m_cmdPin->setObjectName(QStringLiteral("cmdPin"));
    m_cmdPin->setToolTip(QStringLiteral("Весь выбранный продукт несёт выбранный участник; остальное делится заново"));
    m_cmdUnpin = new QPushButton(QStringLiteral("&Открепить"), this);
    m_cmdUnpin->setObjectName(QStringLiteral("cmdUnpin"));
    m_cmdUnpinAll = new QPushButton(QStringLiteral("Открепить &все"), this);
    m_cmdUnpinAll->setObjectName(QStringLiteral("cmdUnpinAll"));
    m_cmdWord = new QPushButton(QStringLiteral("&Word"), this);
    m_cmdWord->setObjectName(QStringLiteral("cmdWord"));
    m_cmdWord->setToolTip(QStringLiteral("Экспорт раздачи в документ"));
    m_cmdClose = new QPushButton(QStringLiteral("&Закрыть"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("Участники и их доли груза:"), left));
    leftLayout->addWidget(m_tblParticipants, 3);
    leftLayout->addWidget(new QLabel(QStringLiteral("Груз и доля (черта) каждого:"), left));
    leftLayout->addWidget(m_bars, 2);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_treeCarry, 1);
    auto* pinRow = new QHBoxLayout;
    pinRow->addWidget(m_cmdPin);
    pinRow->addWidget(m_cboPinTo, 1);
    pinRow->addWidget(m_cmdUnpin);
    pinRow->addWidget(m_cmdUnpinAll);
    rightLayout->addLayout(pinRow);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(left);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_lblBound, 1);
    buttons->addWidget(m_cmdWord);
    buttons->addWidget(m_cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_splitter, 1);
    layout->addLayout(buttons);

    connect(m_tblParticipants, &QTableWidget::itemChanged, this, &frmCarry::participantEdited);
    connect(m_treeCarry->selectionModel(), &QItemSelectionModel::currentChanged, this, &frmCarry::treeSelectionChanged);
    connect(m_cmdPin, &QPushButton::clicked, this, &frmCarry::cmdPin_Click);
    connect(m_cmdUnpin, &QPushButton::clicked, this, &frmCarry::cmdUnpin_Click);
    connect(m_cmdUnpinAll, &QPushButton::clicked, this, &frmCarry::cmdUnpinAll_Click);
    connect(m_cmdWord, &QPushButton::clicked, this, &frmCarry::cmdWord_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmCarry::cmdClose_Click);
    connect(&m_g.edits, &TripEditor::changed, this, [this](unsigned) {
        // Undo and redo while the window is open: it shows the trip as it now is.
        if (!m_blnOwnChange && isVisible()) {
            fillParticipants();
            Recalculate();
        }
    });
}

void frmCarry::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // The list follows the trip's count (the main window has accepted it by now).
    Participants::fit(m_g.participants, m_g.intCountPeople);
    fillParticipants();
    Recalculate();
    if (!m_blnSized) {
        m_blnSized = true;
        WindowSize::apply(*this, [this](const QRect& available) { return openingSize(available); });
    }
}

void frmCarry::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_blnSized && !event->spontaneous())
        WindowSize::keepSize(*this);
}

QSize frmCarry::openingSize(const QRect& available)
{
    const auto scrolled = [](const QAbstractScrollArea* area) {
        return 2 * area->frameWidth() + area->verticalScrollBar()->sizeHint().width();
    };
    // The tree's first column holds the longest line, indented; the others are fitted.
    const QAbstractItemView* tree = m_treeCarry;
    int intTree = scrolled(m_treeCarry) + qMax(tree->sizeHintForColumn(0), m_treeCarry->header()->sectionSizeHint(0));
    for (int c = 1; c < m_treeModel->columnCount(); ++c)
        intTree += m_treeCarry->columnWidth(c);
    const QAbstractItemView* table = m_tblParticipants;
    int intTable = scrolled(m_tblParticipants) + m_tblParticipants->verticalHeader()->sizeHint().width();
    for (int c = 0; c < m_tblParticipants->columnCount(); ++c)
        intTable += qMax(table->sizeHintForColumn(c), m_tblParticipants->horizontalHeader()->sectionSizeHint(c));
    intTable = qMax(intTable, m_bars->minimumSizeHint().width());
    const QMargins outer = layout()->contentsMargins();
    const int intWidth = outer.left() + outer.right() + m_splitter->handleWidth() + intTable + intTree + 4;
    // Both sides get their lists' width; what the screen gives beyond goes by the stretch.
    m_splitter->setSizes({intTable, intTree});
    return WindowSize::fit(QSize(qMax(intWidth, layout()->totalMinimumSize().width()), 600), available);
}

void frmCarry::closeEvent(QCloseEvent* event)
{
    event->ignore();
    cmdClose_Click();
}

void frmCarry::fillParticipants()
{
    m_blnFilling = true;
    m_tblParticipants->setRowCount(int(m_g.participants.size()));
    const QString strCurrent = m_cboPinTo->currentText();
    m_cboPinTo->clear();
    for (int i = 0; i < m_g.participants.size(); ++i) {
        const Participant& p = m_g.participants.at(i);
        m_tblParticipants->setItem(i, 0, new QTableWidgetItem(p.strName));
        auto* share = new QTableWidgetItem(Participants::shareText(p.intShare));
        share->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_tblParticipants->setItem(i, 1, share);
        m_tblParticipants->setVerticalHeaderItem(i, new QTableWidgetItem(QString::number(i + 1)));
        m_cboPinTo->addItem(QStringLiteral("%1. %2").arg(i + 1).arg(p.strName));
    }
    const int intAgain = m_cboPinTo->findText(strCurrent);
    if (intAgain >= 0)
        m_cboPinTo->setCurrentIndex(intAgain);
    m_blnFilling = false;
}

void frmCarry::participantEdited(QTableWidgetItem* item)
{
    if (m_blnFilling || !item)
        return;
    const int i = item->row();
    if (i < 0 || i >= m_g.participants.size())
        return;
    QList<Participant> after = m_g.participants;
    Participant& p = after[i];
    if (item->column() == 0) {
        QString strError;
        const QString strName = item->text();
        if (!Participants::checkName(strName, i + 1, strError)) {
            MessageBox::show(this, strError, Caption, MessageBox::OkOnly, MessageBox::Warning);
            fillParticipants();
            return;
        }
        if (strName == p.strName)
            return;
        p.strName = strName;
    } else {
        const std::optional<qint32> share = Participants::parseShare(item->text());
        if (!share) {
            MessageBox::show(this,
                             QStringLiteral("Доля участника № %1 «%2» должна быть числом от 0,1 до 3, "
                                            "не больше двух знаков после запятой.")
                                 .arg(i + 1)
                                 .arg(p.strName),
                             Caption, MessageBox::OkOnly, MessageBox::Warning);
            fillParticipants();
            return;
        }
        if (*share == p.intShare) {
            fillParticipants(); // "1,0" is shown as "1"
            return;
        }
        p.intShare = *share;
    }
    {
        const QScopedValueRollback own(m_blnOwnChange, true);
        m_g.edits.setParticipants(after, item->column() == 0 ? QStringLiteral("имя участника %1").arg(i + 1)
                                                             : QStringLiteral("доля участника %1").arg(i + 1));
    }
    fillParticipants();
    Recalculate();
}

void frmCarry::Recalculate()
{
    const TripCheck::Result check =
        TripCheck::check(m_g.dtDataBegin, m_g.dtDataEnd, m_g.intCountPeople, m_g.intCountSmena);
    // Keep the selected product selected across a re-split; the tree lets go of the
    // old split before it changes.
    const qint16 intSelected = selectedProduct();
    m_treeModel->setPlan(nullptr, nullptr);
    QString strProblem;
    m_plan = CarryPlan();
    if (!check.ok()) {
        strProblem = check.strMessage;
    } else {
        try {
            m_plan = CarryPlan::make(m_g, check.intCountDay, m_pins);
        } catch (const OverflowError&) {
            m_plan = CarryPlan();
            strProblem = CarryPlan::TooManyText;
        } catch (const std::exception&) {
            strProblem = QStringLiteral("Раскладка не согласуется с параметрами похода.");
        }
    }
    fillTree(intSelected);
    QList<CarryBars::Bar> bars;
    for (const CarryPack& pack : m_plan.packs)
        bars.append({pack.strName, CarryWeights::grams(pack.load), pack.fTarget});
    m_bars->setBars(bars);

    if (!strProblem.isEmpty()) {
        m_lblBound->setText(QStringLiteral("Раздать нельзя: ") + strProblem);
    } else if (m_plan.packs.isEmpty() || m_plan.total == 0) {
        m_lblBound->setText(QStringLiteral("Нечего раздавать: нет продуктов с известным весом."));
    } else {
        m_lblBound->setText(
            QStringLiteral("Всего %1 гр. На долю 1 приходится до %2 гр; меньше %3 гр не даст никакая раздача "
                           "(отличие %4 %)%5.")
                .arg(CarryWeights::text(m_plan.total))
                .arg(gramsText(m_plan.fValue), gramsText(m_plan.fBound))
                .arg(QString::number(m_plan.gapPercent(), 'f', 2))
                .arg(m_plan.blnExact ? QStringLiteral(" (лучшая раздача)") : QString()));
    }
    m_cmdWord->setEnabled(strProblem.isEmpty());
    treeSelectionChanged();
}

void frmCarry::fillTree(qint16 intSelected)
{
    m_treeModel->setPlan(&m_plan, &m_pins);
    m_treeCarry->expandToDepth(0);
    // A participant's figures are the widest of their column (a line never outweighs
    // its backpack), so they alone set the widths, not every line.
    const QFontMetrics metrics(m_treeCarry->font());
    const int intPadding = 3 * metrics.horizontalAdvance(QLatin1Char('0'));
    for (int c = 1; c < 4; ++c) {
        int intWidth =
            metrics.horizontalAdvance(m_treeModel->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        for (int i = 0; i < m_treeModel->rowCount(); ++i)
            intWidth = qMax(intWidth, metrics.horizontalAdvance(m_treeModel->index(i, c).data().toString()));
        m_treeCarry->setColumnWidth(c, intWidth + intPadding);
    }
    if (intSelected > 0) {
        const QModelIndex line = m_treeModel->lineOf(intSelected);
        if (line.isValid())
            m_treeCarry->setCurrentIndex(line);
    }
}

qint16 frmCarry::selectedProduct() const
{
    const QModelIndex current = m_treeCarry->currentIndex();
    return current.isValid() ? static_cast<qint16>(current.data(CarryTreeModel::RoleProduct).toInt()) : 0;
}

void frmCarry::treeSelectionChanged()
{
    const qint16 p = selectedProduct();
    m_cmdPin->setEnabled(p > 0);
    m_cmdUnpin->setEnabled(p > 0 && m_pins.contains(p));
    m_cmdUnpinAll->setEnabled(!m_pins.isEmpty());
    // Pinning defaults to the participant who carries the line now.
    const QModelIndex current = m_treeCarry->currentIndex();
    if (current.isValid() && p > 0) {
        const int j = current.data(CarryTreeModel::RoleParticipant).toInt();
        if (j >= 0 && j < m_cboPinTo->count())
            m_cboPinTo->setCurrentIndex(j);
    }
}

void frmCarry::cmdPin_Click()
{
    const qint16 p = selectedProduct();
    const int j = m_cboPinTo->currentIndex();
    if (p <= 0 || j < 0)
        return;
    m_pins.insert(p, j);
    Recalculate();
}

void frmCarry::cmdUnpin_Click()
{
    if (m_pins.remove(selectedProduct()) > 0)
        Recalculate();
}

void frmCarry::cmdUnpinAll_Click()
{
    if (m_pins.isEmpty())
        return;
    m_pins.clear();
    Recalculate();
}

void frmCarry::cmdWord_Click()
{
    CarryDocument::exportPlan(m_g, m_plan);
}

void frmCarry::cmdClose_Click()
{
    // Pins belong to this sitting only.
    m_pins.clear();
    emit closed();
}

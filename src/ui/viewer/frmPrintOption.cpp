#include "ui/viewer/frmPrintOption.h"

#include "export/TripDocuments.h"
#include "model/GlobalVariable.h"
#include "ui/Forms.h"
#include "ui/SerifFont.h"
#include "ui/Twips.h"
#include "ui/UpDown.h"
#include "ui/viewer/frmRasklad.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace {

constexpr int WindowWidth = 5040;
constexpr int WindowHeight = 2580;

} // namespace

frmPrintOption::frmPrintOption(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmPrintOption"));
    setWindowTitle(QStringLiteral("Параметры  экспорта"));
    setFont(serifFont(10.5));

    boxOption = new QGroupBox(QStringLiteral("&Фильтр"), this);
    boxOption->setObjectName(QStringLiteral("boxOption"));
    m_placer.place(boxOption, QRect(240, 60, 3360, 1080));
    rbAll = new QRadioButton(QStringLiteral("Вся раскладка"), boxOption);
    rbAll->setObjectName(QStringLiteral("rbAll"));
    m_placer.place(rbAll, QRect(240, 330, 3120, 300), TwipsPlacer::GrowRight);
    rbSmen = new QRadioButton(QStringLiteral("Для одной дежурной смены"), boxOption);
    rbSmen->setObjectName(QStringLiteral("rbSmen"));
    m_placer.place(rbSmen, QRect(240, 660, 3120, 300), TwipsPlacer::GrowRight);
    rbAll->setChecked(true);

    frameSmen = new QGroupBox(QStringLiteral("&Смена"), this);
    frameSmen->setObjectName(QStringLiteral("frameSmen"));
    m_placer.place(frameSmen, QRect(240, 1200, 3360, 840));
    lblSmena = new QLabel(QStringLiteral("Дежурная смена №"), frameSmen);
    lblSmena->setObjectName(QStringLiteral("lblSmena"));
    m_placer.place(lblSmena, QRect(240, 390, 1800, 300), TwipsPlacer::GrowRight);
    txtSmena = new QLineEdit(frameSmen);
    txtSmena->setObjectName(QStringLiteral("txtSmena"));
    // The shift is chosen with the spinner only.
    txtSmena->setReadOnly(true);
    txtSmena->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtSmena->installEventFilter(this);
    m_placer.place(txtSmena, QRect(2100, 345, 660, 345));
    updSmena = new UpDown(frameSmen);
    updSmena->setObjectName(QStringLiteral("updSmena"));
    updSmena->setBuddy(txtSmena);
    m_placer.place(updSmena, QRect(2760, 345, 240, 345));
    lblSmena->setBuddy(txtSmena);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    m_placer.place(cmdOK, QRect(3780, 150, 1140, 372));
    cmdCancel = new QPushButton(QStringLiteral("О&тмена"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    m_placer.place(cmdCancel, QRect(3780, 630, 1140, 372));

    Label1 = new QLabel(QStringLiteral("Product of R.K.Forge"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(serifFont(9, true, true));
    m_placer.place(Label1, QRect(240, 2130, 2400, 300), TwipsPlacer::GrowRight);

    setFixedSize(Twips::toPixels(this, WindowWidth, WindowHeight));
    setTabOrder(rbAll, rbSmen);
    setTabOrder(rbSmen, txtSmena);
    setTabOrder(txtSmena, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    // Form_Load: the spinner over the trip's shifts, the first chosen.
    ResetSmena(m_g.intCountSmena);
    enableSmena(false);

    connect(rbAll, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbAll_Click();
    });
    connect(rbSmen, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbSmen_Click();
    });
    connect(updSmena, &UpDown::valueChanged, this, &frmPrintOption::updSmena_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmPrintOption::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrintOption::cmdCancel_Click);
}

void frmPrintOption::ResetSmena(qint16 intSmena)
{
    updSmena->setRange(1, qMax<int>(1, intSmena));
    updSmena->setValueSilently(1);
    txtSmena->setText(QStringLiteral("1"));
    m_intSelectedSmena = 1;
}

bool frmPrintOption::AllDays() const
{
    return rbAll->isChecked();
}

void frmPrintOption::enableSmena(bool blnOn)
{
    for (QWidget* w : std::initializer_list<QWidget*>{frameSmen, lblSmena, txtSmena, updSmena})
        w->setEnabled(blnOn);
}

void frmPrintOption::rbAll_Click()
{
    enableSmena(false);
}

void frmPrintOption::rbSmen_Click()
{
    enableSmena(true);
}

void frmPrintOption::updSmena_Change(int intValue)
{
    m_intSelectedSmena = intValue;
}

void frmPrintOption::cmdOK_Click()
{
    TripDocuments::exportLayout(m_g, AllDays(), m_intSelectedSmena);
    // Whatever became of the document, the layout window gets the control back.
    closeBack();
}

void frmPrintOption::cmdCancel_Click()
{
    closeBack();
}

void frmPrintOption::reject()
{
    // Escape and the window frame's close cancel.
    if (isVisible())
        cmdCancel_Click();
}

void frmPrintOption::closeBack()
{
    Forms::closeBackTo(*this, m_forms.Rasklad());
}

void frmPrintOption::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The shift count may have changed while this was hidden without a word to it (a
    // trip read from a file): a chosen shift must stay one of the trip's.
    if (!event->spontaneous() && updSmena->maximum() != qMax<int>(1, m_g.intCountSmena))
        ResetSmena(m_g.intCountSmena);
}

bool frmPrintOption::eventFilter(QObject* watched, QEvent* event)
{
    // The box takes no typing, but the arrow keys step its spinner.
    if (watched == txtSmena && event->type() == QEvent::KeyPress) {
        const int intKey = static_cast<QKeyEvent*>(event)->key();
        if (intKey == Qt::Key_Up || intKey == Qt::Key_Down) {
            if (updSmena->isEnabled()) {
                if (intKey == Qt::Key_Up)
                    updSmena->stepUp();
                else
                    updSmena->stepDown();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

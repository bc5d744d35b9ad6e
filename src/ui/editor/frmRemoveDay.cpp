#include "ui/editor/frmRemoveDay.h"

#include "model/GlobalVariable.h"
#include "ui/Forms.h"
#include "ui/SerifFont.h"
#include "ui/Twips.h"
#include "ui/UpDown.h"
#include "ui/editor/frmMenu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

frmRemoveDay::frmRemoveDay(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , m_g(g)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmRemoveDay"));
    setWindowTitle(QStringLiteral("Заменить дни"));
    setFont(serifFont(10.5));

    auto* lblForm = new QLabel(QStringLiteral("Поменять местами дни с номерами:"), this);
    lblForm->setObjectName(QStringLiteral("lblForm"));
    m_placer.place(lblForm, QRect(120, 120, 3372, 252), TwipsPlacer::GrowRight);

    auto dayField = [this](const char* name, const char* spinner, const QRect& field, const QRect& spin) {
        auto* text = new QLineEdit(this);
        text->setObjectName(QLatin1String(name));
        text->setReadOnly(true);
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        text->installEventFilter(this);
        m_placer.place(text, field);
        auto* updown = new UpDown(this);
        updown->setObjectName(QLatin1String(spinner));
        updown->setBuddy(text);
        m_placer.place(updown, spin);
        return std::pair{text, updown};
    };
    std::tie(txtDay1, UpDownDay1) = dayField("txtDay1", "UpDownDay1", QRect(1440, 480, 612, 372), //
                                             QRect(2040, 480, 240, 372));
    auto* label1 = new QLabel(QStringLiteral("и"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_placer.place(label1, QRect(2400, 600, 120, 240), TwipsPlacer::GrowRight);
    std::tie(txtDay2, UpDownDay2) = dayField("txtDay2", "UpDownDay2", QRect(2640, 480, 492, 372), //
                                             QRect(3120, 480, 240, 372));

    btnEsc = new QPushButton(QStringLiteral("&Отмена"), this);
    btnEsc->setObjectName(QStringLiteral("btnEsc"));
    btnEsc->setAutoDefault(false);
    m_placer.place(btnEsc, QRect(1440, 1080, 972, 372));
    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    m_placer.place(btnOk, QRect(2520, 1080, 972, 372));

    auto* credit = new QLabel(QStringLiteral("Product of R.K.Forge"), this);
    credit->setObjectName(QStringLiteral("lblRKForge"));
    credit->setFont(serifFont(6.5, true, true));
    m_placer.place(credit, QRect(0, 1320, 1104, 132), TwipsPlacer::GrowRight);

    setFixedSize(Twips::toPixels(this, 3540, 1530));

    setTabOrder(btnOk, btnEsc);
    setTabOrder(btnEsc, txtDay1);
    setTabOrder(txtDay1, txtDay2);

    connect(btnOk, &QPushButton::clicked, this, &frmRemoveDay::btnOk_Click);
    connect(btnEsc, &QPushButton::clicked, this, &frmRemoveDay::btnEsc_Click);

    InitForm();
}

void frmRemoveDay::InitForm()
{
    const qint16 intDay = m_forms.Menu().ActiveDay();
    const int intLast = qMax<int>(1, m_g.intPeriod);
    for (auto [field, spinner] : {std::pair{txtDay1, UpDownDay1}, std::pair{txtDay2, UpDownDay2}}) {
        spinner->setRange(1, intLast);
        spinner->setValueSilently(intDay);
        // The field shows what the spinner holds, also when the day lay outside the range.
        field->setText(QString::number(spinner->value()));
    }
}

qint16 frmRemoveDay::Day1() const
{
    return txtDay1->text().toShort();
}

qint16 frmRemoveDay::Day2() const
{
    return txtDay2->text().toShort();
}

void frmRemoveDay::btnOk_Click()
{
    closeBack();
    frmMenu& menu = m_forms.Menu();
    menu.RemoveDay();
    menu.Form_Activate();
}

void frmRemoveDay::btnEsc_Click()
{
    closeBack();
    m_forms.Menu().Form_Activate();
}

void frmRemoveDay::reject()
{
    if (isVisible())
        btnEsc_Click();
}

void frmRemoveDay::closeBack()
{
    Forms::closeBackTo(*this, m_forms.Menu());
}

void frmRemoveDay::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        InitForm();
}

bool frmRemoveDay::eventFilter(QObject* watched, QEvent* event)
{
    // The fields take no typing, but the arrow keys step their spinners.
    if (event->type() == QEvent::KeyPress && (watched == txtDay1 || watched == txtDay2)) {
        UpDown* spinner = watched == txtDay1 ? UpDownDay1 : UpDownDay2;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) {
            spinner->stepUp();
            return true;
        }
        if (key == Qt::Key_Down) {
            spinner->stepDown();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

#include "ui/main/frmCalendar.h"

#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

frmCalendar::frmCalendar(GlobalVariable& g, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , m_g(g)
    , m_forms(forms)
    , m_calendar(new QCalendarWidget(this))
    , m_cmdOK(new QPushButton(QStringLiteral("OK"), this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Календарь"));
    setModal(false);

    m_calendar->setObjectName(QStringLiteral("Calendar"));
    // Russian month and day names whatever the process locale.
    m_calendar->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    m_calendar->setSelectedDate(QDate::currentDate());

    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setToolTip(QStringLiteral("Установить дату"));
    m_cmdOK->setDefault(true);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    statusBar->setSizeGripEnabled(false);
    m_status->setObjectName(QStringLiteral("StatusBarPanel1"));
    statusBar->addWidget(m_status, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_calendar);
    all->addLayout(buttons);
    all->addWidget(statusBar);
    all->setContentsMargins(6, 6, 6, 0);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmCalendar::cmdOK_Click);
    // A double click on a day confirms it, as OK does.
    connect(m_calendar, &QCalendarWidget::activated, this, &frmCalendar::cmdOK_Click);
}

QDate frmCalendar::Date() const
{
    return m_calendar->selectedDate();
}

void frmCalendar::SetDate(const QDate& dt)
{
    m_calendar->setSelectedDate(dt);
}

void frmCalendar::SetStatus(const QString& strText)
{
    m_status->setText(strText);
}

QString frmCalendar::Status() const
{
    return m_status->text();
}

void frmCalendar::cmdOK_Click()
{
    emit dateChosen(m_calendar->selectedDate());
    if (m_g.dtDataEnd >= m_g.dtDataBegin) {
        m_g.blnDataBegin = false;
        m_g.blnDataEnd = false;
        emit closed();
        return;
    }
    MessageBox::show(this, QStringLiteral("Некорректные даты проведения похода"), QStringLiteral("Error!"),
                     MessageBox::OkOnly, MessageBox::Warning);
}

void frmCalendar::reject()
{
    m_g.blnDataBegin = false;
    m_g.blnDataEnd = false;
    emit closed();
}

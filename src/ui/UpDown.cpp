#include "ui/UpDown.h"

#include <QEvent>
#include <QLineEdit>
#include <QResizeEvent>
#include <QToolButton>
#include <QWheelEvent>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        // The arrows never take the focus, so a click on them does not end the editing
        // of the bound text box.
        b->setFocusPolicy(Qt::NoFocus);
    }
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    updateArrows();
}

void UpDown::setValue(int value)
{
    apply(value, true);
}

void UpDown::setValueSilently(int value)
{
    apply(value, false);
}

void UpDown::setRange(int minimum, int maximum)
{
    if (minimum > maximum)
        std::swap(minimum, maximum);
    m_min = minimum;
    m_max = maximum;
    apply(m_value, true);
    updateArrows();
}

void UpDown::setBuddy(QLineEdit* buddy)
{
    if (m_buddy)
        disconnect(m_buddy, nullptr, this, nullptr);
    m_buddy = buddy;
    if (m_buddy) {
        // A typed value may lie anywhere: both arrows are open until it is taken.
        connect(m_buddy, &QLineEdit::textEdited, this, &UpDown::updateArrows);
        connect(m_buddy, &QLineEdit::editingFinished, this, &UpDown::updateArrows);
    }
    updateArrows();
}

void UpDown::setTakeTyped(std::function<bool()> takeTyped)
{
    m_takeTyped = std::move(takeTyped);
    updateArrows();
}

bool UpDown::hasTyped() const
{
    return m_takeTyped && m_buddy && m_buddy->isModified();
}

bool UpDown::takeTyped()
{
    if (!hasTyped())
        return true;
    const bool blnTaken = m_takeTyped();
    updateArrows();
    return blnTaken;
}

void UpDown::stepUp()
{
    if (takeTyped() && m_value < m_max)
        setValue(m_value + 1);
}

void UpDown::stepDown()
{
    if (takeTyped() && m_value > m_min)
        setValue(m_value - 1);
}

void UpDown::apply(int value, bool notify)
{
    value = bounded(value);
    if (value == m_value)
        return;
    m_value = value;
    updateArrows();
    if (!notify)
        return;
    if (m_buddy) {
        m_buddy->setText(QString::number(m_value));
        m_buddy->setModified(false);
    }
    emit valueChanged(m_value);
}

void UpDown::updateArrows()
{
    const bool blnTyped = hasTyped();
    m_up->setEnabled(isEnabled() && (blnTyped || m_value < m_max));
    m_down->setEnabled(isEnabled() && (blnTyped || m_value > m_min));
}

QSize UpDown::sizeHint() const
{
    const int h = m_buddy ? m_buddy->sizeHint().height() : 2 * m_up->sizeHint().height();
    return {qMax(16, h * 2 / 3), h};
}

QSize UpDown::minimumSizeHint() const
{
    return {12, 16};
}

void UpDown::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        updateArrows();
    QWidget::changeEvent(event);
}

void UpDown::resizeEvent(QResizeEvent* event)
{
    const int w = event->size().width();
    const int h = event->size().height();
    m_up->setGeometry(0, 0, w, h / 2);
    m_down->setGeometry(0, h / 2, w, h - h / 2);
    QWidget::resizeEvent(event);
}

void UpDown::wheelEvent(QWheelEvent* event)
{
    const int dy = event->angleDelta().y();
    if (dy > 0)
        stepUp();
    else if (dy < 0)
        stepDown();
    event->accept();
}

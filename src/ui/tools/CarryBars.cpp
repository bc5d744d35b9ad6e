#include "ui/tools/CarryBars.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Margin = 6;
constexpr int ValueRoom = 70; // for the figure after the longest bar

} // namespace

CarryBars::CarryBars(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("barsCarry"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void CarryBars::setBars(const QList<Bar>& bars)
{
    m_bars = bars;
    measureNames();
    updateGeometry();
    update();
}

// Measured once per change, not at every bar of every paint.
void CarryBars::measureNames()
{
    m_intNameWidth = 0;
    for (const Bar& b : m_bars)
        m_intNameWidth = std::max(m_intNameWidth, fontMetrics().horizontalAdvance(b.strName));
}

void CarryBars::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        measureNames();
    QWidget::changeEvent(event);
}

int CarryBars::rowHeight() const
{
    return fontMetrics().height() + 8;
}

double CarryBars::labelWidth() const
{
    return std::min(m_intNameWidth, width() / 3) + 2 * Margin;
}

// Pixels per gram: the largest of the loads and targets fills the room.
double CarryBars::scale() const
{
    double top = 0;
    for (const Bar& b : m_bars)
        top = std::max({top, b.fLoad, b.fTarget});
    const double room = width() - labelWidth() - Margin - ValueRoom;
    return top > 0 && room > 0 ? room / top : 0;
}

QRectF CarryBars::barRect(int j) const
{
    const double x = labelWidth();
    const double y = Margin + j * rowHeight() + 3;
    return QRectF(x, y, m_bars.at(j).fLoad * scale(), rowHeight() - 6);
}

double CarryBars::targetX(int j) const
{
    return labelWidth() + m_bars.at(j).fTarget * scale();
}

QString CarryBars::barText(int j) const
{
    const Bar& b = m_bars.at(j);
    const double diff = b.fLoad - b.fTarget;
    return QStringLiteral("%1: %2 гр, по доле %3 гр, разница %4%5 гр")
        .arg(b.strName, QString::number(b.fLoad, 'f', 0), QString::number(b.fTarget, 'f', 0),
             diff > 0 ? QStringLiteral("+") : QString(), QString::number(diff, 'f', 0));
}

QSize CarryBars::sizeHint() const
{
    return QSize(360, 2 * Margin + std::max<int>(1, int(m_bars.size())) * rowHeight());
}

QSize CarryBars::minimumSizeHint() const
{
    return QSize(200, 2 * Margin + rowHeight());
}

void CarryBars::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int j = 0; j < m_bars.size(); ++j) {
        const Bar& b = m_bars.at(j);
        const QRectF bar = barRect(j);
        const QRectF row(0, bar.top() - 3, width(), rowHeight());
        p.setPen(palette().text().color());
        p.drawText(QRectF(Margin, row.top(), labelWidth() - 2 * Margin, row.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(b.strName, Qt::ElideRight, int(labelWidth()) - 2 * Margin));
        // More than 1 % over the target shows in the warning colour.
        p.fillRect(bar, b.fLoad > b.fTarget * 1.01 + 0.5 ? overColor() : barColor());
        const double tx = targetX(j);
        p.setPen(QPen(palette().text().color(), 2));
        p.drawLine(QPointF(tx, bar.top() - 2), QPointF(tx, bar.bottom() + 2));
        p.setPen(palette().text().color());
        p.drawText(QRectF(std::max(bar.right(), tx) + 4, row.top(), ValueRoom, row.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, QString::number(b.fLoad, 'f', 0));
    }
}

bool CarryBars::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int j = int(std::floor((help->pos().y() - Margin) / double(rowHeight())));
        if (help->pos().y() >= Margin && j >= 0 && j < m_bars.size())
            QToolTip::showText(help->globalPos(), barText(j), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

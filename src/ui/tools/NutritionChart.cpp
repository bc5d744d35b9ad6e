#include "ui/tools/NutritionChart.h"

#include "model/RuDate.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// A round number at least v, whose fifths are round too: 3000, 800, 1500.
double roundUp(double v)
{
    if (v <= 0)
        return 1;
    const double p = std::pow(10.0, std::floor(std::log10(v)));
    for (double m : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (m * p >= v)
            return m * p;
    }
    return 10 * p;
}

} // namespace

NutritionChart::NutritionChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chartNutrition"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void NutritionChart::setTable(const Nutrition::Table& table)
{
    m_table = table;
    update();
}

double NutritionChart::kcalTop() const
{
    double top = m_table.intAim;
    for (const Nutrition::Day& d : m_table.days)
        top = std::max(top, d.perPerson.kcal);
    return roundUp(top * 1.05);
}

double NutritionChart::gramsTop() const
{
    double top = 0;
    for (const Nutrition::Day& d : m_table.days)
        top = std::max(top, d.perPerson.grams);
    return roundUp(top * 1.05);
}

QList<NutritionChart::LegendEntry> NutritionChart::legend() const
{
    QList<LegendEntry> entries{{QStringLiteral("ккал на участника"), energyColor(), {}},
                               {QStringLiteral("вес на участника, г"), weightColor(), {}}};
    if (m_table.intAim > 0)
        entries.append({QStringLiteral("цель %1 ккал").arg(m_table.intAim), aimColor(), {}});
    const auto marked = [this](Nutrition::Mark mark) {
        return std::any_of(m_table.days.cbegin(), m_table.days.cend(),
                           [mark](const Nutrition::Day& d) { return d.mark == mark; });
    };
    if (marked(Nutrition::Mark::Low))
        entries.append({lowText().toLower(), lowColor(), {}});
    if (marked(Nutrition::Mark::High))
        entries.append({highText().toLower(), highColor(), {}});

    // Left to right from the plot's left edge, on to a new line where one does not fit.
    const QFontMetrics fm(font());
    const qreal left = fm.horizontalAdvance(QStringLiteral("00000")) + 8;
    qreal x = left;
    qreal y = 4;
    for (LegendEntry& e : entries) {
        const qreal w = 18 + fm.horizontalAdvance(e.strText);
        if (x > left && x + w > width() - 4) {
            x = left;
            y += fm.height() + 2;
        }
        e.rect = QRectF(x, y, w, fm.height());
        x += w + 16;
    }
    return entries;
}

QRectF NutritionChart::plotArea() const
{
    const QFontMetrics fm(font());
    const qreal side = fm.horizontalAdvance(QStringLiteral("00000")) + 8;
    const qreal top = legend().constLast().rect.bottom() + fm.height() * 0.5 + 6;
    const qreal bottom = fm.height() + 6;
    return QRectF(side, top, std::max<qreal>(1, width() - 2 * side), std::max<qreal>(1, height() - top - bottom));
}

QRectF NutritionChart::slot(int intDay) const
{
    const QRectF area = plotArea();
    const qreal w = area.width() / std::max<qsizetype>(1, m_table.days.size());
    return QRectF(area.left() + intDay * w, area.top(), w, area.height());
}

QRectF NutritionChart::energyBar(int intDay) const
{
    if (intDay < 0 || intDay >= m_table.days.size())
        return {};
    const QRectF s = slot(intDay);
    const qreal barWidth = s.width() * 0.4;
    const qreal h = s.height() * m_table.days.at(intDay).perPerson.kcal / kcalTop();
    return QRectF(s.left() + s.width() * 0.1, s.bottom() - h, barWidth, h);
}

QRectF NutritionChart::weightBar(int intDay) const
{
    if (intDay < 0 || intDay >= m_table.days.size())
        return {};
    const QRectF s = slot(intDay);
    const qreal barWidth = s.width() * 0.4;
    const qreal h = s.height() * m_table.days.at(intDay).perPerson.grams / gramsTop();
    return QRectF(s.left() + s.width() * 0.5, s.bottom() - h, barWidth, h);
}

QRectF NutritionChart::markRect(int intDay) const
{
    if (intDay < 0 || intDay >= m_table.days.size() || m_table.days.at(intDay).mark == Nutrition::Mark::None)
        return {};
    return slot(intDay);
}

qreal NutritionChart::aimY() const
{
    if (m_table.intAim <= 0)
        return -1;
    const QRectF area = plotArea();
    return area.bottom() - area.height() * m_table.intAim / kcalTop();
}

int NutritionChart::dayAt(const QPointF& pos) const
{
    for (int i = 0; i < m_table.days.size(); ++i) {
        if (slot(i).contains(pos))
            return i;
    }
    return -1;
}

QString NutritionChart::toolTipOf(int intDay) const
{
    if (intDay < 0 || intDay >= m_table.days.size())
        return {};
    const Nutrition::Day& d = m_table.days.at(intDay);
    QString tip = QStringLiteral("День %1, %2\n%3 ккал, белки %4 г, жиры %5 г, углеводы %6 г\nвес %7 г на участника")
                      .arg(d.intDay)
                      .arg(RuDate::shortDate(d.dtDate), Nutrition::kcalText(d.perPerson.kcal),
                           Nutrition::nutrientText(d.perPerson.proteins), Nutrition::nutrientText(d.perPerson.fats),
                           Nutrition::nutrientText(d.perPerson.carbohydrates), Nutrition::gramsText(d.perPerson.grams));
    if (m_table.intAim > 0)
        tip += QStringLiteral("\nцель %1 ккал").arg(m_table.intAim);
    if (d.mark != Nutrition::Mark::None)
        tip += QLatin1Char('\n') + (d.mark == Nutrition::Mark::Low ? lowText() : highText());
    if (d.intMissing > 0)
        tip += QStringLiteral("\nбез данных продуктов: %1").arg(d.intMissing);
    return tip;
}

bool NutritionChart::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int day = dayAt(help->pos());
        if (day >= 0)
            QToolTip::showText(help->globalPos(), toolTipOf(day), this, slot(day).toRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void NutritionChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const QRectF area = plotArea();
    const QFontMetrics fm(font());

    // Scales: kcal on the left, grams on the right, with a faint line at each fifth.
    const double kTop = kcalTop();
    const double gTop = gramsTop();
    p.setPen(palette().color(QPalette::Mid));
    for (int i = 0; i <= 5; ++i) {
        const qreal y = area.bottom() - area.height() * i / 5;
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(energyColor());
        p.drawText(QRectF(0, y - fm.height() / 2.0, area.left() - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(std::lround(kTop * i / 5)));
        p.setPen(weightColor());
        p.drawText(QRectF(area.right() + 4, y - fm.height() / 2.0, width() - area.right() - 4, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(std::lround(gTop * i / 5)));
        p.setPen(palette().color(QPalette::Mid));
    }

    for (int i = 0; i < m_table.days.size(); ++i) {
        const Nutrition::Mark mark = m_table.days.at(i).mark;
        if (mark != Nutrition::Mark::None)
            p.fillRect(markRect(i), mark == Nutrition::Mark::Low ? lowColor() : highColor());
    }
    // The scale's lines again over the marks, then the bars.
    p.setPen(palette().color(QPalette::Mid));
    for (int i = 1; i <= 5; ++i) {
        const qreal y = area.bottom() - area.height() * i / 5;
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    for (int i = 0; i < m_table.days.size(); ++i) {
        p.fillRect(energyBar(i), energyColor());
        p.fillRect(weightBar(i), weightColor());
        // Day numbers under the bars, as many as fit.
        const QRectF s = slot(i);
        const QString label = QString::number(m_table.days.at(i).intDay);
        const int step = std::max(1, int(std::ceil((fm.horizontalAdvance(QStringLiteral("00")) + 4) / s.width())));
        if (i % step == 0) {
            p.setPen(palette().color(QPalette::Text));
            p.drawText(
                QRectF(s.left() - s.width() * (step - 1) / 2.0, area.bottom() + 2, s.width() * step, fm.height()),
                Qt::AlignCenter, label);
        }
    }

    const qreal y = aimY();
    if (y >= 0) {
        p.setPen(QPen(aimColor(), 2, Qt::DashLine));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }

    // The legend above the plot: the aim as its dashed line, the rest as swatches.
    for (const LegendEntry& e : legend()) {
        const QRectF& r = e.rect;
        if (e.color == aimColor()) {
            p.setPen(QPen(e.color, 2, Qt::DashLine));
            p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.left() + 14, r.center().y()));
        } else {
            p.fillRect(QRectF(r.left(), r.top() + 2, 14, r.height() - 4), e.color);
        }
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QPointF(r.left() + 18, r.top() + fm.ascent()), e.strText);
    }

    p.setPen(palette().color(QPalette::Text));
    p.drawLine(area.bottomLeft(), area.bottomRight());
}

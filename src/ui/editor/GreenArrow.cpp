#include "ui/editor/GreenArrow.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace GreenArrow {

QPixmap picture(bool bRight)
{
    QPixmap pixmap(Width, Height);
    pixmap.fill(Qt::transparent);

    // Drawn pointing right; the left arrow is its mirror image.
    const qreal mid = Height / 2.0;
    const QPolygonF arrow{{4, mid - 5},   {42, mid - 5}, {42, mid - 12}, {Width - 4.0, mid},
                          {42, mid + 12}, {42, mid + 5}, {4, mid + 5}};

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!bRight) {
        painter.translate(Width, 0);
        painter.scale(-1, 1);
    }
    QLinearGradient fill(0, mid - 12, 0, mid + 12);
    fill.setColorAt(0.0, QColor(0x7c, 0xd6, 0x5a));
    fill.setColorAt(0.5, QColor(0x2e, 0xa0, 0x2e));
    fill.setColorAt(1.0, QColor(0x1b, 0x73, 0x1b));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0x0f, 0x4d, 0x0f), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolygon(arrow);
    return pixmap;
}

} // namespace GreenArrow

#include "ui/editor/TwipsPlacer.h"

#include "ui/Twips.h"

#include <QWidget>

void TwipsPlacer::place(QWidget* widget, const QRect& twips, Fit fit)
{
    Entry entry{QPointer<QWidget>(widget), twips, fit};
    m_entries.insert(widget, entry);
    apply(entry);
}

void TwipsPlacer::move(QWidget* widget, const QPoint& twips)
{
    const Entry old = m_entries.value(widget);
    place(widget, QRect(twips, old.twips.size()), old.fit);
}

QRect TwipsPlacer::twips(const QWidget* widget) const
{
    return m_entries.value(widget).twips;
}

void TwipsPlacer::apply(const Entry& entry)
{
    QWidget* widget = entry.widget;
    if (!widget)
        return;
    const QRect& t = entry.twips;
    QRect px = Twips::toPixels(widget, t.x(), t.y(), t.width(), t.height());
    if (entry.fit != Exact) {
        const QSize hint = widget->sizeHint();
        if (hint.height() > px.height())
            px.setHeight(hint.height());
        if (hint.width() > px.width()) {
            const int extra = hint.width() - px.width();
            if (entry.fit == GrowCentred)
                px.moveLeft(px.left() - extra / 2);
            px.setWidth(hint.width());
        }
    }
    widget->setGeometry(px);
}

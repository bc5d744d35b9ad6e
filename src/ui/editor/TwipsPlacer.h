#pragma once

#include <QHash>
#include <QPointer>
#include <QRect>

class QWidget;

// Remembers each control's design rectangle in twips and places the control in pixels
// of its screen. A control whose text needs more room than its design rectangle can be
// grown to fit, so nothing is cut off with a larger font.
class TwipsPlacer
{
public:
    enum Fit
    {
        Exact,      // the design rectangle as it is
        GrowRight,  // at least the text's size, growing right and down
        GrowCentred // at least the text's size, growing evenly left and right, and down
    };

    // Stores the rectangle and moves the control there.
    void place(QWidget* widget, const QRect& twips, Fit fit = Exact);
    // Keeps the stored size and fit, moves the top-left corner.
    void move(QWidget* widget, const QPoint& twips);
    // The stored rectangle; an empty one for a control never placed.
    QRect twips(const QWidget* widget) const;

private:
    struct Entry
    {
        QPointer<QWidget> widget;
        QRect twips;
        Fit fit = Exact;
    };
    static void apply(const Entry& entry);

    QHash<const QWidget*, Entry> m_entries;
};

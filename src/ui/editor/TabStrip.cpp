#include "ui/editor/TabStrip.h"

#include <QEvent>
#include <QHash>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QToolButton>
#include <functional>

namespace {

// Tells the strip when its tabs change, so the row keeps the height of its tabs.
class StripBar : public QTabBar
{
public:
    StripBar(QWidget* parent, std::function<void()> changed)
        : QTabBar(parent)
        , m_changed(std::move(changed))
    {
    }

    // Height of the row: the tabs share one font, so the first tells.
    int rowHeight() const { return tabSizeHint(0).height(); }

protected:
    // Every tab added or removed lays out all tabs again, so a strip of a hundred days
    // would measure its captions thousands of times; each caption is measured once.
    QSize tabSizeHint(int index) const override
    {
        const QPair<QString, bool> key{tabText(index), index == currentIndex()};
        auto found = m_sizes.constFind(key);
        if (found == m_sizes.cend())
            found = m_sizes.insert(key, QTabBar::tabSizeHint(index));
        return *found;
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_sizes.clear();
        QTabBar::changeEvent(event);
    }
    void tabInserted(int index) override
    {
        QTabBar::tabInserted(index);
        m_changed();
    }
    void tabRemoved(int index) override
    {
        QTabBar::tabRemoved(index);
        m_changed();
    }

private:
    std::function<void()> m_changed;
    mutable QHash<QPair<QString, bool>, QSize> m_sizes; // by caption and whether selected
};

} // namespace

TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent)
    , m_bar(new StripBar(this, [this] { layoutBar(); }))
{
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(true);
    m_bar->setElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::NoFocus);
    // The tabs are one stop of the Tab key; their scroll arrows are for the mouse.
    for (QToolButton* arrow : m_bar->findChildren<QToolButton*>())
        arrow->setFocusPolicy(Qt::NoFocus);
}

void TabStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutBar();
}

void TabStrip::layoutBar()
{
    // Not the bar's size hint: that lays out every tab, on every tab added.
    const int h = m_bar->count() > 0 ? static_cast<StripBar*>(m_bar)->rowHeight() : fontMetrics().height() + 10;
    m_bar->setGeometry(0, 0, width(), h);
    update();
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = m_bar->geometry().size();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    option.rect = rect().adjusted(0, m_bar->height() - overlap, 0, 0);
    option.tabBarRect = m_bar->geometry();
    if (m_bar->currentIndex() >= 0)
        option.selectedTabRect = m_bar->tabRect(m_bar->currentIndex());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

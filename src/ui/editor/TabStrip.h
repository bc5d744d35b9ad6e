#pragma once

#include <QWidget>

class QTabBar;

// A row of tabs over a framed pane that holds nothing itself: the controls shown "on"
// the pane are its siblings placed over it, and they show whatever the selected tab
// stands for.
class TabStrip : public QWidget
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget* parent = nullptr);

    QTabBar* bar() const { return m_bar; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutBar();

    QTabBar* m_bar;
};

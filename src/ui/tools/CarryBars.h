#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QWidget>

// One horizontal bar per participant: the load, with a mark at the target the share
// asks for, so that an uneven split shows at a glance. Drawn by hand (no chart library).
class CarryBars : public QWidget
{
    Q_OBJECT

public:
    struct Bar
    {
        QString strName;
        double fLoad = 0;   // grams
        double fTarget = 0; // grams
    };

    explicit CarryBars(QWidget* parent = nullptr);

    void setBars(const QList<Bar>& bars);
    const QList<Bar>& bars() const { return m_bars; }

    // Where bar j (its filled part) and its target mark are drawn, in widget pixels.
    QRectF barRect(int j) const;
    double targetX(int j) const;
    // The tooltip of bar j.
    QString barText(int j) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static QColor barColor() { return QColor(0x4a, 0x7f, 0xb5); }
    static QColor overColor() { return QColor(0xc8, 0x5a, 0x3c); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    double scale() const;
    int rowHeight() const;
    double labelWidth() const;
    void measureNames();

    QList<Bar> m_bars;
    int m_intNameWidth = 0; // the widest name, in pixels
};

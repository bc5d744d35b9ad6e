#pragma once

#include "model/Nutrition.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QWidget>

// Energy per participant per day as bars against the aim's line, and the full weight
// per participant per day as a second row of bars on a scale of its own. The days the
// table marks below or above the aim stand on the table's colours. Drawn with QPainter
// alone; a tooltip gives a day's exact figures.
class NutritionChart : public QWidget
{
    Q_OBJECT

public:
    explicit NutritionChart(QWidget* parent = nullptr);

    void setTable(const Nutrition::Table& table);
    const Nutrition::Table& table() const { return m_table; }

    // Where things are drawn at the widget's present size, for tooltips and tests.
    QRectF plotArea() const;
    QRectF energyBar(int intDay) const; // 0-based
    QRectF weightBar(int intDay) const;
    // The aim's line; a negative value when no aim is set.
    qreal aimY() const;
    // The background of a day, in the colour of its mark; empty for an unmarked day.
    QRectF markRect(int intDay) const;
    // The legend above the plot, wrapped to the width: each entry's swatch and text.
    struct LegendEntry
    {
        QString strText;
        QColor color;
        QRectF rect; // swatch and text
    };
    QList<LegendEntry> legend() const;
    // The day under a point, or -1.
    int dayAt(const QPointF& pos) const;
    QString toolTipOf(int intDay) const;

    static QColor energyColor() { return QColor(0xd9, 0x6c, 0x1e); }
    static QColor weightColor() { return QColor(0x3a, 0x6e, 0xa5); }
    static QColor aimColor() { return QColor(0x1b, 0x8a, 0x2f); }
    // The table's marks: below 90 % and above 115 % of the aim.
    static QColor lowColor() { return QColor(0xfc, 0xe4, 0xc4); }
    static QColor highColor() { return QColor(0xf8, 0xd0, 0xd0); }
    static QString lowText() { return QStringLiteral("Меньше 90 % цели"); }
    static QString highText() { return QStringLiteral("Больше 115 % цели"); }

    QSize sizeHint() const override { return {640, 260}; }
    QSize minimumSizeHint() const override { return {320, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The top of each scale, rounded up to a round number.
    double kcalTop() const;
    double gramsTop() const;
    QRectF slot(int intDay) const;

    Nutrition::Table m_table;
};

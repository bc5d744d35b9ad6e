#pragma once

#include "model/Nutrition.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QWidget>

// Energy per participant per day as bars against the aim's line, and the full weight
// per participant per day as a second row of bars on a scale of its own. Drawn with
// QPainter alone; a tooltip gives a day's exact figures.
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
    // The day under a point, or -1.
    int dayAt(const QPointF& pos) const;
    QString toolTipOf(int intDay) const;

    static QColor energyColor() { return QColor(0xd9, 0x6c, 0x1e); }
    static QColor weightColor() { return QColor(0x3a, 0x6e, 0xa5); }
    static QColor aimColor() { return QColor(0x1b, 0x8a, 0x2f); }

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

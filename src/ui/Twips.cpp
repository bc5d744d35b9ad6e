#include "ui/Twips.h"

#include <QWidget>
#include <cmath>

namespace Twips {

namespace {

int convert(int twips, int dpi)
{
    if (dpi <= 0)
        dpi = 96;
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

} // namespace

int toPixelsX(const QWidget* widget, int twips)
{
    return convert(twips, widget ? widget->logicalDpiX() : 96);
}

int toPixelsY(const QWidget* widget, int twips)
{
    return convert(twips, widget ? widget->logicalDpiY() : 96);
}

QSize toPixels(const QWidget* widget, int width, int height)
{
    return {toPixelsX(widget, width), toPixelsY(widget, height)};
}

QRect toPixels(const QWidget* widget, int left, int top, int width, int height)
{
    return {toPixelsX(widget, left), toPixelsY(widget, top), toPixelsX(widget, width), toPixelsY(widget, height)};
}

} // namespace Twips

#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Window geometry is designed in twips (1440 to the inch); these turn it into pixels
// with the logical resolution of the screen the widget is on (96 dpi when unknown).
namespace Twips {

int toPixelsX(const QWidget* widget, int twips);
int toPixelsY(const QWidget* widget, int twips);
QSize toPixels(const QWidget* widget, int width, int height);
QRect toPixels(const QWidget* widget, int left, int top, int width, int height);

} // namespace Twips

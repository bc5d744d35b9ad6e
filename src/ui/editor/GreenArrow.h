#pragma once

#include <QPixmap>

// The pictures of the two buttons that move a product between the catalog and a meal:
// a green arrow of 70 × 30 pixels, pointing right (towards the meal) or left.
namespace GreenArrow {

constexpr int Width = 70;
constexpr int Height = 30;

QPixmap picture(bool bRight);

} // namespace GreenArrow

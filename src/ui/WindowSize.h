#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The size a resizable window opens at, and the size it had when last closed, kept
// through the platform's key store under "Software\Torbel\Windows" by the window's
// object name.
namespace WindowSize {

inline const QString KeyName = QStringLiteral("Software\\Torbel\\Windows");

// Frames and title bars are not part of a window's size; what they take of the
// screen's free area is allowed for.
constexpr int FrameWidth = 16;
constexpr int FrameHeight = 40;

// The largest size that shows the whole window and its frame in the free area.
QSize usable(const QRect& available);
// wanted, no larger than usable(available), and at least 1 x 1.
QSize fit(const QSize& wanted, const QRect& available);

// "980x600"; a kept text is taken only with both numbers whole, from 1 to MaxSide.
constexpr int MaxSide = 100000;
QString text(const QSize& size);
std::optional<QSize> parse(const QString& text);

std::optional<QSize> kept(const QString& strName);
bool keep(const QString& strName, const QSize& size);

// The window's first showing: the kept size, or else the opening size for the free
// area of its screen (worked out only when none is kept), fitted to that area.
void apply(QWidget& w, const std::function<QSize(const QRect& available)>& opening);
// Its size kept when it is hidden: the normal size of a maximised window.
void keepSize(const QWidget& w);
// The free area of the window's screen; a common laptop's when there is no screen.
QRect available(const QWidget& w);

} // namespace WindowSize

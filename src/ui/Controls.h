#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The buttons and labels every window makes: named after the control, so the window's
// handlers and the tests find them by name.
namespace Controls {

// A button that never becomes a dialog's default by taking the focus: Enter in a field
// must not press it. The tooltip is set when given.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QString& tip = QString());

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text);

} // namespace Controls

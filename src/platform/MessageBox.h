#pragma once

#include "platform/Recorder.h"

#include <QString>

class QMessageBox;
class QWidget;

// Modal message boxes. Every window goes through here instead of QMessageBox, so that
// tests can answer them and read what was shown.
//
// Test mode: no real box is ever shown; show() records the box and returns the next
// queued answer, or, when none is queued, the box's default button (the first one:
// Ok for OkOnly and OkCancel, Yes for YesNo) — what pressing Enter gives on a real box.
// Test mode is on while a MessageBox::Recorder lives, after setTestMode(true), and
// always under the "offscreen" and "minimal" platforms, so a test can never block.
class MessageBox : public Platform::TestSide<MessageBox>
{
public:
    enum Button
    {
        NoButton,
        Ok,
        Cancel,
        Yes,
        No,
        // Test side only: queued as an answer, the user presses Escape or the frame's
        // close button; a box that refuses them takes the next answer instead.
        Escape
    };
    enum Buttons
    {
        OkOnly,
        YesNo,
        OkCancel
    };
    enum Icon
    {
        NoIcon,
        Information,
        Warning,
        Critical,
        Question
    };

    // Shows the box and returns the button pressed. Closing a real box by its frame or
    // Escape answers Ok for OkOnly and Cancel for OkCancel; a Yes/No box refuses both,
    // so a reflexive Escape cannot answer a question. With a help topic, F1 in the box
    // opens the help there (Help::showTopic).
    static Button show(QWidget* parent, const QString& text, const QString& caption, Buttons buttons = OkOnly,
                       Icon icon = NoIcon, const QString& helpTopic = QString());

    // The real box show() runs, not yet shown; the caller owns it. For tests of the box itself.
    static QMessageBox* makeBox(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                                Icon icon = NoIcon, const QString& helpTopic = QString());

    // What Escape or the frame answers: Ok, Cancel, or NoButton where they are refused.
    static Button escapeAnswer(Buttons buttons);

    // The button a box answers with when nothing else decides: the first of its buttons.
    static Button defaultButton(Buttons buttons);

    // ---- test side ----
    struct Shown
    {
        QString text;
        QString caption;
        Buttons buttons = OkOnly;
        Icon icon = NoIcon;
        Button answer = NoButton;
        Button escape = NoButton; // escapeAnswer(buttons)
        QString helpTopic;
    };

    // Test mode, queued answers, the boxes shown: Platform::TestSide.
    using Log = Platform::TestLog<Shown, Button>;
    using Answerer = Log::Answerer;
    static Log& testLog();

    // Turns test mode on and starts with nothing shown or queued; restores on exit.
    using Recorder = Platform::Recorder<MessageBox>;
};

#pragma once

#include <QList>
#include <QString>

#include <functional>

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
class MessageBox
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

    static void setTestMode(bool on);
    static bool testMode();
    // Queues the answer of the next box shown (first queued, first used).
    static void setNextAnswer(Button answer);
    static int pendingAnswers();
    // Every box shown in test mode, oldest first.
    static const QList<Shown>& shown();
    static void clear(); // forgets shown boxes and queued answers
    // Answers the boxes for which no answer is queued, instead of the default button
    // (a test that answers at random). Null removes it; so do a Recorder's start and end.
    using Answerer = std::function<Button(const Shown& box)>;
    static void setAnswerer(Answerer answerer);

    // Turns test mode on and starts with nothing shown or queued; restores on exit.
    class Recorder
    {
    public:
        Recorder();
        ~Recorder();
        Recorder(const Recorder&) = delete;
        Recorder& operator=(const Recorder&) = delete;

        void setNextAnswer(Button answer) { MessageBox::setNextAnswer(answer); }
        const QList<Shown>& shown() const { return MessageBox::shown(); }
        int count() const { return int(MessageBox::shown().size()); }
        // The last box shown; an empty record when none was.
        Shown last() const;
        void clear() { MessageBox::clear(); }

    private:
        bool m_previous;
    };
};

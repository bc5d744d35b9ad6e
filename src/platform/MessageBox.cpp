#include "platform/MessageBox.h"

#include "platform/Headless.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QQueue>

namespace {

struct State
{
    bool testMode = false;
    QQueue<MessageBox::Button> answers;
    QList<MessageBox::Shown> shown;
    MessageBox::Answerer answerer;
};

State& state()
{
    static State s;
    return s;
}

QMessageBox::Icon qtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Information:
        return QMessageBox::Information;
    case MessageBox::Warning:
        return QMessageBox::Warning;
    case MessageBox::Critical:
        return QMessageBox::Critical;
    case MessageBox::Question:
        return QMessageBox::Question;
    case MessageBox::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageBox::Button showReal(QWidget* parent, const QString& text, const QString& caption, MessageBox::Buttons buttons,
                            MessageBox::Icon icon)
{
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent);
    switch (buttons) {
    case MessageBox::OkOnly:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MessageBox::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageBox::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // Russian button texts whatever translations are installed.
    if (auto* b = box.button(QMessageBox::Yes))
        b->setText(QStringLiteral("&Да"));
    if (auto* b = box.button(QMessageBox::No))
        b->setText(QStringLiteral("&Нет"));
    if (auto* b = box.button(QMessageBox::Cancel))
        b->setText(QStringLiteral("Отмена"));

    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageBox::Ok;
    case QMessageBox::Cancel:
        return MessageBox::Cancel;
    case QMessageBox::Yes:
        return MessageBox::Yes;
    case QMessageBox::No:
        return MessageBox::No;
    default:
        break;
    }
    // Not reachable with an escape button set; answer as Escape would.
    return buttons == MessageBox::OkOnly ? MessageBox::Ok
                                         : (buttons == MessageBox::YesNo ? MessageBox::No : MessageBox::Cancel);
}

} // namespace

MessageBox::Button MessageBox::show(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                                    Icon icon)
{
    if (!testMode())
        return showReal(parent, text, caption, buttons, icon);

    State& s = state();
    Shown box{text, caption, buttons, icon, NoButton};
    if (!s.answers.isEmpty())
        box.answer = s.answers.dequeue();
    else
        box.answer = s.answerer ? s.answerer(box) : defaultButton(buttons);
    s.shown.append(box);
    return box.answer;
}

MessageBox::Button MessageBox::defaultButton(Buttons buttons)
{
    return buttons == YesNo ? Yes : Ok;
}

void MessageBox::setTestMode(bool on)
{
    state().testMode = on;
}

bool MessageBox::testMode()
{
    return state().testMode || Platform::headless();
}

void MessageBox::setNextAnswer(Button answer)
{
    state().answers.enqueue(answer);
}

int MessageBox::pendingAnswers()
{
    return int(state().answers.size());
}

const QList<MessageBox::Shown>& MessageBox::shown()
{
    return state().shown;
}

void MessageBox::setAnswerer(Answerer answerer)
{
    state().answerer = std::move(answerer);
}

void MessageBox::clear()
{
    state().answers.clear();
    state().shown.clear();
}

MessageBox::Recorder::Recorder()
    : m_previous(state().testMode)
{
    MessageBox::clear();
    state().answerer = nullptr;
    state().testMode = true;
}

MessageBox::Recorder::~Recorder()
{
    MessageBox::clear();
    state().answerer = nullptr;
    state().testMode = m_previous;
}

MessageBox::Shown MessageBox::Recorder::last() const
{
    return state().shown.isEmpty() ? Shown{} : state().shown.last();
}

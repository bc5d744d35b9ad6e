#include "platform/MessageBox.h"

#include "platform/Help.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

#include <memory>

namespace {

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

// A Yes/No question offers exactly its two answers: Escape and the frame's close
// button are refused. F1 opens the box's help topic when it has one.
class Box : public QMessageBox
{
public:
    Box(QMessageBox::Icon icon, const QString& caption, const QString& text, QWidget* parent,
        MessageBox::Buttons buttons, const QString& helpTopic)
        : QMessageBox(icon, caption, text, QMessageBox::NoButton, parent)
        , m_blnQuestion(buttons == MessageBox::YesNo)
        , m_strHelpTopic(helpTopic)
    {
        if (m_blnQuestion) {
            setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                           ~Qt::WindowCloseButtonHint);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F1 && !m_strHelpTopic.isEmpty()) {
            Help::showTopic(this, m_strHelpTopic);
            return;
        }
        if (m_blnQuestion && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        if (m_blnQuestion && !clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_blnQuestion;
    QString m_strHelpTopic;
};

} // namespace

QMessageBox* MessageBox::makeBox(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                                 Icon icon, const QString& helpTopic)
{
    auto* box = new Box(qtIcon(icon), caption, text, parent, buttons, helpTopic);
    switch (buttons) {
    case MessageBox::OkOnly:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        break;
    case MessageBox::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case MessageBox::OkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // Russian button texts whatever translations are installed.
    if (auto* b = box->button(QMessageBox::Yes))
        b->setText(QStringLiteral("&Да"));
    if (auto* b = box->button(QMessageBox::No))
        b->setText(QStringLiteral("&Нет"));
    if (auto* b = box->button(QMessageBox::Cancel))
        b->setText(QStringLiteral("Отмена"));
    return box;
}

namespace {

MessageBox::Button showReal(QWidget* parent, const QString& text, const QString& caption, MessageBox::Buttons buttons,
                            MessageBox::Icon icon, const QString& helpTopic)
{
    const std::unique_ptr<QMessageBox> box(MessageBox::makeBox(parent, text, caption, buttons, icon, helpTopic));
    switch (box->exec()) {
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
    // Not reachable: every way out of a box is one of its buttons.
    return MessageBox::defaultButton(buttons);
}

} // namespace

MessageBox::Button MessageBox::show(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                                    Icon icon, const QString& helpTopic)
{
    if (!testMode())
        return showReal(parent, text, caption, buttons, icon, helpTopic);

    Log& l = testLog();
    Shown box{text, caption, buttons, icon, NoButton, escapeAnswer(buttons), helpTopic};
    box.answer = l.next(box, defaultButton(buttons));
    // Escape on a box that refuses it changes nothing: the box waits for a real answer.
    while (box.answer == Escape) {
        if (box.escape != NoButton)
            box.answer = box.escape;
        else
            box.answer = l.answers.isEmpty() ? defaultButton(buttons) : l.answers.dequeue();
    }
    l.calls.append(box);
    return box.answer;
}

MessageBox::Button MessageBox::escapeAnswer(Buttons buttons)
{
    switch (buttons) {
    case OkOnly:
        return Ok;
    case OkCancel:
        return Cancel;
    case YesNo:
        break;
    }
    return NoButton;
}

MessageBox::Button MessageBox::defaultButton(Buttons buttons)
{
    return buttons == YesNo ? Yes : Ok;
}

MessageBox::Log& MessageBox::testLog()
{
    static Log s;
    return s;
}

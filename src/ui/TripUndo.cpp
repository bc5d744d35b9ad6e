#include "ui/TripUndo.h"

#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/TripChange.h"
#include "platform/MessageBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWidget>

namespace {

class ChangeCommand : public QUndoCommand
{
public:
    ChangeCommand(TripEditor& editor, TripChange change)
        : m_editor(editor)
        , m_change(std::move(change))
    {
        setText(m_change.strWhat);
    }

    // The editor has made the change already when it is pushed.
    void redo() override
    {
        if (m_blnMade) {
            m_blnMade = false;
            return;
        }
        m_editor.redo(m_change);
    }
    void undo() override { m_editor.undo(m_change); }

    int id() const override { return m_change.intMergeKey != 0 ? m_change.intMergeKey : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        join(static_cast<const ChangeCommand*>(other)->m_change);
        return true;
    }
    // A change made after this one, taken back and made again with it.
    void join(const TripChange& next)
    {
        m_change.parts.insert(m_change.parts.end(), next.parts.begin(), next.parts.end());
    }

private:
    TripEditor& m_editor;
    TripChange m_change;
    bool m_blnMade = true;
};

} // namespace

TripUndo::TripUndo(GlobalVariable& g, QObject* parent)
    : QObject(parent)
    , m_g(g)
    , m_stack(new QUndoStack(this))
    , m_undo(new QAction(this))
    , m_redo(new QAction(this))
{
    m_undo->setObjectName(QStringLiteral("mnuEditUndo"));
    m_redo->setObjectName(QStringLiteral("mnuEditRedo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(m_undo, &QAction::triggered, this, [this] { step(&QUndoStack::undo, QStringLiteral("Отменить")); });
    connect(m_redo, &QAction::triggered, this, [this] { step(&QUndoStack::redo, QStringLiteral("Повторить")); });
    connect(m_stack, &QUndoStack::indexChanged, this, &TripUndo::updateTexts);
    connect(m_stack, &QUndoStack::cleanChanged, this, [this](bool blnClean) {
        if (blnClean)
            m_g.blnChanged = false;
    });
    connect(&g.edits, &TripEditor::made, this, &TripUndo::push);
    // A trip opened or started anew has no steps to take back. Its change mark is the
    // opener's to set; while set, no step is the saved state.
    connect(&g.edits, &TripEditor::replacedWhole, this, [this] {
        const bool blnChanged = m_g.blnChanged;
        m_stack->clear();
        m_g.blnChanged = blnChanged;
        if (blnChanged)
            m_stack->resetClean();
    });
    updateTexts();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

TripUndo::~TripUndo() = default;

void TripUndo::attach(QWidget& window) const
{
    window.addAction(m_undo);
    window.addAction(m_redo);
}

bool TripUndo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool blnUndoKey = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                            m_redo->shortcuts().contains(QKeySequence(key->keyCombination()));
    const auto* line = qobject_cast<QLineEdit*>(watched);
    const auto* text = qobject_cast<QPlainTextEdit*>(watched);
    // Left unclaimed by the field, the keys reach the window's undo and redo actions.
    return blnUndoKey && ((line && !line->isModified()) || (text && !text->isUndoRedoEnabled())) &&
           static_cast<QWidget*>(watched)->window()->actions().contains(m_undo);
}

void TripUndo::setSaved()
{
    m_stack->setClean();
}

void TripUndo::setNothingSaved()
{
    m_stack->resetClean();
}

void TripUndo::step(void (QUndoStack::*move)(), const QString& strVerb)
{
    try {
        (m_stack->*move)();
    } catch (const ModelError&) {
        // Only a change made past the editor can get here; the steps no longer fit the trip.
        m_stack->clear();
        MessageBox::show(nullptr, QStringLiteral("%1 не удалось: поход изменён в обход журнала правок.").arg(strVerb),
                         QStringLiteral("Правка"), MessageBox::OkOnly, MessageBox::Warning);
    }
}

void TripUndo::push(const TripChange& change)
{
    // A consequence joins the step it follows, unless that step is the saved trip or
    // steps wait to be made again: then it is a step of its own.
    const int intIndex = m_stack->index();
    if (change.blnFollows && intIndex > 0 && intIndex == m_stack->count() && intIndex != m_stack->cleanIndex()) {
        // The stack keeps its commands const; every one of them is a ChangeCommand made here.
        auto* last = static_cast<ChangeCommand*>(const_cast<QUndoCommand*>(m_stack->command(intIndex - 1)));
        last->join(change);
        return;
    }
    m_stack->push(new ChangeCommand(m_g.edits, change));
}

void TripUndo::updateTexts()
{
    const auto set = [](QAction* act, const QString& strVerb, bool blnCan, const QString& strWhat) {
        act->setEnabled(blnCan);
        act->setText(blnCan && !strWhat.isEmpty() ? QStringLiteral("%1: %2").arg(strVerb, strWhat) : strVerb);
    };
    set(m_undo, QStringLiteral("&Отменить"), m_stack->canUndo(), m_stack->undoText());
    set(m_redo, QStringLiteral("&Повторить"), m_stack->canRedo(), m_stack->redoText());
}

#pragma once

#include <QObject>

class QAction;
class QUndoStack;
class QWidget;
struct GlobalVariable;
struct TripChange;

// The open trip's undo stack: every change the trip's editor makes becomes one step,
// taken back and made again through the editor, so windows follow undo like any change.
// Its two actions ("Отменить: …", "Повторить: …") serve every window of the trip.
class TripUndo : public QObject
{
    Q_OBJECT

public:
    explicit TripUndo(GlobalVariable& g, QObject* parent = nullptr);
    ~TripUndo() override;

    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    // Gives a window the shortcuts Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y.
    void attach(QWidget& window) const;

    // The trip as it is now is the saved one: undoing back to here clears the change flag.
    void setSaved();
    // The trip holds work that no file has (started from a template): no step is saved.
    void setNothingSaved();

    QUndoStack& stack() const { return *m_stack; }

protected:
    // The undo keys in a field of a trip window: a field holding typing not yet taken
    // into the trip undoes that typing; otherwise the keys undo the trip.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void push(const TripChange& change);
    // Undoes or redoes one step; a step that no longer fits the trip ends the history.
    void step(void (QUndoStack::*move)(), const QString& strVerb);
    void updateTexts();

    GlobalVariable& m_g;
    QUndoStack* m_stack = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};

// Undo and redo of the design for the whole run: every change to the network,
// the load, the test frequency or the system impedance is one entry. Every
// page reaches the one history through PageContext::undo.
//
// Recording a change as one entry (a dialog's result, an optimiser run, a
// stage edit ...):
//
//   {
//       UndoStep step(context.undo, context.state, "Match");
//       ... change context.state ...
//   }   // one entry is pushed here, and only if the design really changed,
//       // so an early return or a refused value records nothing
//
// A change that spans several handlers (pick an element, then Accept its
// values) keeps a snapshot itself and calls Push(state, text, before).
//
// After an undo or redo the history emits Restored(); a page connects to it
// and shows SessionState again. AddUndoShortcuts gives a page Ctrl+Z,
// Ctrl+Shift+Z and Ctrl+Y, also while the cursor is in a value box whose
// text has been committed (a box with uncommitted typing undoes its own text
// first).
#pragma once

#include <QObject>
#include <QUndoStack>
#include <string>

#include "session/DesignSnapshot.h"

class QWidget;

namespace qv {

class UndoHistory : public QObject {
    Q_OBJECT

public:
    UndoHistory();

    // Pushes "before -> the state now" as one entry, unless nothing changed.
    void Push(SessionState& state, const std::string& text, DesignSnapshot before);
    void Undo() { stack_.undo(); }
    void Redo() { stack_.redo(); }
    bool CanUndo() const { return stack_.canUndo(); }
    bool CanRedo() const { return stack_.canRedo(); }
    int Count() const { return stack_.count(); }
    QUndoStack& Stack() { return stack_; }

signals:
    // SessionState has been put back to an earlier or later entry.
    void Restored();

private:
    friend class SnapshotCommand;
    QUndoStack stack_;
};

// Records everything done to the state during its lifetime as one entry.
class UndoStep {
public:
    UndoStep(UndoHistory& history, SessionState& state, std::string text);
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    UndoHistory& history_;
    SessionState& state_;
    std::string text_;
    DesignSnapshot before_;
};

// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y on the window `page` and its value boxes.
void AddUndoShortcuts(QWidget* page, UndoHistory& history);

}  // namespace qv

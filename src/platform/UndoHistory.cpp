#include "platform/UndoHistory.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoCommand>
#include <QWidget>

namespace qv {

class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(UndoHistory& history, SessionState& state, const std::string& text,
                    DesignSnapshot before, DesignSnapshot after)
        : QUndoCommand(QString::fromStdString(text)),
          history_(history),
          state_(state),
          before_(std::move(before)),
          after_(std::move(after)) {}

    bool Same(const DesignSnapshot& before, const DesignSnapshot& after) const {
        return before == before_ && after == after_;
    }
    void undo() override { Put(before_); }
    void redo() override {
        // The change itself has been made already when it is pushed.
        if (pushed_) Put(after_);
        pushed_ = true;
    }

private:
    void Put(const DesignSnapshot& d) {
        RestoreSnapshot(state_, d);
        emit history_.Restored();
    }

    UndoHistory& history_;
    SessionState& state_;
    DesignSnapshot before_, after_;
    bool pushed_ = false;
};

UndoHistory::UndoHistory() = default;

void UndoHistory::Push(SessionState& state, const std::string& text, DesignSnapshot before) {
    DesignSnapshot after = TakeSnapshot(state);
    if (after == before) return;
    // A step round a dialog that records its own change as one entry must
    // not add that change a second time.
    if (stack_.index() > 0)
        if (const auto* top = dynamic_cast<const SnapshotCommand*>(stack_.command(stack_.index() - 1)))
            if (top->Same(before, after)) return;
    stack_.push(new SnapshotCommand(*this, state, text, std::move(before), std::move(after)));
}

UndoStep::UndoStep(UndoHistory& history, SessionState& state, std::string text)
    : history_(history), state_(state), text_(std::move(text)), before_(TakeSnapshot(state)) {}

UndoStep::~UndoStep() { history_.Push(state_, text_, std::move(before_)); }

namespace {

// A value box claims Ctrl+Z for its own text. Once its text is committed (not
// modified since it was last set), the key belongs to the design's history.
class BoxUndoFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        auto* box = qobject_cast<QLineEdit*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        if (!box || !(undo || redo) || box->isModified()) return false;
        event->ignore();
        return true;
    }
};

}  // namespace

void AddUndoShortcuts(QWidget* page, UndoHistory& history) {
    auto* undo = new QAction(page);
    undo->setShortcuts(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(undo, &QAction::triggered, &history, [&history] { history.Undo(); });
    auto* redo = new QAction(page);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redo->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(redo, &QAction::triggered, &history, [&history] { history.Redo(); });
    page->addAction(undo);
    page->addAction(redo);
    auto* filter = new BoxUndoFilter(page);
    for (QLineEdit* box : page->findChildren<QLineEdit*>()) box->installEventFilter(filter);
}

}  // namespace qv

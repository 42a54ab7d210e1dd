#include "app/AppNavigator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSettings>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace qv {

namespace {
// The main window's size, place and maximised state, kept across runs.
constexpr char kGeometryKey[] = "window/geometry";
}  // namespace

AppNavigator::AppNavigator(SessionState& state, Host& host, std::string lastSessionPath)
    : context_{state, host, *this, std::move(lastSessionPath)} {}

AppNavigator::~AppNavigator() {
    KeepGeometry();
    quitting_ = true;
    beside_.clear();
    current_.reset();
}

void AppNavigator::Register(PageId page, PageFactory factory) {
    factories_[page] = std::move(factory);
}

void AppNavigator::Start(PageId page) { SwitchTo(page); }

void AppNavigator::Show(PageId page) {
    // The handler that asked is still running on the old page; switch once it
    // has returned.
    QTimer::singleShot(0, this, [this, page] { SwitchTo(page); });
}

void AppNavigator::SwitchTo(PageId page) {
    auto it = factories_.find(page);
    if (it == factories_.end() || quitting_) return;
    std::unique_ptr<PageWindow> next = it->second(context_);
    if (!next) return;
    next->installEventFilter(this);
    // The new page takes the window's place, size and state as the user left
    // them, on this page or in an earlier run.
    KeepGeometry();
    const QByteArray geometry = QSettings().value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty()) next->restoreGeometry(geometry);
    if (current_) {
        current_->removeEventFilter(this);
        current_->hide();
    }
    // What stood beside the old page showed it; it goes with it.
    for (auto& [id, window] : beside_) {
        window->hide();
        window.release()->deleteLater();
    }
    beside_.clear();
    next->show();
    // The old page may still be on the call stack of a queued event; let Qt
    // delete it when it is safe.
    if (current_) current_.release()->deleteLater();
    current_ = std::move(next);
}

void AppNavigator::ShowModal(PageId page) {
    auto it = factories_.find(page);
    if (it == factories_.end() || quitting_) return;
    std::unique_ptr<PageWindow> dialog = it->second(context_);
    if (!dialog) return;
    dialog->ExecModal();
}

void AppNavigator::KeepGeometry() {
    if (current_ && current_->isVisible())
        QSettings().setValue(kGeometryKey, current_->saveGeometry());
}

void AppNavigator::ShowBeside(PageId page) {
    auto it = factories_.find(page);
    if (it == factories_.end() || quitting_) return;
    std::unique_ptr<PageWindow>& window = beside_[page];
    if (!window) {
        window = it->second(context_);
        if (!window) {
            beside_.erase(page);
            return;
        }
        // To the right of the main page where the screen has room, so the
        // two can be watched side by side.
        if (current_) {
            QPoint at = current_->frameGeometry().topRight() + QPoint(8, 0);
            if (const QScreen* screen = current_->screen()) {
                const QRect room = screen->availableGeometry();
                at.setX(std::max(room.left(), std::min(at.x(), room.right() - window->width())));
            }
            window->move(at);
        }
    } else {
        window->SessionChanged();
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void AppNavigator::SessionChanged() {
    for (auto& [id, window] : beside_)
        if (window->isVisible()) window->SessionChanged();
}

void AppNavigator::Quit() {
    KeepGeometry();
    quitting_ = true;
    QTimer::singleShot(0, qApp, &QApplication::quit);
}

bool AppNavigator::eventFilter(QObject* watched, QEvent* event) {
    // Closing the main page with the window manager's button must not lose
    // the session: it goes through the exit dialog like the Exit buttons.
    if (event->type() == QEvent::Close && watched == current_.get() && !quitting_) {
        event->ignore();
        if (Has(PageId::Exit)) {
            ShowModal(PageId::Exit);
        } else {
            Quit();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qv

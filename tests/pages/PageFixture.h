// A page's session, scripted desktop and navigator, and the user's hand on a
// page, as a page test needs them.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <functional>

#include "platform/Navigator.h"
#include "platform/PageContext.h"
#include "platform/PageWindow.h"
#include "platform/ScriptedHost.h"

namespace qv::test {

// A dialog page stands in as a function run while it is "open"; a page
// beside is told of every change, as the program's navigator does.
struct DialogNavigator : RecordingNavigator {
    void ShowModal(PageId page) override {
        RecordingNavigator::ShowModal(page);
        if (dialog) dialog(page);
    }
    void SessionChanged() override {
        RecordingNavigator::SessionChanged();
        if (besidePage) besidePage->SessionChanged();
    }
    std::function<void(PageId)> dialog;
    PageWindow* besidePage = nullptr;
};

struct PageFixture {
    SessionState state;
    ScriptedHost host;
    DialogNavigator navigator;
    PageContext context{state, host, navigator, ""};
};

// A mouse event at a logical position of the page.
inline void SendMouse(PageWindow& page, QEvent::Type type, double x, double y,
                      Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons held = Qt::LeftButton) {
    const QPointF at = page.ToDevice(x, y);
    QMouseEvent e(type, at, page.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&page, &e);
}

inline void ClickButton(const PageWindow& page, const char* name) {
    auto* b = page.Control<QAbstractButton>(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

}  // namespace qv::test

// The program's navigator: creates each page when it is shown and destroys
// it when it is closed, so every showing reflects SessionState afresh.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Navigator.h"
#include "platform/PageContext.h"
#include "platform/PageWindow.h"

namespace qv {

using PageFactory = std::function<std::unique_ptr<PageWindow>(PageContext&)>;

class AppNavigator : public QObject, public Navigator {
public:
    AppNavigator(SessionState& state, Host& host, std::string lastSessionPath);
    ~AppNavigator() override;

    void Register(PageId page, PageFactory factory);
    bool Has(PageId page) const { return factories_.count(page) != 0; }

    void Show(PageId page) override;
    void ShowModal(PageId page) override;
    void Quit() override;
    void ShowBeside(PageId page) override;
    void SessionChanged() override;

    // Shows the first page at once (no deferral).
    void Start(PageId page);
    PageWindow* Current() const { return current_.get(); }
    PageContext& Context() { return context_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SwitchTo(PageId page);
    // Stores the shown main page's geometry in the program's settings.
    void KeepGeometry();

    PageContext context_;
    std::map<PageId, PageFactory> factories_;
    std::unique_ptr<PageWindow> current_;
    // Pages beside the main page; closing one only hides it.
    std::map<PageId, std::unique_ptr<PageWindow>> beside_;
    bool quitting_ = false;
};

}  // namespace qv

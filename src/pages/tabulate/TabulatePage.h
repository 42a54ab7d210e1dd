// The Tabulate page (frmTabulate): the sweep results as a fixed-pitch list,
// sent on to a data file or to the printer. Shown modally over the Analysis
// page; it keeps no data of its own and is filled afresh on every showing.
#pragma once

#include <memory>
#include <string>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QListWidget;

namespace qv {

class TabulatePage : public PageWindow {
public:
    explicit TabulatePage(PageContext& context);

    // Fills the list from the sweep result arrays and sets the caption.
    void Open();

    // The three buttons.
    void Return();
    void ToPrinter();
    void ToFile();

private:
    void SetCaption();

    PageContext& context_;
    SessionState& s_;
    QListWidget* list_ = nullptr;
    // The data file last written from this page, offered again by "To file".
    std::string lastDataFile_;
};

std::unique_ptr<PageWindow> MakeTabulatePage(PageContext& context);

}  // namespace qv

// How a page asks for another page. Pages never create each other (that would
// tie every page folder to every other); they name the page they want and the
// program's navigator, in src/app/, creates it. Tests hand in a recorder.
// This header is free of Qt.
#pragma once

#include <vector>

namespace qv {

enum class PageId {
    Opening,   // frmOpening
    Design,    // frmDesign
    Analyze,   // frmAnalyze
    Setup,     // frmSetup (options)
    Exit,      // frmExit, modal
    Tabulate,  // frmTabulate, modal
    QSetup,    // frmQsetup, modal
    VswrSetup, // frmVSWRsetup, modal
    SweepSetup, // sweep set-up dialog, modal
    Plot,       // the plot against frequency, beside the Analysis page
    Optimise,   // band optimiser dialog, modal
    Match,      // the Design page's match dialog, modal
};

class Navigator {
public:
    virtual ~Navigator() = default;
    // Closes the calling main page and shows `page` in its place. The switch
    // happens once the calling handler has returned, so a handler may go on
    // using its own page after the call.
    virtual void Show(PageId page) = 0;
    // Shows a dialog page modally over the current page; returns when it is
    // closed.
    virtual void ShowModal(PageId page) = 0;
    // Ends the program (after the exit dialog has saved what it saves).
    virtual void Quit() = 0;
    // Shows `page` in a window of its own beside the main page, not modal,
    // so both can be used at once; asking again brings it to the front. It
    // closes with the main page.
    virtual void ShowBeside(PageId page) = 0;
    // The session changed: the pages beside the main page draw themselves
    // again.
    virtual void SessionChanged() = 0;
};

// Records what the pages asked for; for tests.
class RecordingNavigator : public Navigator {
public:
    void Show(PageId page) override { shown.push_back(page); }
    void ShowModal(PageId page) override { modal.push_back(page); }
    void Quit() override { ++quits; }
    void ShowBeside(PageId page) override { beside.push_back(page); }
    void SessionChanged() override { ++changes; }
    std::vector<PageId> shown;
    std::vector<PageId> modal;
    std::vector<PageId> beside;
    int quits = 0;
    int changes = 0;
};

}  // namespace qv

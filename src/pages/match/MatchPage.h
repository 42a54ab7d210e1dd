// The "Match" dialog, modal over the Design page: the networks that match
// the load, computed for the chosen topologies, loaded Q, component Q and
// standard-value series, listed with their VSWR, bandwidth and response. The
// chosen one replaces the network's stages after the user confirms; the user
// may go on to the chart at once.
#pragma once

#include <memory>

#include "calc/Synthesis.h"
#include "platform/PageContext.h"
#include "platform/PageWindow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace qv {

class MatchPage : public PageWindow {
public:
    explicit MatchPage(PageContext& context);

    // Computes the networks for the present choices and lists them.
    void Compute();
    // Replaces the stages with the chosen network once the user confirms;
    // with `analyze`, the Analysis page follows. Returns true when replaced.
    bool Use(bool analyze);

    const MatchSet& Solutions() const { return set_; }

private:
    MatchRequest Request();

    PageContext& context_;
    SessionState& s_;
    MatchSet set_;
    QLabel* lblNote_ = nullptr;
    QLabel* lblMinimumQ_ = nullptr;
    QLineEdit* txtLoadedQ_ = nullptr;
    QLineEdit* txtQ_ = nullptr;
    QLineEdit* txtZ0_ = nullptr;
    QRadioButton* topology_[5] = {};
    QRadioButton* series_[5] = {};
    QListWidget* list_ = nullptr;
};

std::unique_ptr<PageWindow> MakeMatchPage(PageContext& context);

}  // namespace qv

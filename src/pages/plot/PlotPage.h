// The plot page: return loss, VSWR and |rho| against frequency over the
// current sweep, in a window beside the Analysis page that follows every
// change there, with its own "Print" and "Save picture".
#pragma once

#include <memory>
#include <vector>

#include "platform/PageContext.h"
#include "platform/PageWindow.h"
#include "plot/Plot.h"

class QPushButton;

namespace qv {

// Where the plot sits on the page, below the row of buttons.
inline constexpr double kPlotPageTop = 500;

class PlotPage : public PageWindow {
public:
    explicit PlotPage(PageContext& context);

    // Sweeps again and draws the plot.
    void SessionChanged() override;

    // The traces shown, the first on the left axis.
    const std::vector<PlotTrace>& Traces() const { return traces_; }

private:
    void Toggle(PlotTrace trace);
    void ShowTraceButtons();

    PageContext& context_;
    SessionState& s_;
    std::vector<PlotTrace> traces_ = {PlotTrace::ReturnLoss, PlotTrace::Vswr};
    PlotData data_;  // as last drawn
    std::vector<std::pair<PlotTrace, QPushButton*>> traceButtons_;
};

std::unique_ptr<PageWindow> MakePlotPage(PageContext& context);

}  // namespace qv

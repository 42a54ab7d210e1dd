#include "pages/plot/PlotPage.h"

#include <QPushButton>
#include <algorithm>

#include "chart/ChartView.h"
#include "platform/PictureFile.h"
#include "platform/Printing.h"
#include "plot/Pictures.h"

namespace qv {

namespace {

constexpr double kPageHeight = kPlotPageTop + kPlotHeight;
constexpr double kButtonTop = 100, kButtonHeight = 330;

}  // namespace

PlotPage::PlotPage(PageContext& context)
    : PageWindow(kPlotWidth, kPageHeight), context_(context), s_(context.state) {
    SetDefaultFontSize(9);
    const struct {
        PlotTrace trace;
        const char* name;
        const char* caption;
        const char* tip;
    } kTraceButtons[] = {
        {PlotTrace::ReturnLoss, "cmdReturnLoss", "Return loss", "Show return loss in dB"},
        {PlotTrace::Vswr, "cmdVswr", "VSWR", "Show the VSWR"},
        {PlotTrace::Rho, "cmdRho", "|rho|", "Show the reflection coefficient's magnitude"},
    };
    double left = kPlotBoxLeft;
    for (const auto& b : kTraceButtons) {
        QPushButton* button = AddButton(b.name, b.caption, {left, kButtonTop, 1335, kButtonHeight},
                                        QString(b.tip) + " (two at most)");
        connect(button, &QPushButton::clicked, this, [this, t = b.trace] { Toggle(t); });
        traceButtons_.push_back({b.trace, button});
        left += 1400;
    }
    auto* print = AddButton("cmdPrint", "Print", {left + 600, kButtonTop, 1335, kButtonHeight},
                            "Send the plot to the printer");
    connect(print, &QPushButton::clicked, this, [this] {
        HostPrintHost printHost(context_.host, this);
        PrintPlot(s_, traces_, printHost);
        SessionChanged();
    });
    auto* save = AddButton("cmdSavePicture", "Save picture",
                           {left + 2000, kButtonTop, 1335, kButtonHeight},
                           "Save the plot as a PNG, SVG or PDF file");
    connect(save, &QPushButton::clicked, this, [this] {
        // The plot alone, as quendavore-calc plot draws it, without the
        // strip the buttons stand in.
        RecordingSurface picture;
        UseQtTextMetrics(picture);
        DrawPlot(picture, data_, traces_, {0, 0, kPlotWidth, kPlotHeight});
        SavePicture(context_.host, picture.Ops(), kPlotWidth, kPlotHeight, "plot.png");
    });
    auto* close = AddButton("cmdClose", "Close", {left + 3400, kButtonTop, 1335, kButtonHeight},
                            "Close the plot");
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });

    FitToScreen(0.5);
    ShowTraceButtons();
    SessionChanged();
}

void PlotPage::SessionChanged() {
    setWindowTitle(QString::fromStdString("Quendavore " + s_.VersionText + " - Plot  " +
                                          s_.CurrentFileName));
    data_ = CollectPlotData(s_);
    Surface& d = Drawing();
    d.Clear();
    DrawPlot(d, data_, traces_, {0, kPlotPageTop, kPlotWidth, kPlotHeight});
}

void PlotPage::Toggle(PlotTrace trace) {
    const auto on = std::find(traces_.begin(), traces_.end(), trace);
    if (on != traces_.end()) {
        // The last trace stays: an empty plot shows nothing.
        if (traces_.size() > 1) traces_.erase(on);
    } else {
        // A third replaces the one chosen earliest.
        if (traces_.size() == 2) traces_.erase(traces_.begin());
        traces_.push_back(trace);
    }
    ShowTraceButtons();
    SessionChanged();
}

void PlotPage::ShowTraceButtons() {
    for (const auto& [trace, button] : traceButtons_)
        SetBackgroundColour(button, SwitchColour(std::find(traces_.begin(), traces_.end(),
                                                           trace) != traces_.end()));
}

std::unique_ptr<PageWindow> MakePlotPage(PageContext& context) {
    return std::make_unique<PlotPage>(context);
}

}  // namespace qv

#include "plot/Plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "drawing/RecordingSurface.h"

namespace qv {
namespace {

// The box of a plot drawn into 12000 x 8000 twips at the origin.
constexpr double kLeft = 1300, kRight = 10700, kTop = 900, kBottom = 6000;

double XOf(double hz) { return kLeft + (hz - 1e6) / 4e6 * (kRight - kLeft); }

// Samples at 1, 2, 3 ... MHz with the given VSWR; the test point is the second
// (the only one when there is one).
PlotData Data(std::vector<double> vswr) {
    PlotData d;
    for (std::size_t k = 0; k < vswr.size(); ++k) {
        const double rho = (vswr[k] - 1) / (vswr[k] + 1);
        d.samples.push_back({(k + 1) * 1e6, rho, vswr[k], -20 * std::log10(rho)});
    }
    d.band = FindBandwidth(d.samples);
    d.hasTest = true;
    d.test = d.samples[std::min<std::size_t>(1, d.samples.size() - 1)];
    return d;
}

std::vector<DrawOp> Drawn(const PlotData& d, std::vector<PlotTrace> traces) {
    RecordingSurface surf;
    DrawPlot(surf, d, traces, {0, 0, kPlotWidth, kPlotHeight});
    return surf.Ops();
}

// Lines of one colour and width, leaving out the legend above the box.
std::vector<DrawOp> LinesIn(const std::vector<DrawOp>& ops, Colour c, double width) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Line && op.colour == c && op.width == width &&
            std::max(op.y1, op.y2) >= kTop)
            out.push_back(op);
    return out;
}

bool HasVertical(const std::vector<DrawOp>& lines, double x) {
    return std::ranges::any_of(lines, [x](const DrawOp& l) {
        return std::abs(l.x1 - x) < 0.5 && std::abs(l.x2 - x) < 0.5 && l.y1 == kTop && l.y2 == kBottom;
    });
}

bool HasText(const std::vector<DrawOp>& ops, const std::string& prefix) {
    return std::ranges::any_of(ops, [&](const DrawOp& op) { return op.kind == DrawOp::Text && op.text.starts_with(prefix); });
}

TEST(Plot, TracesBandsAndMarkersSitWhereTheirValuesAre) {
    const PlotData d = Data({2.5, 1.5, 1.2, 1.8, 8});
    const std::vector<DrawOp> ops = Drawn(d, {PlotTrace::Vswr, PlotTrace::ReturnLoss});

    // VSWR on the left axis, 1 to 10 since the largest is 8: the trace
    // starts at the box's left edge at 2.5 and ends at 8 on the right one.
    const std::vector<DrawOp> vswr = LinesIn(ops, kVswrColour, 2);
    ASSERT_FALSE(vswr.empty());
    const double perUnit = (kBottom - kTop) / 9;
    EXPECT_TRUE(vswr.front().x1 == kLeft && vswr.back().x2 == kRight);
    EXPECT_NEAR(vswr.front().y1, kBottom - 1.5 * perUnit, 1e-9);
    EXPECT_NEAR(vswr.back().y2, kBottom - 7 * perUnit, 1e-9);

    // The VSWR 2 band's edges: between 1 and 2 MHz where 2.5 -> 1.5 crosses
    // 2 (1.5 MHz), between 4 and 5 MHz where 1.8 -> 8 crosses it.
    const std::vector<DrawOp> edges = LinesIn(ops, kVswrBandEdgeColour, 1);
    EXPECT_TRUE(HasVertical(edges, XOf(1.5e6)));
    EXPECT_TRUE(HasVertical(edges, XOf(4e6 + 0.2 / 6.2 * 1e6)));
    // The test frequency's line at 2 MHz, in black.
    EXPECT_TRUE(HasVertical(LinesIn(ops, kBlack, 1), XOf(2e6)));
    // Best-match rings at 3 MHz on both traces.
    EXPECT_EQ(std::ranges::count_if(ops, [](const DrawOp& op) {
                  return op.kind == DrawOp::Circle && op.colour == kVswrBandEdgeColour && op.x1 == XOf(3e6);
              }), 2);

    EXPECT_TRUE(HasText(ops, "VSWR 2 band: 1.5 MHz to 4.0323 MHz"));
    EXPECT_TRUE(HasText(ops, "Best match 3 MHz: VSWR 1.2,"));
    EXPECT_TRUE(HasText(ops, "Test frequency 2 MHz: VSWR 1.5,"));
}

TEST(Plot, NothingLeavesTheBoxAndAnEmptySweepLeavesANote) {
    // 40 is far above the 1..10 axis: the trace is cut at the box's top.
    const std::vector<DrawOp> cut = LinesIn(Drawn(Data({1.1, 40, 1.1}), {PlotTrace::Vswr}), kVswrColour, 2);
    ASSERT_EQ(cut.size(), 2u);  // up to the top edge, and down from it
    for (const DrawOp& op : cut)
        EXPECT_TRUE(std::min(op.y1, op.y2) >= kTop - 1e-9 && std::max(op.y1, op.y2) <= kBottom + 1e-9) << op.y1;
    const std::vector<DrawOp> empty = Drawn(PlotData{}, {PlotTrace::Rho});
    EXPECT_TRUE(LinesIn(empty, kRhoColour, 2).empty() && HasText(empty, "No sweep to plot"));
}

TEST(Plot, AxesTakeRoundSteps) {
    struct Case {
        double low, high, first, step;
    } ticks[] = {{1e6, 5e6, 1e6, 5e5}, {14.03e6, 14.35e6, 14.05e6, 5e4}, {1e4, 1e10, 2e9, 2e9}};
    for (const Case& c : ticks) {
        const PlotAxis a = FrequencyTicks(c.low, c.high, 8);
        EXPECT_TRUE(a.step == c.step && std::abs(a.low - c.first) < 1e-6) << c.low;
    }
    EXPECT_EQ(AxisFor(PlotTrace::ReturnLoss, Data({1.2, 3})).high, 30);  // 20.8 dB
    EXPECT_EQ(AxisFor(PlotTrace::ReturnLoss, Data({1.0001})).high, 50);  // 86 dB runs off
    EXPECT_EQ(AxisFor(PlotTrace::Vswr, Data({1.2, 4})).high, 5);
    EXPECT_EQ(FrequencyText(14123456.7), "14.123 MHz");
}

}  // namespace
}  // namespace qv

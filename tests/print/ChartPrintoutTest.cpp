// The chart and network sheet, read back from its display list; odd element
// codes on every surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "chart/OpenedChart.h"
#include "chart/Overlays.h"
#include "chart/RedrawChart.h"
#include "chart/SweepTrace.h"
#include "drawing/Ops.h"
#include "drawing/PrintSurface.h"
#include "print/ChartPrintout.h"
#include "print/FakePrintHost.h"
#include "schematic/NetworkPanel.h"
#include "schematic/Schematic.h"

namespace qv {
namespace {

using test::FindText;
constexpr Colour kRed = Rgb(255, 17, 17), kGreen = Rgb(17, 136, 17);

std::unique_ptr<SessionState> Opened() {
    auto s = std::make_unique<SessionState>(test::Fresh());
    s->ChartRadius = 3500, s->ArcsSwitch = 1;
    return s;
}

std::vector<DrawOp> Sheet(SessionState& s) {
    test::FakePrintHost host;
    PrintChartAndNetwork(s, host);
    return host.sent.at(0).at(0);
}

// Left, right, top and bottom of the width-8 lines in a colour below y0
// (the rim, under the black ladder).
std::array<double, 4> Extent(const std::vector<DrawOp>& ops, Colour colour, double y0 = -1e9) {
    std::array<double, 4> e{1e9, -1e9, 1e9, -1e9};
    for (const DrawOp& op : ops) {
        if (op.kind != DrawOp::Line || op.width != 8 || op.colour != colour || op.y2 < y0) continue;
        e = {std::min(e[0], op.x2), std::max(e[1], op.x2), std::min(e[2], op.y2), std::max(e[3], op.y2)};
    }
    return e;
}

TEST(ChartPrintout, GridsByTypeWithPrintedColoursAndWidths) {
    using Pen = std::pair<Colour, double>;
    const std::pair<std::set<Pen>, Colour> cases[] = {
        {{{kRed, 3}}, kRed},
        {{{Rgb(153, 255, 153), 1}, {kRed, 3}}, kBlack},
        {{{kGreen, 3}, {kRed, 3}}, kBlack},
        {{{Rgb(255, 204, 204), 1}, {kGreen, 3}}, kBlack},
        {{{kGreen, 3}}, kGreen},
        {{}, kRed},
    };
    for (int type = 1; type <= 6; ++type) {
        SCOPED_TRACE(type);
        const auto& [gridPens, frame] = cases[type - 1];
        auto s = Opened();
        s->GridType = static_cast<std::int16_t>(type);
        const auto ops = Sheet(*s);
        std::set<Pen> pens;
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Line && op.y1 > 3000 && op.colour != kBlack && op.width != 8 &&
                op.width != 2)
                pens.insert({op.colour, op.width});
        EXPECT_EQ(pens, gridPens);
        // The rim in the frame colour, as large as the screen's chart.
        EXPECT_EQ(Extent(ops, frame, 3500), (std::array<double, 4>{2500, 9500, 4000, 11000}));
    }
}

TEST(ChartPrintout, ChartIsAsLargeAsTheZoomedScreenChart) {
    auto s = Opened();
    s->ChartRadius = 7000;  // zoom 2: beyond the sheet's 11500
    EXPECT_EQ(std::pair(Extent(Sheet(*s), kRed)[0], Extent(Sheet(*s), kRed)[1]), std::pair(-1000.0, 13000.0));
}

TEST(ChartPrintout, ColourKeyOnlyForFilledStagesAndOnlyWithArcsOn) {
    auto s = Opened();
    test::SetStage(*s, 1, SeriesCapacitor, 100e-12, 1000);
    test::SetStage(*s, 3, ShuntInductor, 1e-6, 100);
    s->ArcsSwitch = 2;
    std::vector<DrawOp> bars;
    bool arcs = false;
    for (const DrawOp& op : Sheet(*s)) {
        if (op.kind == DrawOp::FillBox && op.y1 == 780 && op.y2 == 750) bars.push_back(op);
        arcs |= op.kind == DrawOp::Line && op.colour == Rgb(17, 17, 255) && op.width == 8;
        EXPECT_FALSE(op.kind == DrawOp::FillBox && op.y1 == 15);  // no screen key
    }
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(std::pair(bars[0].colour, bars[1].colour), std::pair(Rgb(17, 17, 255), Rgb(17, 187, 187)));
    EXPECT_GT(bars[1].x1, bars[0].x2);  // from the end of the empty stage 2
    EXPECT_TRUE(arcs && s->ArcsSwitch == 2);

    s->ArcsSwitch = 1;
    for (const DrawOp& op : Sheet(*s)) {
        EXPECT_FALSE(op.kind == DrawOp::FillBox && op.y1 == 780);
        EXPECT_FALSE(op.kind == DrawOp::Line && op.colour == Rgb(17, 17, 255));
    }
}

TEST(ChartPrintout, LadderStaysOnTheSheetWithValuesOneRowLower) {
    auto s = Opened();
    test::SetStage(*s, 1, SeriesInductor, 1e-6, 100);
    const auto ops = Sheet(*s);
    EXPECT_EQ(FindText(ops, "1 uH")->y1, 2400);
    EXPECT_EQ(FindText(ops, "Frequency:  1 M")->y1, 3000);
    // Five stages at scale 1.2 would run far past the sheet's right edge.
    EXPECT_LT(s->PrintScale, 1.2f);
    EXPECT_NEAR(Extent(ops, kBlack)[1], 10600, 1);
    EXPECT_LT(FindText(ops, "GEN")->x1 + 600, 11500);
}

TEST(ChartPrintout, OverlaysInPaperWidthsWithLabelsAtFixedPlaces) {
    auto s = Opened();
    s->QArcsOn = s->VswrCircleOn = s->SweepOn = 1;
    s->QCircleValue = 2.5f, s->VswrCircleValue = 1.1f;
    s->SweepStart = 1e6, s->SweepStop = 2e6, s->SweepPoints = 3;
    const auto ops = Sheet(*s);
    std::set<std::pair<Colour, double>> pens;
    int sweepDots = 0;
    for (const DrawOp& op : ops) {
        if (op.kind == DrawOp::Line) pens.insert({op.colour, op.width});
        sweepDots += op.kind == DrawOp::Circle && op.colour == kSweepDotColour;
        // Nothing of the screen's label column at the chart's corner.
        EXPECT_FALSE((op.kind == DrawOp::Text || op.kind == DrawOp::FillBox) && op.x1 == 2500 &&
                     op.y1 > 10000)
            << op.text;
    }
    EXPECT_TRUE(pens.count({kQArcColour, 6}) && pens.count({kVswrCircleColour, 6}) && sweepDots >= 3);
    const std::pair<const char*, double> labels[] = {
        {"'S'= 1 MHz", 10000}, {"'F'= 2 MHz", 10200}, {"Q=2.5", 10400},
        {"VSWR=1.1", 10600}, {"Chart normalized to 50 ohms", 10800}};
    for (const auto& [text, y] : labels) {
        const DrawOp* op = FindText(ops, text);
        ASSERT_NE(op, nullptr) << text;
        EXPECT_EQ(std::pair(op->x1, op->y1), std::pair(1500.0, y));
    }
    EXPECT_NE(FindText(ops, "S"), nullptr);  // the ring marks stay at the trace's ends
    // No label's white box is painted over the label above it.
    const auto at = [&](const DrawOp* op) { return op - ops.data(); };
    for (const DrawOp& op : ops)
        EXPECT_FALSE(op.kind == DrawOp::FillBox && op.colour == kWhite && op.y1 == 10600 && at(&op) > at(FindText(ops, "Q=2.5")));
}

// Zoomed in, the chart keeps to its box between the frequency line and the
// date; the label column beside it is printed over it, on white.
TEST(ChartPrintout, ZoomedChartKeepsToItsBoxUnderTheLabels) {
    auto s = Opened();
    s->ChartZoom = 8, s->ChartRadius = 28000;
    const auto ops = Sheet(*s);
    const auto clip = std::find_if(ops.begin(), ops.end(), [](auto& op) { return op.kind == DrawOp::Clip; });
    const auto unclip = std::find_if(clip, ops.end(), [](auto& op) { return op.kind == DrawOp::Unclip; });
    ASSERT_TRUE(clip != ops.end() && unclip != ops.end());
    EXPECT_GT(clip->y1, FindText(ops, "Frequency:  1 M")->y1 + 200);
    EXPECT_LE(std::max(clip->y1, clip->y2), 11300);  // the date's line
    for (auto op = ops.begin(); op != ops.end(); ++op)
        EXPECT_FALSE(op->kind == DrawOp::Line && op->colour == kRed && (op < clip || op > unclip));
    const DrawOp* caption = FindText(ops, "Chart normalized to 50 ohms");
    EXPECT_GT(caption, &*unclip);
    const auto box = std::find_if(unclip, ops.end(), [](auto& op) { return op.kind == DrawOp::FillBox; });
    EXPECT_TRUE(box != ops.end() && box->colour == kWhite && box->y1 == caption->y1);
}

TEST(ChartPrintout, PrinterTroubleBeepsAndSays) {
    auto s = Opened();
    test::FakePrintHost broken;
    broken.sendError = "no printer";
    PrintChartAndNetwork(*s, broken);
    EXPECT_EQ(broken.events, (std::vector<std::string>{"dialog", "send", "beep", "message"}));
    EXPECT_EQ(broken.texts, std::vector<std::string>{": We had a problem driving the printer.\n\nno printer"});
    EXPECT_EQ(std::pair(broken.layouts[0].width, broken.layouts[0].height), std::pair(11500.0, 15200.0));
}

// A hand-edited network file may hold any 16-bit element code. The program
// treats every code it does not know as an empty stage; no picture of the
// network may misbehave on one (the sanitizer build runs this too).
TEST(OddElementCodes, DrawAsEmptyStagesOnEverySurface) {
    for (const int code : {-1, 14, -32768, 32767}) {
        SessionState s = test::OpenedChart();
        s.ArcsSwitch = 2;
        for (int st = 1; st <= 5; ++st) test::SetStage(s, st, code, 1e-9, 2e-9, 3e-9, 4e-9, 5e-9);
        test::SetStage(s, 3, SeriesInductor, 1e-6, 100);  // Math passes the others by (CalcMath, Ladder)

        RecordingSurface screen;
        StageEdges edges{};
        RedrawSchematic(s, screen, edges);
        DrawNetworkPanel(s, screen);
        RedrawChart(s, screen);
        EXPECT_TRUE(test::OnThePage(screen.Ops()));

        SheetRecording sheet;
        DrawChartSheet(s, sheet, "date");
        EXPECT_FALSE(sheet.Sheets().empty());
    }
}

}  // namespace
}  // namespace qv

// Grids, element arcs and the full redraw, read back from a RecordingSurface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "calc/Math.h"
#include "chart/ChartGrids.h"
#include "chart/ChartView.h"
#include "chart/OpenedChart.h"
#include "chart/ElementArcs.h"
#include "chart/RedrawChart.h"
#include "drawing/Ops.h"
#include "session/Stages.h"

namespace qv {
namespace {

using test::OpenedChart;

using Polyline = std::vector<std::pair<double, double>>;

// The polylines in a run of Line ops: each begins with a dot.
std::vector<Polyline> Polylines(const std::vector<DrawOp>& ops) {
    std::vector<Polyline> lines;
    for (const DrawOp& op : ops) {
        if (op.kind != DrawOp::Line) continue;
        if (lines.empty() || (op.x1 == op.x2 && op.y1 == op.y2)) lines.emplace_back();
        lines.back().push_back({op.x2, op.y2});
    }
    return lines;
}

// True when a polyline of at least ten points runs along the circle.
bool HasArcOn(const std::vector<Polyline>& lines, double cx, double cy, double radius) {
    return std::any_of(lines.begin(), lines.end(), [&](const Polyline& l) {
        return l.size() >= 10 && std::all_of(l.begin(), l.end(), [&](auto p) {
                   return std::fabs(std::hypot(p.first - cx, p.second - cy) - radius) < 0.5;
               });
    });
}

// The constant-resistance circles touch the open point and reach left to
// r's own point; the reactance arcs are centred above the open point for
// +x, below for -x. The admittance grid is the same turned half round.
TEST(ChartGrids, CirclesAndArcsLieWhereTheirValuesSay) {
    const SessionState s = OpenedChart();
    for (const bool admittance : {false, true}) {
        RecordingSurface rs;
        if (admittance) DrawAdmittanceGrid(s, rs, ScreenGeometry(s));
        else DrawImpedanceGrid(s, rs, ScreenGeometry(s));
        const std::vector<Polyline> lines = Polylines(rs.Ops());
        const double side = admittance ? -1 : 1;
        for (const double v : {5.0, 2.0, 1.0, 0.5, 0.2}) {
            SCOPED_TRACE(testing::Message() << (admittance ? "g = " : "r = ") << v);
            EXPECT_TRUE(HasArcOn(lines, 8000 + side * 3500 * v / (v + 1), 5000, 3500 / (v + 1)));
            if (v == 5) continue;
            for (const double x : {v, -v})
                EXPECT_TRUE(HasArcOn(lines, 8000 + side * 3500, 5000 - side * 3500 / x, 3500 / v)) << x;
        }
        // Labels beside their lines: +1 at its end of the rim, 0 at the axis's end.
        const auto near = [&](const char* text, double x, double y) {
            return std::any_of(rs.Ops().begin(), rs.Ops().end(), [&](const DrawOp& op) {
                return op.kind == DrawOp::Text && op.text == text && std::hypot(op.x1 - x, op.y1 - y) < 400;
            });
        };
        EXPECT_TRUE(near("+1", 8000, 5000 - side * 3500)) << admittance;
        EXPECT_TRUE(near("0", 8000 - side * 3500, 5000)) << admittance;
    }
}

TEST(ChartGrids, GridTypeCycle) {
    std::int16_t g = 0;  // out of range: starts the cycle again
    for (int i = 0; i < 7; ++i) g = NextGridType(g);
    EXPECT_EQ(g, 1);
}

class ElementArcs : public ::testing::Test {
protected:
    void SetUp() override {
        s = OpenedChart();
        s.Value[0] = {0, 20, -10};
        test::SetStage(s, 1, SeriesInductor, 1.0 / 3 * 1e-6, 100);
        test::SetStage(s, 3, ShuntCapacitor, 1e-9 / 7, 500);
        s.PanelEdge = {1400, 2400, 2400, 3400, 3400, 3400};
    }
    SessionState s;
    RecordingSurface rs;
};

TEST_F(ElementArcs, ThousandStepsPerStageMarkersAndRestoredValues) {
    auto before = s.Value;
    DrawElementArcs(s, rs, ScreenGeometry(s));
    EXPECT_EQ(std::memcmp(&before, &s.Value, sizeof before), 0);

    // Stage 1's marker sits at the load, in stage 1's colour, width 2.
    const DrawOp& first = rs.Ops().front();
    const PagePoint load = ToPage(s, 20, -10);
    EXPECT_TRUE(first.kind == DrawOp::Circle && std::hypot(first.x1 - load.x, first.y1 - load.y) < 2);
    EXPECT_EQ(std::tuple(first.colour, first.width, rs.CurrentLineWidth()), std::tuple(kStageColours[1], 2.0, 1.0));
    EXPECT_EQ(kStageColours, (StageColours{kBlack, Rgb(17, 17, 255), Rgb(221, 17, 17), Rgb(17, 187, 187),
                                           Rgb(238, 153, 17), Rgb(17, 187, 17)}));  // fixed: printed keys rely on them

    // Key bars for stages 1 and 3 only, between the panel edges.
    std::vector<std::tuple<Colour, double, double, double, double>> bars;
    for (const DrawOp& op : rs.Ops())
        if (op.kind == DrawOp::FillBox) bars.emplace_back(op.colour, op.x1, op.y1, op.x2, op.y2);
    EXPECT_EQ(bars, (decltype(bars){{kStageColours[1], 1400, 15, 2400, 45}, {kStageColours[3], 2400, 15, 3400, 45}}));
}

// Each arc point is Math with the walked stage at its step, the stages before
// at their last step and those after neutral; also in table mode, where a
// row without frequency leaves every point after the first to Math itself.
TEST_F(ElementArcs, EveryPointIsTheNetworkAtItsStep) {
    test::SetStage(s, 2, SeriesOpenStub, 30, 14e6, 50);
    test::SetStage(s, 4, TransmissionLine, 100, 2e6, 75);
    s.LoadRows = s.SweepPoints = 3;
    for (double rowFrequency : {3e6, 0.0}) {
        for (std::uint16_t mode : {1, 2}) {
            s.LoadMode = mode, s.TestFrequency = 1e6;
            s.LoadFreq[2] = rowFrequency, s.LoadR[2] = 30, s.LoadX[2] = 40;
            SessionState ref = s;
            rs.Reset();
            DrawElementArcs(s, rs, ScreenGeometry(s));
            std::vector<PagePoint> drawn, want;
            for (const DrawOp& op : rs.Ops())
                if (op.kind == DrawOp::Line) drawn.push_back({op.x2, op.y2, true});
            const auto saved = ref.Value;
            SetNeutralValues(ref);
            for (int st = 1; st <= 5; ++st)
                for (float t = 0.001f; t <= 1.0f; t += 0.001f) {
                    SetArcStep(ref, st, t, saved);
                    const Impedance z = Math(ref, ArcLoadRow(ref));
                    want.push_back(ToPage(ScreenGeometry(ref), ref.SystemZ, z.R, z.X));
                }
            ASSERT_EQ(drawn.size(), want.size());
            for (std::size_t i = 0; i < want.size(); ++i)
                ASSERT_TRUE(std::fabs(drawn[i].x - want[i].x) < 1e-6 && std::fabs(drawn[i].y - want[i].y) < 1e-6)
                    << "mode " << mode << " point " << i;
            EXPECT_TRUE(s.CurrentR == ref.CurrentR && s.TestFrequency == ref.TestFrequency);
        }
    }
}

TEST_F(ElementArcs, ArcsOffDrawsNothing) {
    EXPECT_FALSE(ToggleArcs(s));
    DrawElementArcs(s, rs, ScreenGeometry(s));
    EXPECT_TRUE(rs.Ops().empty());
    EXPECT_TRUE(ToggleArcs(s));
}

// Stages 1..5 with slot 1 at 30 and slot 3 at 2: slots 1 and 3 at their
// neutral values, then half way along the walk.
TEST(ElementArcValues, NeutralAndStepValuesByType) {
    const struct { std::int16_t type; double n1, n3, h1, h3; } cases[] = {
        {SeriesCapacitor, 30000, 2, 60, 2}, {SeriesOpenStub, 90, 2, 60, 2}, {ShuntLCPair, 30000, 0.002, 60, 1},
        {SeriesLCPair, 0.03, 2000, 15, 4}, {SeriesResistor, 0.03, 2, 15, 2}};
    SessionState s;
    for (int st = 1; st <= 5; ++st) test::SetStage(s, st, cases[st - 1].type, 30, 0, 2);
    const auto saved = s.Value;
    SetNeutralValues(s);
    for (int st = 1; st <= 5; ++st) {
        const auto& c = cases[st - 1];
        EXPECT_EQ(std::pair(s.Value[st][1], s.Value[st][3]), std::pair(c.n1, c.n3)) << c.type;
        SetArcStep(s, st, 0.5f, saved);
        EXPECT_EQ(std::pair(s.Value[st][1], s.Value[st][3]), std::pair(c.h1, c.h3)) << c.type;
    }
}

// 2001: SweepPoints set by a network file after a 7-row table was read.
TEST(ElementArcValues, LoadRowStaysInsideTheTable) {
    SessionState s;
    s.LoadRows = 7;
    for (const auto& [mode, points, row] :
         {std::tuple{LoadTable, 7, 4}, {LoadTable, 1, 1}, {LoadTable, 0, 1}, {LoadTable, 2001, 7}, {SingleLoad, 7, 1}}) {
        s.LoadMode = mode, s.SweepPoints = static_cast<std::int16_t>(points);
        EXPECT_EQ(ArcLoadRow(s), row) << mode << " " << points;
    }
}

TEST(RedrawChartOrder, HooksInOrderGridSixAndCaption) {
    SessionState s = OpenedChart();
    s.GridType = 6;
    RecordingSurface rs;
    std::vector<std::string> order;
    ChartHooks hooks;
    hooks.networkPanel = [&](Surface&) { order.push_back("panel"); };
    hooks.overlays = [&](Surface&) { order.push_back("overlays"); };
    hooks.sweepTrace = [&](Surface&) { order.push_back("sweep"); };
    RedrawChart(s, rs, hooks);
    EXPECT_EQ(order, (std::vector<std::string>{"panel", "overlays", "sweep"}));
    ASSERT_EQ(rs.Ops().front().kind, DrawOp::Clear);
    // Grid 6 has no grid: the one text is the caption, the first line the red axis.
    const auto texts = test::OpsOf(rs, DrawOp::Text);
    EXPECT_TRUE(texts.size() == 1 && texts[0].text == "Chart normalized to 50 ohms" && texts[0].x1 == 4500 && texts[0].y1 == 8500);
    EXPECT_EQ(test::OpsOf(rs, DrawOp::Line).at(0).colour, Rgb(255, 17, 17));
}

// The panel is drawn outside the chart's clip, everything else inside; in
// its start place at zoom 1 the chart with every label fits the area and
// the page, whatever the grid, so the clip cuts nothing off.
TEST(RedrawChartOrder, ChartClippedToItsAreaWhichHoldsItAtZoomOne) {
    for (std::int16_t grid = 1; grid <= 6; ++grid) {
        SessionState s = OpenedChart();
        ChartPage page;
        OpenChartView(s, page);
        s.GridType = grid, s.QArcsOn = s.VswrCircleOn = 1;
        RecordingSurface rs;
        rs.SetFont({"Arial", 8.5, false});
        ChartHooks hooks;
        hooks.networkPanel = [](Surface& g) { g.Text(400, 1580, "panel"); };
        RedrawChart(s, rs, hooks);
        bool clipped = false;
        for (const DrawOp& op : rs.Ops()) {
            EXPECT_FALSE(op.kind == DrawOp::Clip && !(op.x1 == kChartAreaLeft && op.y1 == kChartAreaTop &&
                                                      std::min(op.x2, op.y2) >= kPageLimit));
            if (op.kind == DrawOp::Clip || op.kind == DrawOp::Unclip) clipped = op.kind == DrawOp::Clip;
            if (op.kind != DrawOp::Line && op.kind != DrawOp::Text) continue;
            EXPECT_EQ(clipped, op.text != "panel") << op.text;
            if (!clipped || op.colour == kWhite) continue;  // white draws nothing
            RecordingSurface measure;
            measure.SetFont(op.font);
            const bool text = op.kind == DrawOp::Text;
            const double left = text ? op.x1 : std::min(op.x1, op.x2);
            const double top = text ? op.y1 : std::min(op.y1, op.y2);
            const double right = text ? op.x1 + measure.TextWidth(op.text) : std::max(op.x1, op.x2);
            const double bottom = text ? op.y1 + measure.TextHeight() : std::max(op.y1, op.y2);
            EXPECT_TRUE(InChartArea(left, top) &&
                        right <= kChartPageWidth && bottom <= kChartPageHeight)
                << "grid " << grid << " " << op.text << " at " << op.x1 << ", " << op.y1;
        }
    }
}

// Grid 1 draws no admittance grid and so keeps the colour grid 2 set.
TEST(RedrawChartOrder, GridColoursKeptWhenUnset) {
    SessionState s = OpenedChart();
    RecordingSurface rs;
    for (const std::int16_t grid : {2, 1}) s.GridType = grid, RedrawChart(s, rs);
    EXPECT_EQ(std::pair(s.AdmittanceGridColour, s.ImpedanceGridColour), std::pair(Rgb(153, 255, 153), Rgb(255, 17, 17)));
}

TEST(RedrawChartOrder, HostileStatesStayFiniteAndOnTheSurfaceBox) {
    SessionState s = OpenedChart();
    ChartPage page;
    for (int i = 0; i < 6; ++i) ZoomIn(s, page);
    s.ChartCenterX = 3e7f;  // dragged far off the page
    s.GridType = 3;
    s.Value[0][1] = -50;  // the pole of gamma
    s.Value[0][2] = 0;
    test::SetStage(s, 1, SeriesResistor, 1e-3);
    RecordingSurface rs;
    RedrawChart(s, rs);
    s.ChartCenterX = 8000;
    RedrawChart(s, rs);
    EXPECT_TRUE(test::OnThePage(rs.Ops()));
}

}  // namespace
}  // namespace qv

// The sweep trace: its dots, end marks and labels, and its agreement with
// the result arrays.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "calc/Reflection.h"
#include "chart/ChartView.h"
#include "chart/Overlays.h"
#include "chart/RedrawChart.h"
#include "chart/SweepTrace.h"
#include "drawing/RecordingSurface.h"

namespace qv {
namespace {

SessionState SweepState() {
    SessionState s;
    InitSession(s);
    ResetNetwork(s);
    s.LoadMode = 1;
    s.ChartCenterX = 8000;
    ChartPage page;
    OpenChartView(s, page);
    s.ElementType[1] = SeriesInductor;  // moves the input with frequency
    s.Value[1][1] = 5e-6;
    s.Value[1][2] = 1000;
    s.SweepOn = 1;
    s.SweepStart = 1e6;
    s.SweepStop = 2e6;
    s.SweepPoints = 3;
    return s;
}

std::vector<DrawOp> Kind(const RecordingSurface& rs, DrawOp::Kind kind) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : rs.Ops())
        if (op.kind == kind) out.push_back(op);
    return out;
}

std::vector<DrawOp> Dots(const RecordingSurface& rs) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : Kind(rs, DrawOp::Circle))
        if (op.colour == kSweepDotColour) out.push_back(op);
    return out;
}

TEST(SweepTrace, ThreePointsFromOneToTwoMegahertz) {
    SessionState s = SweepState();
    s.TestFrequency = 1234567;
    RecordingSurface rs;
    const SweepDrawn d = DrawSweep(s, rs, ScreenGeometry(s));
    EXPECT_TRUE(d.ran);
    EXPECT_TRUE(d.tabulateEnabled);
    EXPECT_EQ(d.points, 3);
    EXPECT_EQ(s.TestFrequency, 1234567);
    EXPECT_EQ(s.SweepPoints, 3);
    EXPECT_EQ(s.SweepFreq[0], 1e6);
    EXPECT_EQ(s.SweepFreq[1], 1.5e6);
    EXPECT_EQ(s.SweepFreq[2], 2e6);

    // Each dot sits where the stored R and X map: trace and table agree.
    const auto dots = Dots(rs);
    ASSERT_EQ(dots.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        const PagePoint p = ToPage(ScreenGeometry(s), 50, s.SweepR[k], s.SweepX[k]);
        EXPECT_EQ(dots[k].x1, p.x);
        EXPECT_EQ(dots[k].y1, p.y);
        EXPECT_EQ(dots[k].x2, 30);
        EXPECT_NEAR(s.SweepVswr[k], ReflectionOf(s.SweepR[k], s.SweepX[k], 50).vswr, 1e-12);
    }
    EXPECT_NE(dots[0].y1, dots[2].y1);

    // Ringed marks on the end dots and the frequency column at the bottom left.
    std::vector<std::string> texts;
    for (const DrawOp& op : Kind(rs, DrawOp::Text)) texts.push_back(op.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"S", "'S'= 1 MHz", "F", "'F'= 2 MHz"}));
    const auto t = Kind(rs, DrawOp::Text);
    EXPECT_EQ(t[0].x1, dots[0].x1 - 45);
    EXPECT_EQ(t[0].y1, dots[0].y1 - 90);
    EXPECT_EQ(t[1].x1, 4500);
    EXPECT_EQ(t[1].y1, 7700);
    EXPECT_EQ(t[3].y1, 7900);
    int blackRings = 0;
    for (const DrawOp& op : Kind(rs, DrawOp::Circle)) blackRings += op.colour == kBlack && op.x2 == 90;
    EXPECT_EQ(blackRings, 2);
}

TEST(SweepTrace, LoadTableOfFiveRows) {
    SessionState s = SweepState();
    s.LoadMode = 2;
    s.SweepPoints = 5;
    for (int i = 1; i <= 5; ++i) {
        s.LoadFreq[i] = 1e6 * i;
        s.LoadR[i] = 10.0 * i;
        s.LoadX[i] = -20;
    }
    s.SweepStart = 1e6;
    s.SweepStop = 5e6;
    RecordingSurface rs;
    EXPECT_EQ(DrawSweep(s, rs, ScreenGeometry(s)).points, 5);
    EXPECT_EQ(Dots(rs).size(), 5u);
    EXPECT_EQ(s.SweepPoints, 5);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(s.SweepFreq[k], 1e6 * (k + 1));
        EXPECT_EQ(Dots(rs)[k].x1, ToPage(ScreenGeometry(s), 50, s.SweepR[k], s.SweepX[k]).x);
    }
}

TEST(SweepTrace, OffDrawsNothingAndLeavesTabulateAlone) {
    SessionState s = SweepState();
    s.SweepOn = 0;
    RecordingSurface rs;
    EXPECT_FALSE(DrawSweep(s, rs, ScreenGeometry(s)).ran);
    EXPECT_TRUE(rs.Ops().empty());

    int calls = 0;
    ChartHooks hooks;
    hooks.tabulateEnabled = [&](bool) { ++calls; };
    RedrawChart(s, rs, hooks);
    EXPECT_EQ(calls, 0);
    s.SweepOn = 1;
    s.SweepStart = 10000;  // not above 10 kHz
    bool enabled = true;
    hooks.tabulateEnabled = [&](bool on) { ++calls, enabled = on; };
    RedrawChart(s, rs, hooks);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(enabled);
}

TEST(SweepTrace, TabulateRuleBoundaries) {
    SessionState s = SweepState();
    EXPECT_TRUE(TabulateEnabled(s));
    s.SweepPoints = 2;
    EXPECT_FALSE(TabulateEnabled(s));
    s.SweepPoints = 3;
    s.SweepStart = 10000;
    EXPECT_FALSE(TabulateEnabled(s));
    s.SweepStart = 10001;
    s.SweepStop = 10100;
    EXPECT_FALSE(TabulateEnabled(s));
    s.SweepStop = 10101;
    EXPECT_TRUE(TabulateEnabled(s));
}

void ExpectFinite(const RecordingSurface& rs) {
    for (const DrawOp& op : rs.Ops())
        for (double v : {op.x1, op.y1, op.x2, op.y2}) {
            ASSERT_TRUE(std::isfinite(v));
            ASSERT_LE(std::fabs(v), kPageLimit);
        }
}

TEST(SweepTrace, DegenerateSweepsStayFinite) {
    // One point: both marks on it, both labels at the start frequency.
    SessionState s = SweepState();
    s.SweepPoints = 1;
    RecordingSurface one;
    EXPECT_EQ(DrawSweep(s, one, ScreenGeometry(s)).points, 1);
    EXPECT_EQ(Dots(one).size(), 1u);
    EXPECT_EQ(Kind(one, DrawOp::Text)[3].text, "'F'= 1 MHz");
    ExpectFinite(one);

    s.SweepPoints = 0;
    RecordingSurface none;
    EXPECT_EQ(DrawSweep(s, none, ScreenGeometry(s)).points, 0);
    EXPECT_TRUE(none.Ops().empty());

    // A purely reactive input sits on the rim with a finite VSWR; the pole
    // of gamma (z = -1) has no dot but keeps its label.
    s = SweepState();
    s.ElementType[1] = EmptyStage;
    s.Value[0][1] = 0;
    s.Value[0][2] = 50;
    RecordingSurface rim;
    DrawSweep(s, rim, ScreenGeometry(s));
    EXPECT_TRUE(std::isfinite(s.SweepVswr[0]));
    EXPECT_NEAR(std::hypot(Dots(rim)[0].x1 - 8000, Dots(rim)[0].y1 - 5000), 3500, 0.01);
    ExpectFinite(rim);

    s.Value[0][1] = -50;
    s.Value[0][2] = 0;
    RecordingSurface pole;
    DrawSweep(s, pole, ScreenGeometry(s));
    EXPECT_EQ(Kind(pole, DrawOp::Text).size(), 2u);
    ExpectFinite(pole);
}

TEST(RedrawChartOverlays, SwitchedOnPiecesDrawnInOrderWithoutHooks) {
    SessionState s = SweepState();
    s.QArcsOn = 1;
    s.VswrCircleOn = 1;
    RecordingSurface rs;
    RedrawChart(s, rs);
    std::vector<std::string> labels;
    for (const DrawOp& op : Kind(rs, DrawOp::Text))
        if (op.text.find('=') != std::string::npos) labels.push_back(op.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"Q=2", "VSWR=2", "'S'= 1 MHz", "'F'= 2 MHz"}));
}

}  // namespace
}  // namespace qv

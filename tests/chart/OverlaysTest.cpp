// Q arcs and the VSWR circle, read back from a RecordingSurface.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "chart/Overlays.h"
#include "chart/RedrawChart.h"
#include "drawing/RecordingSurface.h"

namespace qv {
namespace {

constexpr ChartGeometry kGeo{8000, 5000, 3500};

std::vector<DrawOp> Ops(const RecordingSurface& rs, DrawOp::Kind kind,
                        std::function<bool(const DrawOp&)> keep = {}) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : rs.Ops())
        if (op.kind == kind && (!keep || keep(op))) out.push_back(op);
    return out;
}

bool Teal(const DrawOp& op) { return op.colour == kQArcColour; }

SessionState QState(float q) {
    SessionState s;
    s.QArcsOn = 1;
    s.QCircleValue = q;
    return s;
}

TEST(QArcs, RangeCorrectionIsStoredAndLabelled) {
    struct Case {
        float given, drawn;
        const char* label;
    };
    for (const Case c : {Case{0, 2, "Q=2"}, Case{25, 20, "Q=20"}, Case{0.05f, 0.1f, "Q=0.1"},
                         Case{-3, 0.1f, "Q=0.1"}, Case{0.5f, 0.5f, "Q=0.5"},
                         Case{NAN, 2, "Q=2"}, Case{20, 20, "Q=20"}, Case{0.1f, 0.1f, "Q=0.1"}}) {
        SessionState s = QState(c.given);
        RecordingSurface rs;
        DrawQArcs(s, rs, kGeo);
        EXPECT_EQ(s.QCircleValue, c.drawn) << c.given;
        const auto texts = Ops(rs, DrawOp::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.label);
        EXPECT_EQ(texts[0].colour, kBlack);
        EXPECT_EQ(texts[0].x1, 4500);
        EXPECT_EQ(texts[0].y1, 8100);
        const auto boxes = Ops(rs, DrawOp::FillBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].colour, kWhite);
        EXPECT_EQ(boxes[0].x2 - boxes[0].x1, 1500);
        EXPECT_EQ(boxes[0].y2 - boxes[0].y1, 200);
    }
}

TEST(QArcs, OffDrawsNothingAndLeavesTheValue) {
    SessionState s = QState(25);
    s.QArcsOn = 0;
    RecordingSurface rs;
    DrawQArcs(s, rs, kGeo);
    EXPECT_TRUE(rs.Ops().empty());
    EXPECT_EQ(s.QCircleValue, 25);
}

// Only the arcs inside the rim are coloured: above the axis for the upper
// arc, below for the lower one, mirror images of each other.
void CheckVisibleArcs(float q, double expectTop) {
    SessionState s = QState(q);
    RecordingSurface rs;
    DrawQArcs(s, rs, kGeo);
    const auto teal = Ops(rs, DrawOp::Line, Teal);
    ASSERT_FALSE(teal.empty());
    double top = 1e9, bottom = -1e9;
    int above = 0, below = 0;
    for (const DrawOp& op : teal) {
        EXPECT_LT(std::fabs(op.x2 - kGeo.centerX), kGeo.radius);
        EXPECT_LE(std::hypot(op.x2 - kGeo.centerX, op.y2 - kGeo.centerY), kGeo.radius + 1);
        top = std::min(top, op.y2);
        bottom = std::max(bottom, op.y2);
        (op.y2 < kGeo.centerY ? above : below)++;
    }
    EXPECT_EQ(above, below);
    EXPECT_NEAR(kGeo.centerY - top, expectTop, 2);
    EXPECT_NEAR(bottom - kGeo.centerY, expectTop, 2);
    // The rest of each circle is drawn, in white.
    EXPECT_GT(Ops(rs, DrawOp::Line, [](const DrawOp& op) { return op.colour == kWhite; }).size(),
              100u);
}

TEST(QArcs, LowQHugsTheAxisHighQBulgesToTheRim) {
    // Top of the arc: Rc * (sqrt(1 + 1/Q^2) - 1/Q) above the axis.
    CheckVisibleArcs(0.1f, 3500 * (std::sqrt(1 + 100.0) - 10));  // about 0.05 Rc
    CheckVisibleArcs(20, 3500 * (std::sqrt(1 + 1 / 400.0) - 0.05));
}

TEST(QArcs, ArcsPassThroughBothEndsOfTheAxis) {
    SessionState s = QState(2);
    RecordingSurface rs;
    DrawQArcs(s, rs, kGeo);
    const auto teal = Ops(rs, DrawOp::Line, Teal);
    double minX = 1e9, maxX = -1e9;
    for (const DrawOp& op : teal) {
        minX = std::min(minX, op.x2);
        maxX = std::max(maxX, op.x2);
    }
    EXPECT_NEAR(minX, kGeo.centerX - kGeo.radius, 15);
    EXPECT_NEAR(maxX, kGeo.centerX + kGeo.radius, 15);
}

TEST(VswrCircle, RadiusFollowsTheVswr) {
    struct Case {
        float vswr;
        double radius;
        const char* label;
    };
    for (const Case c : {Case{1, 0, "VSWR=1"}, Case{3, 1750, "VSWR=3"}, Case{2, 3500 / 3.0, "VSWR=2"},
                         Case{0.5f, 0, "VSWR=0.5"}, Case{-1, 0, "VSWR=-1"}, Case{NAN, 0, "VSWR=nan"}}) {
        SessionState s;
        s.VswrCircleOn = 1;
        s.VswrCircleValue = c.vswr;
        RecordingSurface rs;
        DrawVswrCircle(s, rs, kGeo);
        const auto lines = Ops(rs, DrawOp::Line);
        ASSERT_EQ(lines.size(), 73u) << c.vswr;  // a dot, then 72 segments
        for (const DrawOp& op : lines) {
            EXPECT_EQ(op.colour, kVswrCircleColour);
            EXPECT_NEAR(std::hypot(op.x2 - 8000, op.y2 - 5000), c.radius, 0.01) << c.vswr;
        }
        const auto texts = Ops(rs, DrawOp::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.label);
        EXPECT_EQ(texts[0].y1, 8300);
    }
}

TEST(Overlays, LabelsMoveWithAZoomedChart) {
    SessionState s = QState(2);
    s.VswrCircleOn = 1;
    s.VswrCircleValue = 2;
    const ChartGeometry zoomed{6000, 5000, 7000};
    RecordingSurface rs;
    DrawQArcs(s, rs, zoomed);
    DrawVswrCircle(s, rs, zoomed);
    const auto texts = Ops(rs, DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].x1, -1000);
    EXPECT_EQ(texts[0].y1, 11600);
    EXPECT_EQ(texts[1].y1, 11800);
}

TEST(Overlays, TogglingTwiceRestores) {
    SessionState s;
    EXPECT_TRUE(ToggleQArcs(s));
    EXPECT_FALSE(ToggleQArcs(s));
    EXPECT_EQ(s.QArcsOn, 0);
    s.VswrCircleOn = 1;
    EXPECT_FALSE(ToggleVswrCircle(s));
    EXPECT_TRUE(ToggleVswrCircle(s));
    EXPECT_EQ(s.VswrCircleOn, 1);
}

TEST(Overlays, FarDraggedChartStaysOnTheSurfaceBox) {
    SessionState s = QState(0.1f);
    s.VswrCircleOn = 1;
    s.VswrCircleValue = 20;
    RecordingSurface rs;
    DrawQArcs(s, rs, {3e7, 5000, 28000});
    DrawVswrCircle(s, rs, {3e7, 5000, 28000});
    for (const DrawOp& op : rs.Ops())
        for (double v : {op.x1, op.y1, op.x2, op.y2}) {
            ASSERT_TRUE(std::isfinite(v));
            ASSERT_LE(std::fabs(v), kPageLimit);
        }
}

TEST(Overlays, ShortestTextOfFloats) {
    EXPECT_EQ(ShortestText(2), "2");
    EXPECT_EQ(ShortestText(1.5f), "1.5");
    EXPECT_EQ(ShortestText(1.01f), "1.01");
    EXPECT_EQ(ShortestText(0.1f), "0.1");
}

}  // namespace
}  // namespace qv

// Q arcs, the VSWR circle and the sweep trace, read back from a
// RecordingSurface.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chart/ChartView.h"
#include "chart/OpenedChart.h"
#include "chart/Overlays.h"
#include "chart/RedrawChart.h"
#include "chart/SweepTrace.h"
#include "drawing/Ops.h"

namespace qv {
namespace {

constexpr ChartGeometry kGeo{8000, 5000, 3500};

// The ops of a kind (texts: all of them) in a colour.
std::vector<DrawOp> Ops(const RecordingSurface& rs, DrawOp::Kind kind, Colour colour = 0) {
    auto out = test::OpsOf(rs, kind);
    std::erase_if(out, [&](const DrawOp& op) { return kind != DrawOp::Text && op.colour != colour; });
    return out;
}

std::vector<std::string> Texts(const RecordingSurface& rs) {
    std::vector<std::string> out;
    for (const DrawOp& op : Ops(rs, DrawOp::Text)) out.push_back(op.text);
    return out;
}

// A fresh session's Q arcs (q) or VSWR circle (vswr) about kGeo.
RecordingSurface Overlay(SessionState& s, float q, float vswr = 0) {
    RecordingSurface rs;
    s.QArcsOn = s.VswrCircleOn = 1, s.QCircleValue = q, s.VswrCircleValue = vswr;
    if (vswr == 0) DrawQArcs(s, rs, kGeo);
    else DrawVswrCircle(s, rs, kGeo);
    return rs;
}

TEST(QArcs, RangeCorrectionIsStoredAndLabelled) {
    const std::vector<std::pair<float, const char*>> cases = {
        {0, "Q=2"}, {25, "Q=20"}, {0.05f, "Q=0.1"}, {-3, "Q=0.1"}, {NAN, "Q=2"}, {0.5f, "Q=0.5"}};
    for (const auto& [given, label] : cases) {
        SessionState s;
        const RecordingSurface rs = Overlay(s, given);
        EXPECT_EQ("Q=" + ShortestText(s.QCircleValue), label) << given;
        // The one text 400 above the chart's bottom.
        EXPECT_TRUE(Texts(rs) == std::vector<std::string>{label} && Ops(rs, DrawOp::Text)[0].y1 == 8100);
    }
}

// Only the arcs inside the rim are coloured, the lower the mirror image of
// the upper; the rest of each circle is drawn white.
TEST(QArcs, LowQHugsTheAxisHighQBulgesToTheRim) {
    for (const float q : {0.1f, 20.0f}) {
        SessionState s;
        const RecordingSurface rs = Overlay(s, q);
        double top = 1e9, bottom = -1e9;
        for (const DrawOp& op : Ops(rs, DrawOp::Line, kQArcColour)) {
            EXPECT_LE(std::hypot(op.x2 - 8000, op.y2 - 5000), 3501);
            top = std::min(top, op.y2);
            bottom = std::max(bottom, op.y2);
        }
        const double peak = 3500 * (std::sqrt(1 + 1.0 / (q * q)) - 1.0 / q);
        EXPECT_TRUE(std::fabs(5000 - top - peak) < 2 && std::fabs(bottom - 5000 - peak) < 2) << q << ": " << top << ", " << bottom;
        EXPECT_GT(Ops(rs, DrawOp::Line, kWhite).size(), 100u);
    }
}

TEST(VswrCircle, RadiusFollowsTheVswrAndNeverDividesByZero) {
    const std::vector<std::pair<float, double>> cases = {{1, 0}, {3, 1750}, {INFINITY, 3500}, {-1, 0}, {NAN, 0}};
    for (const auto& [vswr, radius] : cases) {
        SessionState s;
        const auto lines = Ops(Overlay(s, 0, vswr), DrawOp::Line, kVswrCircleColour);
        ASSERT_FALSE(lines.empty());
        for (const DrawOp& op : lines)
            EXPECT_NEAR(std::hypot(op.x2 - 8000, op.y2 - 5000), radius, 0.01) << vswr;
    }
}

SessionState SweepState() {
    SessionState s = test::OpenedChart();
    test::SetStage(s, 1, SeriesInductor, 5e-6, 1000);  // moves the input with frequency
    s.SweepOn = 1, s.SweepStart = 1e6, s.SweepStop = 2e6, s.SweepPoints = 3;
    return s;
}

TEST(SweepTrace, ThreePointsFromOneToTwoMegahertzAgreeWithTheTable) {
    SessionState s = SweepState();
    s.TestFrequency = 1234567;
    RecordingSurface rs;
    const FontSpec pageFont{"Arial", 8.5, false};  // a line taller than the ring
    rs.SetFont(pageFont);
    EXPECT_TRUE(DrawSweep(s, rs, ScreenGeometry(s)).tabulateEnabled && s.TestFrequency == 1234567);
    const auto dots = Ops(rs, DrawOp::Circle, kSweepDotColour);
    ASSERT_EQ(dots.size(), 3u);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(dots[k].y1, ToPage(ScreenGeometry(s), 50, s.SweepR[k], s.SweepX[k]).y);
    EXPECT_EQ(Texts(rs), (std::vector<std::string>{"S", "'S'= 1 MHz", "F", "'F'= 2 MHz"}));
    // Each letter's whole text box lies inside its ring; the labels keep the font.
    const auto rings = Ops(rs, DrawOp::Circle, kBlack);
    const auto texts = Ops(rs, DrawOp::Text);
    ASSERT_EQ(rings.size(), 2u);
    for (int end = 0; end < 2; ++end) {
        const DrawOp& letter = texts[2 * end];
        RecordingSurface measure;
        measure.SetFont(letter.font);
        const double w = measure.TextWidth(letter.text), h = measure.TextHeight();
        for (double x : {letter.x1, letter.x1 + w})
            for (double y : {letter.y1, letter.y1 + h})
                EXPECT_LT(std::hypot(x - rings[end].x1, y - rings[end].y1), kEndRingRadius)
                    << letter.text;
        EXPECT_EQ(texts[2 * end + 1].font, pageFont);
    }
}

TEST(SweepTrace, OffLeavesTabulateAloneOnTellsTheRule) {
    SessionState s = SweepState();
    s.SweepOn = 0;
    std::vector<bool> told;
    ChartHooks hooks;
    hooks.tabulateEnabled = [&](bool on) { told.push_back(on); };
    RecordingSurface rs;
    RedrawChart(s, rs, hooks);
    EXPECT_TRUE(told.empty());
    s.SweepOn = 1;
    RedrawChart(s, rs, hooks);
    s.SweepStart = 10000, RedrawChart(s, rs, hooks);  // the rule wants more than 10 kHz
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
}

TEST(SweepTrace, EntryChecksInOrder) {
    const std::pair<SweepEntry, std::string> cases[] = {
        {{10000, 1e10, 3}, ""}, {{9999, 2e6, 3}, kSweepStartMessage}, {{1e6, 1.1e10, 3}, kSweepStopMessage},
        {{2e6, 2e6, 3}, kSweepOrderMessage}, {{1e6, 2e6, 2}, kSweepPointsMessage}, {{1e6, 2e6, 2002}, kSweepPointsMessage},
        {{1e6, 2e6, 10.5}, kSweepPointsMessage}};
    for (const auto& [entry, message] : cases) EXPECT_EQ(CheckSweepEntry(entry), message) << entry.start;
    EXPECT_EQ(kSweepPointsMessage, std::string("Number of points must be a whole number from 3 to 2001"));
}

TEST(SweepTrace, DegenerateSweepsStayFinite) {
    SessionState s = SweepState();
    s.SweepPoints = 1;  // both marks on the one point
    RecordingSurface one;
    DrawSweep(s, one, ScreenGeometry(s));
    EXPECT_EQ(Texts(one), (std::vector<std::string>{"S", "'S'= 1 MHz", "F", "'F'= 1 MHz"}));
    EXPECT_TRUE(test::OnThePage(one.Ops()));

    s.ElementType[1] = EmptyStage;
    s.Value[0][1] = -50;  // the pole of gamma: no dot, labels kept
    RecordingSurface pole;
    DrawSweep(s, pole, ScreenGeometry(s));
    EXPECT_TRUE(Ops(pole, DrawOp::Circle, kSweepDotColour).empty() && Texts(pole).size() == 2 && test::OnThePage(pole.Ops()));
}

}  // namespace
}  // namespace qv

// Mapping, readout, zoom, drag and mouse dispatch of the Analysis chart.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "chart/ChartGeometry.h"
#include "chart/ChartView.h"
#include "chart/OpenedChart.h"
#include "chart/Readout.h"
#include "numbers/Format.h"

namespace qv {
namespace {

using test::OpenedChart;

TEST(ChartMapping, MatchedLoadAtCentreAndOnePlusJOneOffset) {
    SessionState s = OpenedChart();
    PagePoint p = ToPage(s, 50, 0);
    EXPECT_TRUE(p.valid);
    EXPECT_DOUBLE_EQ(p.x, 8000);
    EXPECT_DOUBLE_EQ(p.y, 5000);
    EXPECT_DOUBLE_EQ(s.PointRho, 0);

    p = ToPage(s, 50, 50);  // gamma = 0.2 + j0.4
    EXPECT_NEAR(p.x, 8000 + 0.2 * 3500, 1e-3);
    EXPECT_NEAR(p.y, 5000 - 0.4 * 3500, 1e-3);
    EXPECT_NEAR(s.PointRho, std::sqrt(0.2), 1e-12);

    // Short at the left end of the axis, open (very large R) at the right.
    EXPECT_NEAR(ToPage(s, 0, 0).x, 4500, 1e-3);
    EXPECT_NEAR(ToPage(s, 1e12, 0).x, 11500, 1e-3);
}

TEST(ChartMapping, MinusSystemZHasNoPointAndFarPointsClip) {
    SessionState s = OpenedChart();
    EXPECT_FALSE(ToPage(s, -50, 0).valid);
    EXPECT_EQ(s.PointRho, kUnboundedRho);

    // Next to the pole the point is finite but far away; clipping keeps the
    // segment's direction and brings it into the box.
    PagePoint far = ToPage(s, -50, 1e-9);
    ASSERT_TRUE(far.valid);
    double x1 = 8000, y1 = 5000, x2 = far.x, y2 = far.y;
    ASSERT_TRUE(ClipSegment(x1, y1, x2, y2));
    EXPECT_LE(std::fabs(y2), kPageLimit);
    EXPECT_NEAR(x2, 8000, 1);  // straight up from the centre, as gamma = -j inf
    double a = 2e6, b = 2e6, c = 3e6, d = 3e6;
    EXPECT_FALSE(ClipSegment(a, b, c, d));
}

// Points of the chart read back; a null text is not checked, "~x" only has
// to contain x.
TEST(ChartReadout, PointsReadBackAsTheirTexts) {
    const struct Case {
        const char* what;
        double x, y;
        bool visible;
        double angleLow, angleHigh;  // pointAngle within [low, high]
        std::array<const char*, 7> values;
    } cases[] = {
        {"centre", 8000, 5000, true, 0, 0,
         {" 0 @ 0 \xC2\xB0", " 1:1   ", ">120dB", " 50 ", " 0 ", nullptr, nullptr}},
        {"open circuit on the rim", 11500, 5000, true, 0, 0,
         {nullptr, " >1000:1   ", " 0dB", " 100002.2 G", " 0 ", " 0 ", " 0 "}},
        {"outside the rim", 11501, 5000, false, 0, 0, {}},
        {"left on the axis", 6000, 5000, true, 180, 180, {"~@ 180 "}},
        {"1 + j1", 8700, 3600, true, 1, 179, {nullptr, nullptr, nullptr, " 50 ", " 50 ", " 0.01 ", " -0.01 "}},
        {"1 - j1", 8700, 6400, true, -179, -1, {nullptr, nullptr, nullptr, " 50 ", " -50 "}},
        {"lower left", 6000, 6000, true, -179.999, -90.001, {}},
        // Near the open circuit G is a fraction of a millisiemens, not "0".
        {"near the open circuit", 11400, 5000, true, 0, 0, {nullptr, nullptr, nullptr, nullptr, nullptr, "~ u"}},
    };
    SessionState s = OpenedChart();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Readout r = ReadoutAt(s, c.x, c.y);
        EXPECT_EQ(r.visible, c.visible);
        EXPECT_TRUE(r.pointAngle >= c.angleLow && r.pointAngle <= c.angleHigh) << r.pointAngle;
        for (std::size_t k = 0; k < 7; ++k) {
            if (!c.values[k]) continue;
            if (c.values[k][0] == '~')
                EXPECT_NE(r.values[k].find(c.values[k] + 1), std::string::npos) << k << ": " << r.values[k];
            else
                EXPECT_EQ(r.values[k], c.values[k]) << k;
        }
    }
    // Outside the rim at gamma = -2 with a huge system impedance, R is far
    // below what the formatter takes: it is shown at the negative limit.
    const Readout r = ReadoutAt(ScreenGeometry(s), 1e20, s.Pi, 1000, 5000);
    EXPECT_EQ(r.values[3], " " + FormatResistance(-1e15));
}

TEST(ChartReadout, NoRadiusHidesInsteadOfFormattingNaN) {
    SessionState s;
    InitSession(s);
    Readout r = ReadoutAt(s, 100, 100);
    EXPECT_FALSE(r.visible);
    for (const std::string& v : r.values) EXPECT_EQ(v.find("nan"), std::string::npos) << v;
}

TEST(ChartView, ZoomSequenceButtonsAndReset) {
    SessionState s = OpenedChart();
    ChartPage page;
    const float expected[] = {1.4142135f, 2, 2.828427f, 4, 5.656854f, 8};
    for (float z : expected) {
        EXPECT_TRUE(page.zoomInEnabled);
        ZoomIn(s, page);
        EXPECT_FLOAT_EQ(s.ChartZoom, z);
    }
    EXPECT_EQ(s.ChartZoom, 8.0f);
    EXPECT_EQ(s.ChartRadius, 28000.0f);
    EXPECT_FALSE(page.zoomInEnabled);
    EXPECT_TRUE(page.zoomOutEnabled);
    for (int i = 4; i >= -1; --i) {
        ZoomOut(s, page);
        EXPECT_FLOAT_EQ(s.ChartZoom, i < 0 ? 1.0f : expected[i]);
    }
    EXPECT_FALSE(page.zoomOutEnabled);
    EXPECT_TRUE(page.zoomInEnabled);

    ZoomIn(s, page);
    s.ChartCenterX = 100;
    s.ChartCenterY = 200;
    ResetView(s, page);
    EXPECT_EQ(s.ChartCenterX, 8000.0f);
    EXPECT_EQ(s.ChartCenterY, 5000.0f);
    EXPECT_EQ(s.ChartRadius, 3500.0f);
    EXPECT_TRUE(page.zoomOutEnabled);  // reset leaves it alone
    ZoomOut(s, page);
    EXPECT_EQ(s.ChartZoom, 1.0f);
    EXPECT_FALSE(page.zoomOutEnabled);
}

TEST(ChartView, RightDragWaitsBelowTwoThousand) {
    SessionState s = OpenedChart();
    ChartPage page;
    ChartMousePress(s, page, kRightButton, 9000, 1800);
    EXPECT_FALSE(ChartMouseMove(s, page, kRightButton, 9100, 1900).redraw);
    EXPECT_EQ(s.ChartCenterX, 8000.0f);
    MouseResult m = ChartMouseMove(s, page, kRightButton, 9500, 2600);
    EXPECT_TRUE(m.redraw);
    EXPECT_EQ(s.ChartCenterX, 8500.0f);  // the whole way from the press
    EXPECT_EQ(s.ChartCenterY, 5800.0f);
    ChartMouseMove(s, page, kRightButton, 9400, 2700);
    EXPECT_EQ(s.ChartCenterX, 8400.0f);
    // Both buttons held: neither drag nor readout.
    m = ChartMouseMove(s, page, 3, 1000, 7000);
    EXPECT_FALSE(m.redraw);
    EXPECT_FALSE(m.readout);
}

TEST(ChartView, PressDispatch) {
    SessionState s = OpenedChart();
    s.PanelEdge = {1000, 2000, 3000, 3000, 3000, 3000};
    ChartPage page;
    MouseResult m = ChartMousePress(s, page, kLeftButton, 2500, 800);
    EXPECT_TRUE(m.pickPart);
    EXPECT_FALSE(m.readout);
    EXPECT_FALSE(ChartMousePress(s, page, kLeftButton, 3500, 800).pickPart);
    m = ChartMousePress(s, page, kLeftButton, 2500, 1500);
    EXPECT_FALSE(m.pickPart);
    EXPECT_FALSE(m.readout);
    EXPECT_TRUE(ChartMousePress(s, page, kRightButton, 2500, 1000).pickPart);
    EXPECT_TRUE(ChartMousePress(s, page, kLeftButton, 8000, 5000).readout);
    EXPECT_TRUE(ChartMouseRelease().hideReadout);
}

}  // namespace
}  // namespace qv

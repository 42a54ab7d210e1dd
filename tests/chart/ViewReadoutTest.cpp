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

// ToPage puts each impedance where the chart shows it and FromPage reads it
// back, at zoom 1 and 8 and with the centre dragged off the page.
TEST(ChartMapping, FromPageUndoesToPage) {
    const ChartGeometry geometries[] = {{8000, 5000, 3500}, {8000, 5000, 28000}, {-12000, 30500, 9899.495}};
    const struct { double r, x, u, v; } points[] = {
        {50, 0, 0, 0},    {50, 50, 0.2, 0.4}, {50, -50, 0.2, -0.4}, {0, 0, -1, 0},
        {0, 50, 0, 1},    {150, 0, 0.5, 0},   {10, -20, -0.5, -0.5}, {10, 20, -0.5, 0.5},
    };
    const double pi = 4 * std::atan(1.0);
    for (const ChartGeometry& g : geometries)
        for (const auto& z : points) {
            SCOPED_TRACE(testing::Message() << g.radius << ": " << z.r << ", " << z.x);
            const PagePoint p = ToPage(g, 50, z.r, z.x);
            ASSERT_TRUE(p.valid);
            EXPECT_LT(std::hypot(p.x - (g.centerX + g.radius * z.u), p.y - (g.centerY - g.radius * z.v)), 1e-2);
            const ChartPoint back = FromPage(g, pi, p.x, p.y);
            EXPECT_LT(std::hypot(back.u - z.u, back.v - z.v), 1e-6);
            EXPECT_NEAR(back.angleDeg, std::atan2(z.v, z.u) * 180 / pi, 1e-4);
            const Impedance read = ImpedanceOfGamma(back.u, back.v, 50);
            EXPECT_LT(std::hypot(read.R - z.r, read.X - z.x), 1e-3);
        }
    SessionState s = OpenedChart();
    EXPECT_NEAR(ToPage(s, 1e12, 0).x, 11500, 1e-3);  // the open at the right end
    EXPECT_EQ(ImpedanceOfGamma(1, 0, 50).R, kOpenOhms);
    ToPage(s, 50, 50);
    EXPECT_NEAR(s.PointRho, std::sqrt(0.2), 1e-12);
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
    EXPECT_TRUE(std::fabs(y2) <= kPageLimit && std::fabs(x2 - 8000) < 1);  // straight up, as gamma = -j inf
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
    EXPECT_TRUE(s.ChartZoom == 8 && s.ChartRadius == 28000 && !page.zoomInEnabled && page.zoomOutEnabled);
    for (int i = 4; i >= -1; --i) {
        ZoomOut(s, page);
        EXPECT_FLOAT_EQ(s.ChartZoom, i < 0 ? 1.0f : expected[i]);
    }
    EXPECT_TRUE(!page.zoomOutEnabled && page.zoomInEnabled);
    ZoomIn(s, page);
    s.ChartCenterX = 100, s.ChartCenterY = 200;
    ResetView(s, page);
    EXPECT_EQ(std::tuple(s.ChartCenterX, s.ChartCenterY, s.ChartRadius), std::tuple(8000, kDefaultCenterY, 3500));
    EXPECT_TRUE(page.zoomOutEnabled);  // reset leaves it alone
    ZoomOut(s, page);
    EXPECT_TRUE(s.ChartZoom == 1 && !page.zoomOutEnabled);
}

TEST(ChartView, RightDragWaitsBelowTwoThousand) {
    SessionState s = OpenedChart();
    ChartPage page;
    ChartMousePress(s, page, kRightButton, 9000, 1800);
    EXPECT_TRUE(!ChartMouseMove(s, page, kRightButton, 9100, 1900).redraw && s.ChartCenterX == 8000);
    EXPECT_TRUE(ChartMouseMove(s, page, kRightButton, 9500, 2600).redraw);
    EXPECT_EQ(std::pair(s.ChartCenterX, s.ChartCenterY), std::pair(8500.0f, 5800.0f));  // the whole way from the press
    ChartMouseMove(s, page, kRightButton, 9400, 2700);
    EXPECT_EQ(s.ChartCenterX, 8400.0f);
    const MouseResult both = ChartMouseMove(s, page, 3, 1000, 7000);  // both buttons: neither drag nor readout
    EXPECT_TRUE(!both.redraw && !both.readout);
}

TEST(ChartView, PressDispatch) {
    SessionState s = OpenedChart();
    s.PanelEdge = {1000, 2000, 3000, 3000, 3000, 3000};
    ChartPage page;
    // Part pick, readout.
    const auto press = [&](int button, double x, double y) {
        const MouseResult m = ChartMousePress(s, page, button, x, y);
        return std::pair(m.pickPart, m.readout.has_value());
    };
    EXPECT_EQ(press(kLeftButton, 2500, 800), std::pair(true, false));
    EXPECT_EQ(press(kLeftButton, 3500, 800).first, false);
    EXPECT_EQ(press(kLeftButton, 2500, 1500), std::pair(false, false));
    EXPECT_EQ(press(kRightButton, 2500, 1000).first, true);
    EXPECT_TRUE(ChartMousePress(s, page, kLeftButton, 8000, 5000).readout->visible);
    // A zoomed chart reaches under the panel, but what is clipped away there
    // is not read out.
    ZoomIn(s, page);
    EXPECT_FALSE(ChartMousePress(s, page, kLeftButton, 8000, kChartAreaTop - 10).readout->visible);
    EXPECT_TRUE(ChartMouseRelease().hideReadout);
}

}  // namespace
}  // namespace qv

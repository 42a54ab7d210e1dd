#include "drawing/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qv {
namespace {

TEST(RecordingSurface, PolylinesContinueFromTheLastPointOfAnyStroke) {
    RecordingSurface r;
    r.SetColour(Rgb(1, 2, 3));
    r.SetLineWidth(2);
    r.Line(10, 20, 30, 40);
    r.LineTo(50, 60);
    r.Circle(100, 200, 5, 0, 0, 1);
    r.LineTo(110, 210);  // a circle leaves the pen at its centre
    r.FillBox(0, 0, 7, 8);
    const auto& o = r.Ops();
    ASSERT_EQ(o.size(), 5u);
    EXPECT_EQ(std::vector<double>({o[1].x1, o[1].y1, o[3].x1, o[3].y1, o[0].width}), std::vector<double>({30, 40, 100, 200, 2}));
    EXPECT_TRUE(o[4].kind == DrawOp::FillBox && o[4].colour == Rgb(1, 2, 3));
}

TEST(RecordingSurface, NoNaNOrInfinityReachesTheDisplayList) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    RecordingSurface r;
    r.Line(nan, inf, -inf, 1e300);
    r.LineTo(nan, nan);
    r.Circle(inf, nan, inf, nan, inf, nan);
    r.Text(nan, -inf, "x");
    for (const DrawOp& op : r.Ops())
        for (double v : {op.x1, op.y1, op.x2, op.y2, op.startRad, op.endRad, op.aspect})
            EXPECT_TRUE(std::isfinite(v) && std::fabs(v) <= 1e9);
    EXPECT_TRUE(std::isfinite(r.LastX()) && std::isfinite(r.LastY()));
}

}  // namespace
}  // namespace qv

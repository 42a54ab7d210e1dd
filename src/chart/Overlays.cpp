#include "chart/Overlays.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// Joins polyline points, clipping each segment to the page box so that a
// chart dragged far away or a huge low-Q circle never hands the painter
// absurd coordinates.
class Polyline {
public:
    explicit Polyline(Surface& surf) : surf_(surf) {}
    void Point(double x, double y, Colour colour) {
        surf_.SetColour(colour);
        if (!started_) {
            if (InPageBox(x, y)) surf_.Line(PageCoord(x), PageCoord(y), PageCoord(x), PageCoord(y));
            started_ = true;
        } else {
            double x1 = x_, y1 = y_, x2 = x, y2 = y;
            if (ClipSegment(x1, y1, x2, y2)) surf_.Line(x1, y1, x2, y2);
        }
        x_ = x;
        y_ = y;
    }

private:
    Surface& surf_;
    bool started_ = false;
    double x_ = 0, y_ = 0;
};

void Label(Surface& surf, const ChartGeometry& g, double rise, const std::string& text) {
    const double left = PageCoord(g.centerX - g.radius);
    const double top = PageCoord(g.centerY + g.radius - rise);
    surf.SetColour(kWhite);
    surf.FillBox(left, top, PageCoord(left + kLabelBoxWidth), PageCoord(top + kLabelBoxHeight));
    surf.SetTextColour(kBlack);
    surf.Text(left, top, text);
}

// One of the two Q arcs: sign -1 the upper (positive reactance), +1 the
// lower. Points beyond the rim's horizontal extent are drawn white, so only
// the part inside the chart shows; the white parts still cover what lies
// under them beside the chart.
void DrawQArc(Surface& surf, const ChartGeometry& g, double q, double sign) {
    const double rc = g.radius;
    const double k = std::sqrt(1 + 1 / (q * q));
    const double c = 1 / q;
    const float rightRim = static_cast<float>(g.centerX + rc);
    const float leftRim = static_cast<float>(g.centerX - rc);
    Polyline line(surf);
    // The angle is a running sum of 0.1-degree steps and the end test is on
    // the sum: 0.1 has no exact binary form, and the sum stays a hair below
    // 180 after 1800 steps, so each arc has 1801 points and ends at 180.
    for (double a = 0; a <= 180; a += 0.1) {
        const double x = g.centerX + rc * k * std::cos(a * kDegree);
        const double y = g.centerY - sign * rc * c + sign * rc * k * std::sin(a * kDegree);
        const float fx = static_cast<float>(x);
        const bool outside = fx >= rightRim || fx <= leftRim;
        line.Point(x, y, outside ? kWhite : kQArcColour);
    }
}

}  // namespace

std::string ShortestText(float value) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

float CorrectedQ(float q) {
    if (std::isnan(q)) return kDefaultOverlayValue;
    if (q > kMaxQ) q = kMaxQ;
    if (q == 0) q = kDefaultOverlayValue;
    if (q < kMinQ) q = kMinQ;
    return q;
}

double VswrCircleRho(float vswr) {
    const double s = vswr;
    if (!(s >= 1)) return 0;
    if (std::isinf(s)) return 1;
    return (s - 1) / (s + 1);
}

void DrawQArcs(SessionState& s, Surface& surf, const ChartGeometry& g) {
    if (s.QArcsOn == 0) return;
    s.QCircleValue = CorrectedQ(s.QCircleValue);
    const double q = s.QCircleValue;
    surf.SetLineWidth(1);
    DrawQArc(surf, g, q, -1);
    DrawQArc(surf, g, q, +1);
    Label(surf, g, kQLabelRise, "Q=" + ShortestText(s.QCircleValue));
}

void DrawVswrCircle(const SessionState& s, Surface& surf, const ChartGeometry& g) {
    if (s.VswrCircleOn == 0) return;
    const double r = VswrCircleRho(s.VswrCircleValue) * g.radius;
    surf.SetLineWidth(1);
    Polyline line(surf);
    for (int deg = 0; deg <= 360; deg += 5) {
        line.Point(g.centerX + r * std::cos(deg * kDegree), g.centerY + r * std::sin(deg * kDegree),
                   kVswrCircleColour);
    }
    Label(surf, g, kVswrLabelRise, "VSWR=" + ShortestText(s.VswrCircleValue));
}

bool ToggleQArcs(SessionState& s) {
    s.QArcsOn = s.QArcsOn == 0 ? 1 : 0;
    return s.QArcsOn == 1;
}

bool ToggleVswrCircle(SessionState& s) {
    s.VswrCircleOn = s.VswrCircleOn == 0 ? 1 : 0;
    return s.VswrCircleOn == 1;
}

}  // namespace qv

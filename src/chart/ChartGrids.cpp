#include "chart/ChartGrids.h"

#include <cmath>

namespace qv {
namespace {

struct ArcSpec {
    double value;  // signed reactance or susceptance, normalised
    double a0, a1, step;
};

// Where each arc starts and stops, in degrees of its own circle, stepped in
// whole steps from near the rim to the r = 5 (or g = 5) circle. The ends are
// fixed numbers rather than computed intersections, so the screen, the
// printout and the picture files draw exactly the same points. The |x| = 2
// arcs meet the rim at 143.13 degrees: the -2 arc starts 1.1 degree beyond
// it, under the rim's line, the +2 arc 0.9 degree inside it.
constexpr ArcSpec kReactanceArcs[] = {
    {-2, 142, 234, 2},       {+2, 144, 234, 2},       {-1, 180, 251, 1},
    {+1, 180, 251, 1},       {-0.5, 217, 260.5, 0.5}, {+0.5, 217, 260.5, 0.5},
    {-0.2, 247.5, 266.2, 0.2}, {+0.2, 247.5, 266.2, 0.2},
};
constexpr ArcSpec kSusceptanceArcs[] = {
    {+2, 142, 233, 1},       {-2, 142, 233, 1},       {-1, 180, 251, 1},
    {+1, 180, 251, 1},       {+0.5, 217, 260.5, 0.5}, {-0.5, 217, 260.5, 0.5},
    {+0.2, 247.5, 266.2, 0.2}, {-0.2, 247.5, 266.2, 0.2},
};
constexpr double kImpedanceCircles[] = {5, 2, 1, 0.5, 0.2};
constexpr double kAdmittanceCircles[] = {0.2, 0.5, 1, 2, 5};

// Label place: Cx + kx*Rc + dx, Cy + ky*Rc + dy. The twip offsets do not
// scale with the zoom, so labels shift a little against the lines when
// zoomed in; that matches the printed chart.
struct LabelSpec {
    const char* text;
    double kx, dx, ky, dy;
};
constexpr LabelSpec kImpedanceLabels[] = {
    {"+2", 0.66, -300, -0.79, -330},  {"+1", 0, -240, -0.999, -240},
    {"+.5", -0.62, -300, -0.82, -60}, {"+.2", -0.97, -120, -0.38, -240},
    {"0", -1.02, -120, 0, -90},       {"-.2", -0.97, -120, 0.38, 0},
    {"-.5", -0.62, -300, 0.82, -90},  {"-1", 0, -180, 1.01, 0},
    {"-2", 0.66, -300, 0.79, 180},    {".2", -0.67, -210, 0, -120},
    {".5", -0.33, -240, 0, -120},     {"1", 0, -120, 0, -120},
    {"2", 0.33, -120, 0, -120},       {"5", 0.66, -120, 0, -120},
};
constexpr LabelSpec kAdmittanceLabels[] = {
    {"-.5", 0.66, -90, -0.79, -180}, {"-1", 0, 60, -0.999, -240},
    {"-2", -0.62, 0, -0.82, -210},   {"-.2", 0.97, -120, -0.38, -180},
    {"0", 1.02, 0, 0, -30},          {"+.2", 0.97, -120, 0.38, 90},
    {"+2", -0.62, -60, 0.82, 30},    {"+1", 0, 30, 1.01, 0},
    {"+.5", 0.66, -120, 0.79, -30},  {"5", -0.67, 60, 0, -120},
    {"2", -0.33, 30, 0, -120},       {"1", 0, 30, 0, -120},
    {".5", 0.33, 30, 0, -120},       {".2", 0.66, 30, 0, -120},
};

template <std::size_t N>
void DrawLabels(Surface& surf, const ChartGeometry& g, const LabelSpec (&labels)[N]) {
    for (const LabelSpec& l : labels) {
        surf.Text(PageCoord(g.centerX + l.kx * g.radius + l.dx),
                  PageCoord(g.centerY + l.ky * g.radius + l.dy), l.text);
    }
}

void FullCircle(Surface& surf, double pi, double ox, double oy, double radius) {
    StepPolyline(surf, pi, 0, 360, 2, ox, radius, oy, radius);
}

}  // namespace

GridScheme GridSchemeFor(int gridType) {
    constexpr Colour kRed = Rgb(255, 17, 17);
    constexpr Colour kGreen = Rgb(17, 136, 17);
    GridScheme g;
    switch (gridType) {
        case 1:
            g.drawImpedance = true;
            g.impedanceColour = kRed;
            g.frameColour = kRed;
            break;
        case 2:
        case 3:
            g.admittanceFirst = true;
            g.drawAdmittance = g.drawImpedance = true;
            g.admittanceColour = gridType == 2 ? Rgb(153, 255, 153) : kGreen;
            g.impedanceColour = kRed;
            g.frameColour = kBlack;
            break;
        case 4:
            g.drawAdmittance = g.drawImpedance = true;
            g.admittanceColour = kGreen;
            g.impedanceColour = Rgb(255, 204, 204);
            g.frameColour = kBlack;
            break;
        case 5:
            g.drawAdmittance = true;
            g.admittanceColour = kGreen;
            g.frameColour = kGreen;
            break;
        default:
            g.frameColour = kRed;
            break;
    }
    return g;
}

std::int16_t NextGridType(std::int16_t gridType) {
    const int next = gridType + 1;
    return static_cast<std::int16_t>(next > 6 || next < 1 ? 1 : next);
}

int StepPolyline(Surface& surf, double pi, double a0, double a1, double step, double ox,
                 double kx, double oy, double ky) {
    int count = 0;
    double lastX = 0, lastY = 0;
    // The loop variable is accumulated, not recomputed from a counter: the
    // end test on the sum decides where the 0.2-degree arcs stop.
    for (double a = a0; a <= a1; a += step) {
        const double rad = a * pi / 180;
        const double x = PageCoord(ox + kx * std::cos(rad));
        const double y = PageCoord(oy + ky * std::sin(rad));
        if (count == 0)
            surf.Line(x, y, x, y);
        else
            surf.Line(lastX, lastY, x, y);
        lastX = x;
        lastY = y;
        ++count;
    }
    return count;
}

void DrawImpedanceGrid(const SessionState& s, Surface& surf, const ChartGeometry& g,
                       double lineWidth) {
    const double cx = g.centerX, cy = g.centerY, rc = g.radius;
    surf.SetLineWidth(lineWidth);
    surf.SetColour(s.ImpedanceGridColour);
    for (double r : kImpedanceCircles) FullCircle(surf, s.Pi, cx + rc * r / (1 + r), cy, rc / (1 + r));
    for (const ArcSpec& arc : kReactanceArcs) {
        const double k = rc / std::fabs(arc.value);  // rho * Rc
        const double sign = arc.value > 0 ? -1 : 1;  // above the axis for x > 0
        StepPolyline(surf, s.Pi, arc.a0, arc.a1, arc.step, cx + rc, k, cy + sign * k, sign * k);
    }
    surf.SetTextColour(s.ImpedanceGridColour);
    DrawLabels(surf, g, kImpedanceLabels);
}

void DrawAdmittanceGrid(const SessionState& s, Surface& surf, const ChartGeometry& g,
                        double lineWidth) {
    const double cx = g.centerX, cy = g.centerY, rc = g.radius;
    surf.SetLineWidth(lineWidth);
    surf.SetColour(s.AdmittanceGridColour);
    for (const ArcSpec& arc : kSusceptanceArcs) {
        const double k = rc / std::fabs(arc.value);
        const double sign = arc.value > 0 ? 1 : -1;  // below the axis for b > 0
        StepPolyline(surf, s.Pi, arc.a0, arc.a1, arc.step, cx - rc, -k, cy + sign * k, sign * k);
    }
    for (double gc : kAdmittanceCircles) FullCircle(surf, s.Pi, cx - rc * gc / (1 + gc), cy, rc / (1 + gc));
    surf.SetTextColour(s.AdmittanceGridColour);
    DrawLabels(surf, g, kAdmittanceLabels);
    surf.SetTextColour(kBlack);
}

}  // namespace qv

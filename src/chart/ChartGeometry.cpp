#include "chart/ChartGeometry.h"

#include <cmath>

namespace qv {

bool InChartArea(double x, double y) { return x >= kChartAreaLeft && y >= kChartAreaTop; }

void ClipToChartArea(Surface& surf) {
    surf.Clip(kChartAreaLeft, kChartAreaTop, kPageLimit, kPageLimit);
}
namespace {

// Page coordinates are 32-bit floats, like the view they come from
// (ChartCenterX, ChartCenterY, ChartRadius are floats): inside the page box a
// float places a point to a tenth of a twip, far below a pixel, and points
// that two routes of arithmetic put a few bits apart become the same point,
// so the screen, the printout and the picture files draw identical lists.
double AsFloat(double v) { return static_cast<double>(static_cast<float>(v)); }

// Rounds to float only what a float can hold; points far outside the page
// box stay doubles until a clip brings them in.
double RoundInBox(double v) { return std::fabs(v) <= kPageLimit ? AsFloat(v) : v; }

}  // namespace

ChartGeometry ScreenGeometry(const SessionState& s) {
    return {s.ChartCenterX, s.ChartCenterY, s.ChartRadius};
}

Gamma GammaOf(double r, double x, double systemZ) {
    Gamma g;
    if (systemZ == 0 || !std::isfinite(systemZ)) return g;
    const double rn = r / systemZ;
    const double xn = x / systemZ;
    const double d = (rn + 1) * (rn + 1) + xn * xn;
    // z = -1 is the pole of gamma; so is anything whose d underflows.
    if (!(d > 0)) return g;
    g.u = (rn * rn + xn * xn - 1) / d;
    g.v = 2 * xn / d;
    g.rho = std::sqrt(g.u * g.u + g.v * g.v);
    // Huge inputs overflow; there is no point then either.
    g.finite = std::isfinite(g.u) && std::isfinite(g.v) && std::isfinite(g.rho);
    return g;
}

PagePoint ToPage(const ChartGeometry& geo, double systemZ, double r, double x, double* rho) {
    const Gamma g = GammaOf(r, x, systemZ);
    if (rho) *rho = g.finite ? g.rho : kUnboundedRho;
    PagePoint p;
    if (!g.finite) return p;
    double ox = geo.radius * g.u;
    double oy = -geo.radius * g.v;
    // Very distant points are pulled in to kFarLimit along their own direction.
    const double far = std::fmax(std::fabs(ox), std::fabs(oy));
    if (far > kFarLimit) {
        ox = ox / far * kFarLimit;
        oy = oy / far * kFarLimit;
    }
    const double px = geo.centerX + ox;
    const double py = geo.centerY + oy;
    if (!std::isfinite(px) || !std::isfinite(py)) return p;
    p.x = RoundInBox(px);
    p.y = RoundInBox(py);
    p.valid = true;
    return p;
}

PagePoint ToPage(SessionState& s, double r, double x) {
    return ToPage(ScreenGeometry(s), s.SystemZ, r, x, &s.PointRho);
}

ChartPoint FromPage(const ChartGeometry& g, double pi, double x, double y) {
    ChartPoint p;
    double dx = x - g.centerX;
    const double dy = y - g.centerY;
    if (dx == 0) dx = 1e-6;

    double a = -std::atan(dy / dx) * 180 / pi;
    if (dx < 0) a = dy < 0 ? a - 180 : a + 180;
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    p.angleDeg = a;

    const bool haveChart = g.radius > 0 && std::isfinite(g.radius);
    double rho = haveChart ? std::sqrt(dx * dx + dy * dy) / g.radius : 2;
    if (!std::isfinite(rho)) rho = 2;
    if (rho == 1) rho = 0.999999999999;
    p.rho = rho;

    const double theta = pi * a / 180;
    p.u = rho * std::cos(theta);
    p.v = rho * std::sin(theta);
    return p;
}

Impedance ImpedanceOfGamma(double u, double v, double systemZ) {
    const double d = (1 - u) * (1 - u) + v * v;
    if (!(d > 0)) return {kOpenOhms, 0};
    const double z = systemZ;
    return {((1 - u) * (1 + u) * z - v * (z * v)) / d, ((1 - u) * z * v + v * (1 + u) * z) / d};
}

bool ClipSegment(double& x1, double& y1, double& x2, double& y2) {
    // Liang-Barsky against the square box.
    const double dx = x2 - x1, dy = y2 - y1;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + kPageLimit, kPageLimit - x1, y1 + kPageLimit, kPageLimit - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    const double ox = x1, oy = y1;
    if (t1 < 1) {
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
    }
    if (t0 > 0) {
        x1 = ox + t0 * dx;
        y1 = oy + t0 * dy;
    }
    x1 = PageCoord(x1);
    y1 = PageCoord(y1);
    x2 = PageCoord(x2);
    y2 = PageCoord(y2);
    return true;
}

double PageCoord(double v) {
    if (std::isnan(v)) return 0;
    if (v > kPageLimit) v = kPageLimit;
    if (v < -kPageLimit) v = -kPageLimit;
    return AsFloat(v);
}

}  // namespace qv

// Where the chart sits on a drawing surface and how an impedance maps onto
// it. The screen chart takes its centre and radius from SessionState; the
// printed chart passes a geometry of its own, so every drawing routine of
// this folder takes the geometry as an argument.
#pragma once

#include "calc/Impedance.h"
#include "drawing/PageLimits.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

struct ChartGeometry {
    double centerX = 8000;
    double centerY = 5000;
    double radius = 3500;  // radius of the unit circle |gamma| = 1
};

// The Analysis page's chart: ChartCenterX, ChartCenterY, ChartRadius.
ChartGeometry ScreenGeometry(const SessionState& s);

// Layout of the Analysis page, twips.
inline constexpr double kDefaultCenterX = 8000;
// Low enough that the whole chart, its "+1" label included, lies below the
// network panel's band at zoom 1.
inline constexpr double kDefaultCenterY = 5700;
inline constexpr double kRadiusPerZoom = 3500;
inline constexpr double kPanelBandBottom = 1500;  // presses above pick parts
inline constexpr double kDragFloor = 2000;        // drags only below this y

// The Analysis page, in twips: wide enough for the admittance grid's "0"
// right of the rim, tall enough for the caption under the chart.
inline constexpr double kChartPageWidth = 11880;
inline constexpr double kChartPageHeight = 9480;

// The chart's own area on the Analysis page: right of the column of
// controls and below the network panel's band, on into whatever room the
// window has right of and below the page. The chart is drawn only there, so
// however it is zoomed and dragged it never runs under the panel or through
// the controls; at zoom 1 in its start place all of it, labels and caption
// included, lies inside.
inline constexpr double kChartAreaLeft = 4300;
inline constexpr double kChartAreaTop = 1960;
bool InChartArea(double x, double y);
// Confines what is drawn next to the chart's area, until surf.Unclip().
void ClipToChartArea(Surface& surf);

// PointRho when the reflection coefficient is unbounded (z = -1, or an input
// that is not a finite number).
inline constexpr double kUnboundedRho = 1.0e12;

struct PagePoint {
    double x = 0, y = 0;  // already rounded to 32-bit floats
    bool valid = false;   // false: no finite point exists; draw nothing
};

struct Gamma {
    double u = 0, v = 0;  // reflection coefficient u + jv
    double rho = 0;
    bool finite = false;
};

// Reflection coefficient of R + jX ohms normalised to systemZ.
Gamma GammaOf(double r, double x, double systemZ);

// Page point of an impedance. The point is valid when gamma is finite; it is
// then inside the +-kPageLimit box only if it lies there, so callers that
// join points must clip (see ClipSegment) rather than clamp.
PagePoint ToPage(const ChartGeometry& g, double systemZ, double r, double x,
                 double* rho = nullptr);

// The screen mapping: also leaves |gamma| in s.PointRho (kUnboundedRho when
// gamma is not finite).
PagePoint ToPage(SessionState& s, double r, double x);

// A page point read back as a reflection coefficient: the inverse of ToPage.
struct ChartPoint {
    double u = 0, v = 0;   // gamma = u + jv
    double rho = 0;        // |gamma|
    double angleDeg = 0;   // angle of gamma in degrees, (-180, 180]
};

// The reflection coefficient at page point (x, y), gamma = (x - centerX,
// centerY - y) / radius, worked out as angle and magnitude first and u, v
// from those, so that values derived from u, v agree with the angle shown
// beside them. Every result is finite:
//   - exactly above or below the centre the offset counts as 1E-6 twip to
//     the right, so the angle is +-90 and never divides by zero;
//   - exactly on the rim rho is 0.999999999999, just inside, where the VSWR
//     and the impedance of the open circuit are still finite;
//   - without a chart (a radius of 0 or not finite, as before the page has
//     opened) every point is outside the rim: rho = 2.
ChartPoint FromPage(const ChartGeometry& g, double pi, double x, double y);

// The impedance systemZ (1 + gamma) / (1 - gamma) in ohms of gamma = u + jv;
// gamma = 1 exactly is an open (kOpenOhms).
Impedance ImpedanceOfGamma(double u, double v, double systemZ);

// Clips the segment to the +-kPageLimit box, keeping its direction. Returns
// false when nothing of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2);

// Whether (x, y) lies in the +-kPageLimit box (a point outside it is not
// drawn on its own; a segment reaching out is clipped).
inline bool InPageBox(double x, double y) {
    return x >= -kPageLimit && x <= kPageLimit && y >= -kPageLimit && y <= kPageLimit;
}

// A coordinate brought into the +-kPageLimit box and rounded to a 32-bit
// float; NaN becomes 0. For shapes that stay near the chart (grids, frame,
// labels), whose only way off the page is a centre dragged away.
double PageCoord(double v);

}  // namespace qv

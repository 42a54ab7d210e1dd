// The two grid families of the chart, each a set of stepped polylines plus
// fourteen value labels, and the grid-type switch that chooses between them.
#pragma once

#include <cstdint>

#include "chart/ChartGeometry.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

// What one grid type draws and in which colours (0x00BBGGRR).
struct GridScheme {
    bool admittanceFirst = false;  // draw order when both are drawn
    bool drawAdmittance = false;
    bool drawImpedance = false;
    Colour admittanceColour = 0;  // meaningful only when drawAdmittance
    Colour impedanceColour = 0;   // meaningful only when drawImpedance
    Colour frameColour = 0;
};

// Grid types 1..6. Any other value draws no grid and a red frame, as 6 does.
GridScheme GridSchemeFor(int gridType);

// The `cmdDisplay` step: 1, 2, ... 6, 1. Values outside 1..6 restart at 1.
std::int16_t NextGridType(std::int16_t gridType);

// One polyline of a grid: a runs from a0 while a <= a1 in steps of s
// (degrees, repeated 64-bit addition), P(a) = (ox + kx*cos a, oy + ky*sin a).
// The first point is a dot. Returns the number of points drawn.
int StepPolyline(Surface& surf, double pi, double a0, double a1, double step, double ox,
                 double kx, double oy, double ky);

// Constant-resistance circles, constant-reactance arcs and their labels in
// s.ImpedanceGridColour. The line width is the caller's (1 on the screen).
void DrawImpedanceGrid(const SessionState& s, Surface& surf, const ChartGeometry& g,
                       double lineWidth = 1);

// Constant-susceptance arcs, constant-conductance circles and their labels in
// s.AdmittanceGridColour; leaves the text colour black.
void DrawAdmittanceGrid(const SessionState& s, Surface& surf, const ChartGeometry& g,
                        double lineWidth = 1);

}  // namespace qv

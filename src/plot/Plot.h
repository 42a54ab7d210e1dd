// The band at a glance: return loss, VSWR and |rho| against frequency over
// the current sweep, with markers at the test frequency and at the best
// match and the VSWR 2 and 10 dB return-loss bands. Drawn on a qv::Surface
// like the chart, so the plot page, its printout, the picture files and the
// tests all see one display list.
#pragma once

#include <string>
#include <vector>

#include "calc/Bandwidth.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

enum class PlotTrace { ReturnLoss, Vswr, Rho };

// What the plot shows: the sweep in ascending frequency, its bands and the
// point at the test frequency.
struct PlotData {
    std::vector<SweepSample> samples;
    Bandwidth band;
    bool hasTest = false;
    SweepSample test;
    std::string name;  // the design's file name, for the title; may be empty
};

// Runs the sweep the sweep set-up describes (ComputeSweep, so the plot, the
// chart's trace and the table show the same numbers) and the network at the
// test frequency. Nothing is swept when SweepReady is false. TestFrequency
// and SweepPoints are as before afterwards.
PlotData CollectPlotData(SessionState& s);

// A rectangle of the surface in its logical units (twips).
struct PlotRect {
    double left = 0, top = 0, width = 0, height = 0;
};

// The plot page's picture and the picture files: 12000 x 8000 twips.
inline constexpr double kPlotWidth = 12000;
inline constexpr double kPlotHeight = 8000;

// Margins of the plot box inside the rectangle: room for the title and
// legend above, the axis labels at the sides, the frequency labels and the
// four lines of figures below.
inline constexpr double kPlotBoxLeft = 1300, kPlotBoxRight = 1300;
inline constexpr double kPlotBoxTop = 900, kPlotBoxBottom = 2000;

inline constexpr Colour kReturnLossColour = Rgb(17, 17, 221);
inline constexpr Colour kVswrColour = Rgb(221, 17, 17);
inline constexpr Colour kRhoColour = Rgb(238, 136, 17);
inline constexpr Colour kGridColour = Rgb(215, 215, 215);
inline constexpr Colour kVswrBandColour = Rgb(222, 245, 222);
inline constexpr Colour kVswrBandEdgeColour = Rgb(17, 136, 17);
inline constexpr Colour kReturnLossBandColour = Rgb(205, 220, 250);

// A value axis: its range and tick step, and the limit line it carries.
struct PlotAxis {
    double low = 0, high = 1, step = 0.1;
};
inline constexpr double kReturnLossAxisTop = 50;
// The axis a trace gets for the data: return loss 0 to the next multiple of
// 10 dB at or above the largest (20 to 50), VSWR 1 to 3, 5 or 10
// (larger values run off the top), |rho| 0 to 1.
PlotAxis AxisFor(PlotTrace trace, const PlotData& data);
// The frequency ticks: a step of 1, 2 or 5 times a power of ten giving at
// most `most` ticks within [low, high], and the first tick.
PlotAxis FrequencyTicks(double low, double high, int most = 10);

// "14.2 MHz", "500 kHz".
std::string FrequencyText(double hz);

// The four lines of figures under the plot: the test point, the best match,
// the VSWR 2 band and the 10 dB return-loss band.
std::vector<std::string> PlotFigures(const PlotData& data);

// Draws the plot into `area`: title and legend, a grid, the axes of the
// first trace (left) and of the second (right), the traces, the bands, the
// markers and the figures. One or two traces; more are ignored, none draws
// the first. Without samples the box carries a note instead of traces.
void DrawPlot(Surface& surf, const PlotData& data, const std::vector<PlotTrace>& traces,
              const PlotRect& area);

}  // namespace qv

// The one full redraw of the Analysis page's chart. Every change on the page
// ends here; nothing on the chart is updated piecemeal.
#pragma once

#include <functional>
#include <string>

#include "chart/ChartGeometry.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

// Pieces drawn by other folders, called at their place in the drawing order.
// An empty networkPanel draws nothing; an empty overlays or sweepTrace draws
// the chart's own (DrawQArcs and DrawVswrCircle, DrawSweep), each only while
// its switch is on.
struct ChartHooks {
    // The network panel; it wipes its band white and sets PanelEdge, which
    // the colour key after it reads.
    std::function<void(Surface&)> networkPanel;
    // The Q arcs, then the VSWR circle.
    std::function<void(Surface&)> overlays;
    // The sweep trace, last.
    std::function<void(Surface&)> sweepTrace;
    // Told the state `cmdTabulate` takes whenever the chart's own sweep trace
    // ran; not called while SweepOn is 0, so the button keeps its state.
    std::function<void(bool)> tabulateEnabled;
};

// "Chart normalized to 50 ohms".
std::string ChartCaption(double systemZ);

// Real axis (width 1), rim (width 2, 121 points), caption at the chart's
// bottom-left corner in black; leaves line width 1.
void DrawChartFrame(const SessionState& s, Surface& surf, const ChartGeometry& g,
                    Colour frameColour);

// What the chart's backdrop (grids, frame, caption) depends on: a page may
// keep the backdrop's picture while this stays the same.
struct ChartBackdrop {
    float centerX = 0, centerY = 0, radius = 0;
    std::int16_t gridType = 0;
    double systemZ = 0;
    Colour admittanceColour = 0, impedanceColour = 0;
    double pi = 0;
    bool operator==(const ChartBackdrop&) const = default;
};

// Sets the grid colours of GridType and returns what the backdrop now
// depends on.
ChartBackdrop SetGridColours(SessionState& s);

// The two layers of RedrawChart, for a page that keeps the backdrop's
// picture and draws only the foreground on every change: the backdrop (grid
// colours set, grids, frame and caption) and the foreground (network panel,
// arcs and colour key, overlays, sweep trace), which starts with the pen as
// the backdrop leaves it. Neither clears the surface. Everything but the
// panel is clipped to the chart's area (kChartAreaLeft, kChartAreaTop).
void DrawChartBackdrop(SessionState& s, Surface& surf);
void DrawChartForeground(SessionState& s, Surface& surf, const ChartHooks& hooks);

// Clears the surface, sets the grid colours of GridType and draws, in order:
// the grids, the frame and caption, the network panel, the element arcs and
// colour key, the overlays and the sweep trace. Draws on the screen
// geometry (ChartCenterX, ChartCenterY, ChartRadius). Does not set the font:
// labels use the page's font.
void RedrawChart(SessionState& s, Surface& surf, const ChartHooks& hooks = {});

}  // namespace qv

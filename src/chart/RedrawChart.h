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

// Clears the surface, sets the grid colours of GridType and draws, in order:
// the grids, the frame and caption, the network panel, the element arcs and
// colour key, the overlays and the sweep trace. Draws on the screen
// geometry (ChartCenterX, ChartCenterY, ChartRadius). Does not set the font:
// labels use the page's font.
void RedrawChart(SessionState& s, Surface& surf, const ChartHooks& hooks = {});

}  // namespace qv

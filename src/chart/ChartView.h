// The chart's view controls as pure logic: opening the page, zoom in/out,
// reset, the right-button drag and the dispatch of mouse events. Each call
// changes SessionState and the page-level ChartPage, and says what the page
// must do next (redraw, pick a part, show or hide the readout); the page
// applies the enabled states and colours to its controls.
#pragma once

#include <cstdint>
#include <optional>

#include "chart/Readout.h"
#include "drawing/MouseButtons.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

// Switch buttons show their state by background colour.
inline constexpr Colour kSwitchOnColour = Rgb(238, 255, 238);
inline constexpr Colour kSwitchOffColour = Rgb(224, 224, 224);
constexpr Colour SwitchColour(bool on) { return on ? kSwitchOnColour : kSwitchOffColour; }

inline constexpr float kMinZoom = 1.0f;
inline constexpr float kMaxZoom = 8.0f;

// Page-level state of the Analysis page's chart; lives as long as the page.
struct ChartPage {
    double dragOriginX = 0, dragOriginY = 0;  // where the last drag step ended
    bool zoomInEnabled = true;                // cmdIn
    bool zoomOutEnabled = true;               // cmdOut
};

// Button colours the page applies after opening.
struct SwitchColours {
    Colour arcs, qArcs, vswr, sweep;
};

// The chart's part of opening the page: ChartCenterY back to its start, the
// radius from the zoom, both zoom buttons enabled, overlay values of 0 and
// ArcsSwitch 0 replaced by their starting values. The page then sets the
// tune-step options, draws and calls RedrawChart.
SwitchColours OpenChartView(SessionState& s, ChartPage& page);

// The three view buttons. Each leaves the state ready for RedrawChart, which
// the page calls next.
void ZoomIn(SessionState& s, ChartPage& page);
void ZoomOut(SessionState& s, ChartPage& page);
void ResetView(SessionState& s, ChartPage& page);

// Mouse buttons as the page hands them (drawing/MouseButtons.h): 1 left,
// 2 right; anything else (0, both held = 3) neither reads out nor drags, but
// still picks a part.

struct MouseResult {
    bool pickPart = false;  // hand the position to the part pick
    bool redraw = false;    // the view moved: run RedrawChart
    // The readout to apply; hideReadout asks the page to hide all fourteen
    // value and caption labels.
    std::optional<Readout> readout;
    bool hideReadout = false;
};

// Presses above y = 1500 left of PanelEdge[5] pick a part (any button);
// presses below y = 1500 read out (left) or start a drag (right). A press
// at exactly y = 1500 does neither.
MouseResult ChartMousePress(const SessionState& s, ChartPage& page, int button, float x,
                            float y);

// Left held: readout wherever the pointer is (it hides itself outside the
// rim and outside the chart's area). Right held and y > 2000: move the chart by the distance since the
// last drag step. The centre is not limited; RedrawChart copes with a chart
// dragged wholly off the page.
MouseResult ChartMouseMove(SessionState& s, ChartPage& page, int button, float x, float y);

// Any release hides the readout.
MouseResult ChartMouseRelease();

}  // namespace qv

// The two optional overlays that help judge a match: a pair of constant-Q
// arcs and a constant-VSWR circle, each with a small value label in the
// column of labels at the chart's bottom-left corner. Drawn after the
// element arcs, Q arcs first; the printed chart draws them on its own
// geometry.
#pragma once

#include <cstdint>
#include <string>

#include "chart/ChartGeometry.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

inline constexpr Colour kQArcColour = Rgb(17, 187, 187);
inline constexpr Colour kVswrCircleColour = Rgb(136, 17, 17);

// The ranges the set-up dialogs accept, both ends included.
inline constexpr float kMinQ = 0.1f;
inline constexpr float kMaxQ = 20.0f;
inline constexpr float kDefaultOverlayValue = 2.0f;
inline constexpr float kMinVswr = 1.01f;
inline constexpr float kMaxVswr = 20.0f;

// How far above the chart's bottom edge each label box starts (boxes are
// 200 high); the sweep end labels sit at 800 and 600.
inline constexpr double kQLabelRise = 400;
inline constexpr double kVswrLabelRise = 200;
inline constexpr double kLabelBoxWidth = 1500;
inline constexpr double kLabelBoxHeight = 200;

// The shortest decimal text that reads back as the same 32-bit float:
// 2 -> "2", 0.5 -> "0.5", 0.1f -> "0.1".
std::string ShortestText(float value);

// The Q the arcs are drawn with: above 20 -> 20, then 0 (or no number at
// all) -> 2, then below 0.1 -> 0.1.
float CorrectedQ(float q);

// |gamma| of the VSWR circle, (S - 1) / (S + 1). Values the circle cannot
// mean (below 1, or not a number) give 0, a dot at the centre; an infinite
// VSWR gives the rim.
double VswrCircleRho(float vswr);

// Both do nothing while their switch is off. DrawQArcs stores the range
// correction back into QCircleValue.
void DrawQArcs(SessionState& s, Surface& surf, const ChartGeometry& g);
void DrawVswrCircle(const SessionState& s, Surface& surf, const ChartGeometry& g);

// The on/off buttons: 0 -> 1 -> 0 (anything else goes to 0). Return true
// when the overlay is now on, which is when the button shows the on colour.
bool ToggleQArcs(SessionState& s);
bool ToggleVswrCircle(SessionState& s);

}  // namespace qv

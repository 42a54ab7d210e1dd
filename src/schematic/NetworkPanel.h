// The Analysis page's network panel: the ladder drawn small across the top of
// the page, with the values that matter while tuning (reactances at the test
// frequency), a green frame round the part being tuned and the right edge of
// every part recorded in SessionState::PanelEdge for picking.
#pragma once

#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

inline constexpr Colour kPanelFrameColour = 0x11FF11;
inline constexpr Colour kPanelSeparatorColour = 0xFFAAAA;
inline constexpr double kPanelBottom = 1960;  // the band wiped before drawing

// The colour that ties stage 1..5 to its arc on the chart; black otherwise.
Colour StageArcColour(int stage);

// The panel's font: the page's font at 0.0008 times the screen height in
// twips (a 768-line screen at 15 twips a pixel by default).
FontSpec PanelFont(double screenHeightTwips = 768 * 15, const std::string& name = "Arial");

// The texts under stage 1..5 on the panel, top row first; none for an empty
// stage. A reactance that cannot be shown (a zero capacitance, an L-C pair
// exactly at resonance) leaves its row out.
std::vector<std::string> PanelValueTexts(const SessionState& s, int stage);

// Wipes the band and draws the panel; does nothing while the test frequency
// is not above zero. Writes PanelEdge and leaves SymbolColour at 0.
void DrawNetworkPanel(SessionState& s, Surface& g, const FontSpec& font = PanelFont());

}  // namespace qv

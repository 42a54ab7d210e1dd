// The network drawn as a ladder: load at the left, stages 1 to 5 each after a
// stage boundary, generator at the right, with every element's values
// written under its symbol. The Design page redraws it after every edit; the
// printed sheet draws the same ladder in its own style.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "schematic/Symbols.h"
#include "session/SessionState.h"
#include "session/StageRules.h"

namespace qv {

// Right edge of the load (0) and of stages 1 to 5, for picking.
using StageEdges = std::array<std::int16_t, 6>;


// The value texts printed under a stage, top row first; empty when the
// values are too incomplete to show. An empty stage gives "(Wire)" when the
// style asks for it.
std::vector<std::string> StageValueTexts(const SessionState& s, int stage,
                                         const SymbolStyle& style);

// The load symbol at the pen, by the sign of Value(0,2), and its value text
// ("50 ", "50  +j25 ", "50  -j25 ") placed left of where the pen ends.
void DrawLoad(SessionState& s, Surface& g, const SymbolStyle& style);

// Draws the whole ladder from style.penStartX/Y, value texts included, and
// fills `edges` with the pen x after each part plus style.edgeMargin. Does
// not clear the surface.
void DrawLadder(SessionState& s, Surface& g, const SymbolStyle& style, StageEdges& edges);

// The Design page's redraw: clears the surface (palette, preview and frames
// go with it) and draws the ladder in the Design page style, leaving the
// stage edges the page picks by in `stageRightEdge`.
void RedrawSchematic(SessionState& s, Surface& g, StageEdges& stageRightEdge);

}  // namespace qv

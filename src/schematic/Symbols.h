// The schematic-symbol family: one drawing per element type plus the wire
// segment, the stage boundary, the vertical resistor, the load and the
// generator. Every surface that shows the network (Design page, the Analysis
// page's panel, the printed sheet, the opening page) draws with these, so a
// symbol looks the same everywhere and only the per-surface proportions in
// SymbolStyle differ.
//
// Each procedure draws relative to the shared pen (SessionState::PenX, PenY)
// in SessionState::SymbolColour and leaves PenX at the symbol's right end;
// PenY never changes. The signal rail runs at PenY and the return rail at
// PenY + 1040 x scale, and every symbol draws its share of both, so that
// consecutive symbols join into one continuous ladder.
#pragma once

#include <cstdint>

#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

// Who decides the colour of an element symbol when a whole ladder is drawn.
enum class SymbolColourRule {
    MarkInvalid,  // black, red for a stage whose values fail validation
    MarkPicked,   // black, a near-black marker colour for the part being tuned
    Black,        // always black (paper)
    AsSet,        // whatever the caller left in SymbolColour
};

// The proportions and conventions of one drawing surface.
struct SymbolStyle {
    double penStartX = 2000;
    double penStartY = 1000;
    double wire = 160;   // length of one wire segment
    double scale = 1.0;  // every other length: offsets, radii, body widths
    SymbolColourRule colourRule = SymbolColourRule::MarkInvalid;

    // Value texts: first row and row pitch, both below PenY.
    double firstTextRow = 1200;
    double textRowStep = 200;
    bool wireCaption = true;  // "(Wire)" under an empty stage
    bool loadCaption = true;  // "LOAD" under the load, one row below its value

    // Load value text: a pure resistance starts loadTextInset left of the
    // pen; a complex load starts loadComplexInset plus loadCharWidth per
    // character of the two numbers left of it, a right-aligned estimate.
    double loadTextInset = 800;
    double loadComplexInset = 600;
    double loadCharWidth = 60;
    int loadWireSegments = 3;  // after the load resistor when X = 0

    // Added to the pen x when a part's right edge is recorded for picking.
    double edgeMargin = 150;
};

// The four surfaces.
SymbolStyle DesignPageStyle();
SymbolStyle NetworkPanelStyle();
SymbolStyle PrintedPageStyle(double printScale = 1.2);
SymbolStyle OpeningPageStyle();

// Light blue of the Design page's stage boundaries.
inline constexpr Colour kStageBoundaryColour = Rgb(204, 204, 255);
// The symbol colour of a stage whose values fail validation.
inline constexpr Colour kInvalidSymbolColour = Rgb(255, 0, 0);

// How far the pen moves for an element code (codes outside 1..13 draw as the
// empty stage).
double SymbolWidth(int code, const SymbolStyle& style);

// Wire segment on both rails; PenX += style.wire.
void DrawWireSegment(SessionState& s, Surface& g, const SymbolStyle& style);
// Wire segment, light-blue divider, wire segment.
void DrawStageBoundary(SessionState& s, Surface& g, const SymbolStyle& style);
// The symbol of an element code, including the empty stage's plain wire.
void DrawElementSymbol(SessionState& s, Surface& g, const SymbolStyle& style, int code);
// A resistor standing between the rails at the pen; the pen does not move.
void DrawVerticalResistor(SessionState& s, Surface& g, const SymbolStyle& style);
// The load: a vertical resistor, then by the sign of the reactance a series
// inductor (X > 0), a series capacitor (X < 0) or plain wire.
void DrawLoadSymbol(SessionState& s, Surface& g, const SymbolStyle& style, double reactance);
// The generator, always black; the pen does not move.
void DrawGenerator(SessionState& s, Surface& g, const SymbolStyle& style);

// Rounds a pen position to the 16-bit edge the pick code compares with:
// halves to even, clamped to the 16-bit range.
std::int16_t EdgeFromPen(double x);

}  // namespace qv

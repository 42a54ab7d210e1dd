// The element arcs: each stage's element value walked from a neutral value
// (one that leaves the impedance unchanged) to its actual value, with the
// whole network recomputed at every step, so that the arc shows exactly what
// the calculation does with losses, lines and stubs. Plus the colour key
// that ties each arc colour to its stage in the network panel.
#pragma once

#include <array>
#include <cstdint>

#include "chart/ChartGeometry.h"
#include "drawing/Surface.h"
#include "session/SessionState.h"

namespace qv {

inline constexpr int kArcSteps = 1000;

// ArcsSwitch values; 0 means "page not opened yet" and draws the arcs but
// no key.
inline constexpr std::int16_t kArcsOff = 1;
inline constexpr std::int16_t kArcsOn = 2;

// Arc colours of stages 1..5 (index 0 unused).
using StageColours = std::array<Colour, 6>;
inline constexpr StageColours kStageColours = {
    kBlack,           Rgb(17, 17, 255),  Rgb(221, 17, 17),
    Rgb(17, 187, 187), Rgb(238, 153, 17), Rgb(17, 187, 17),
};

// The load-table row the arcs (and the printout's input point) are computed
// at: in table mode (LoadTable) the middle row Int(SweepPoints / 2) + 1,
// else row 1. SweepPoints normally counts the rows read from the load file,
// but a network or last-session file read later may change it; the row is
// therefore kept within 1..SweepPoints and 1..1000, so Math is never handed
// an index outside the table. It cannot tell whether SweepPoints still
// matches the rows actually read; that needs a row count kept by whoever
// reads the table.
std::int16_t ArcLoadRow(const SessionState& s);

// Puts each of stages 1..5 at its neutral value (types outside 1..13 are
// left alone).
void SetNeutralValues(SessionState& s);

// Sets stage `stage` to step t of its walk, from the saved values `saved`.
void SetArcStep(SessionState& s, int stage, float t,
                const std::array<std::array<double, kValueSlots>, kStageSlots>& saved);

// The input impedance at every step of the five arcs, stage by stage
// (index 0 unused).
struct ArcPoints {
    std::array<std::array<double, kArcSteps>, kLastStage + 1> R, X;
};

// What the arcs show, as Math computes it at every step, worked out by
// stage: the stages before the walked one once per arc, the walked stage and
// those after it as one batch over the arc's points. Value is restored bit
// for bit; LoadPointIndex, CurrentR, CurrentX and, in table mode,
// TestFrequency are left as Math leaves them at the last point.
void ComputeElementArcs(SessionState& s, ArcPoints& points);

struct ArcStyle {
    double arcWidth = 2;   // the arcs and start markers
    double restWidth = 1;  // left set afterwards
    StageColours colours = kStageColours;
};

// Draws the five arcs with their start markers about geometry g, then the
// colour key (screen only: it reads PanelEdge). Does nothing when
// ArcsSwitch is 1. Value is restored bit for bit; LoadPointIndex, CurrentR,
// CurrentX, PointRho, ArcColour and, in table mode, TestFrequency are left as
// the last point set them.
//
// Points whose impedance has no finite reflection coefficient (z = -1) are
// skipped and the arc resumes with a fresh dot after them; segments reaching
// far off the page are clipped to the +-kPageLimit box.
void DrawElementArcs(SessionState& s, Surface& surf, const ChartGeometry& g,
                     const ArcStyle& style = {});

// Filled bars from (PanelEdge[s-1], 15) to (PanelEdge[s], 45) in each filled
// stage's colour; only when ArcsSwitch is 2.
void DrawStageColourKey(const SessionState& s, Surface& surf);

// The `cmdArcs` step: 1 -> 2 -> 1 (0 goes to 1). Returns true when the arcs
// are now on, which is when the button shows the on colour.
bool ToggleArcs(SessionState& s);

}  // namespace qv

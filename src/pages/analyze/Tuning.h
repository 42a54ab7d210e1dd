// The arithmetic behind the Analysis page's tuning controls: which part a
// press in the network panel picks, what each tuning row shows for a part,
// and how a step moves a value. Pure; the page parses, applies and redraws.
#pragma once

#include <optional>
#include <string>

#include "session/SessionState.h"

namespace qv {

// TuneStage when nothing is picked.
inline constexpr std::int16_t kNothingPicked = 11;
// How far left of the load's right edge a press still picks the load.
inline constexpr double kLoadPickWidth = 1600;

// The part under a press at x in the panel band: 0 the load, 1..5 a stage,
// nothing left of the load or right of the last part. Edges belong to the
// part on their left; an empty stage has no width and is never picked.
std::optional<std::int16_t> PickedPart(const SessionState& s, float x);

// True for the parts a tuning row can work on (the load and stages 1..5);
// TuneStage is 11 until something is picked and must not index the tables.
constexpr bool IsTunablePart(int stage) { return stage >= 0 && stage <= kLastStage; }

// Value slot tuned by the bottom row for an element code: 2 (the load's
// reactance) for 0, 3 (the capacitance) for the L-C pairs, 0 for none.
int BottomSlot(int code);

// True when the part has a bottom row (the load and the L-C pairs).
inline bool HasBottomRow(int code) { return BottomSlot(code) != 0; }

struct TuningTexts {
    std::string top, bottom;                // value texts for txtZ1, txtZ2
    std::string topCaption, bottomCaption;  // captions of cmdZ1, cmdZ2
};

// The texts of both rows for a part, from its element code and values;
// all empty for codes outside 0..13.
TuningTexts TextsFor(const SessionState& s, int stage);

enum class StepMode : std::uint16_t { Geometric = 0, Arithmetic = 1 };

// The step fraction: TuneSize x k / ChartZoom, in double from the stored
// floats. A zoom that is not a usable divisor counts as 1, so a step never
// yields NaN or infinity.
double StepFraction(float tuneSize, double k, float zoom);

// One step of value v. Geometric multiplies by (1 + f) up and divides by it
// down, so down undoes up; arithmetic moves by ref x f. Any other mode
// leaves v alone.
double Stepped(double v, std::uint16_t mode, float ref, double f, bool up);

}  // namespace qv

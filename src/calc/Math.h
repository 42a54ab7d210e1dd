// The network's input impedance at one frequency and one load point.
#pragma once

#include <cstdint>
#include <optional>

#include "calc/Impedance.h"
#include "session/SessionState.h"

namespace qv {

// The program's evaluation of its present state: the load and frequency are
// s.Value(0, 1..2) and s.TestFrequency, or, in load-table mode (LoadMode other
// than SingleLoad), table row loadIndex, whose frequency then stays in
// s.TestFrequency. Returns the input impedance and also leaves it in
// s.CurrentR, s.CurrentX, where the pages read it. Without a frequency above
// 0 nothing is computed and the previous CurrentR, CurrentX come back. Never
// produces NaN or infinity; |R|, |X| are at most kOpenOhms. A network with a
// line or stub leaves VelocityFactor at 1.
Impedance Math(SessionState& s, std::int16_t loadIndex);

// For batch code (synthesis, the optimiser, the sweep), which must not
// change the session it evaluates:

// What Math returns, without any of its writes; nothing where Math computes
// nothing (no TestFrequency above 0).
std::optional<Impedance> InputImpedance(const SessionState& s, std::int16_t loadIndex);

// The input impedance with `load` (taken as Math takes a load) at frequency
// f, whatever the session's own load and frequency.
Impedance InputImpedanceAt(const SessionState& s, double f, Impedance load);

// What Math leaves behind besides its result, for the batches that stand for
// Math called point by point (the sweep, the element arcs): `last` in
// CurrentR, CurrentX, where a later Math without a frequency finds its
// previous result, and VelocityFactor 1 if `computed` and the network has a
// line or stub.
void LeaveAsMath(SessionState& s, Impedance last, bool computed);

}  // namespace qv

// The network's input impedance at one frequency and one load point.
#pragma once

#include <cstdint>

#include "calc/Impedance.h"
#include "session/SessionState.h"

namespace qv {

// The program's evaluation of its present state: the load and frequency are
// s.Value(0, 1..2) and s.TestFrequency, or, in load-table mode (LoadMode other
// than SingleLoad), table row loadIndex, whose frequency then stays in
// s.TestFrequency. Returns the input impedance and also leaves it in
// s.CurrentR, s.CurrentX, where the pages read it. Without a frequency above
// 0 nothing is computed and the previous CurrentR, CurrentX come back. Never
// produces NaN or infinity; |R|, |X| are at most kOpenOhms.
Impedance Math(SessionState& s, std::int16_t loadIndex);

}  // namespace qv

// The network's input impedance at one frequency and one load point.
#pragma once

#include <cstdint>

#include "session/SessionState.h"

namespace qv {

// Walks stages 1..5 from the load towards the generator and leaves the input
// impedance in s.CurrentR, s.CurrentX. In load-table mode (LoadMode != 1) the
// load and s.TestFrequency come from table row loadIndex. Never produces NaN
// or infinity.
void Math(SessionState& s, std::int16_t loadIndex);

}  // namespace qv

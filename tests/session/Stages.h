// Sessions and stages set up for a test in one line each.
#pragma once

#include <cstdint>

#include "session/SessionState.h"

namespace qv::test {

// The default network on the single load, as the pages leave it at start.
inline SessionState Fresh() {
    SessionState s;
    InitSession(s);
    ResetNetwork(s);
    s.LoadMode = SingleLoad;
    return s;
}

// Stage `stage` becomes element `code` with its value slots 1, 2, ... set
// to `values`; the other slots stay as they are.
template <class... V>
void SetStage(SessionState& s, int stage, int code, V... values) {
    s.ElementType[stage] = static_cast<std::int16_t>(code);
    int slot = 1;
    ((s.Value[stage][slot++] = static_cast<double>(values)), ...);
}

// Sweep point i holds these results, as the sweep leaves them.
inline void SetSweepPoint(SessionState& s, int i, double f, double r, double x, double rho,
                          double angleDeg, double vswr) {
    s.SweepFreq[i] = f, s.SweepR[i] = r, s.SweepX[i] = x;
    s.SweepRho[i] = rho, s.SweepRhoAngle[i] = angleDeg, s.SweepVswr[i] = vswr;
}

}  // namespace qv::test

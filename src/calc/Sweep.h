// The frequency sweep: the input impedance at every sweep point, into the
// SessionState result arrays. Drawing the trace is the chart's business.
#pragma once

#include "session/SessionState.h"

namespace qv {

// Fills SweepFreq, SweepR, SweepX, SweepRho, SweepRhoAngle and SweepVswr at
// indices 0..N-1 and returns N. With the single load the points are evenly
// spaced from SweepStart to SweepStop; with a load table they are the table
// rows. TestFrequency and SweepPoints are as before afterwards.
int ComputeSweep(SessionState& s);

}  // namespace qv

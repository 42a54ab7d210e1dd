// The frequency sweep: the input impedance at every sweep point, into the
// SessionState result arrays. Drawing the trace is the chart's business.
#pragma once

#include "session/SessionState.h"

namespace qv {

// Fills SweepFreq, SweepR, SweepX, SweepRho, SweepRhoAngle and SweepVswr at
// indices 0..N-1 and returns N. With the single load the points are evenly
// spaced from SweepStart to SweepStop; with a load table they are the table
// rows. TestFrequency and SweepPoints are as before afterwards.
//
// N is SweepPoints, bounded to what the arrays hold: 2001 points with the
// single load (SingleLoad), table rows 1..1000 with a table (LoadTable); a
// SweepPoints below 1, or any other LoadMode, computes nothing. A one-point
// single-load sweep computes SweepStart only. Rho and angle come from
// ReflectionOf, so a point with rho = 1 stores VSWR kVswrLimit.
int ComputeSweep(SessionState& s);

}  // namespace qv

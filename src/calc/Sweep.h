// The frequency sweep: the input impedance at every sweep point, into the
// SessionState result arrays. Drawing the trace is the chart's business.
#pragma once

#include <vector>

#include "session/SessionState.h"

namespace qv {

// A sweep's points as ComputeSweep computes them, index 0..points-1.
struct SweepResult {
    int points = 0;
    bool computed = false;  // at least one point had a frequency above 0
    std::vector<double> freq, R, X, rho, angleDeg, vswr;
};

// The points a sweep of s computes, and so the rows the tabulated list and
// the result files hold: SweepPoints bounded to the arrays, and with a load
// table never beyond its rows read (a design read in over a table brings
// its own count, and rows past the table would show an earlier sweep).
int SweepPointCount(const SessionState& s);

// The sweep of s into `out` (its storage is reused), without touching s: for
// batch code such as the optimiser. A single-load point without a frequency
// shows what the point before it showed, the first one CurrentR + jCurrentX.
void SweepOf(const SessionState& s, SweepResult& out);

// Fills SweepFreq, SweepR, SweepX, SweepRho, SweepRhoAngle and SweepVswr at
// indices 0..N-1 and returns N. With the single load the points are evenly
// spaced from SweepStart to SweepStop; with a load table they are the table
// rows. TestFrequency and SweepPoints are as before afterwards; CurrentR,
// CurrentX and VelocityFactor as Math point by point leaves them
// (LeaveAsMath).
//
// N is SweepPoints, bounded to what the arrays hold: 2001 points with the
// single load (SingleLoad), table rows 1..1000 with a table (LoadTable); a
// SweepPoints below 1, or any other LoadMode, computes nothing. A one-point
// single-load sweep computes SweepStart only. Rho and angle come from
// ReflectionOf, so a point with rho = 1 stores VSWR kVswrLimit.
int ComputeSweep(SessionState& s);

}  // namespace qv

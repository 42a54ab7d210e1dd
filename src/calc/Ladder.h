// The network walked stage by stage, for one point or for many at once.
// Math is built on the single-point pieces; the element arcs and the sweep
// use the batches, which give Math's results point by point but work out
// what is shared between the points only once: the stages before the one an
// arc walks, a stage's own impedance when neither its values nor the
// frequency change, and the arithmetic of each stage as one vectorised loop
// over all points.
#pragma once

#include <cstdint>

#include "calc/Transforms.h"
#include "session/SessionState.h"

namespace qv {

// What Math starts from at load row loadIndex.
struct LadderStart {
    bool computes = false;  // false: TestFrequency was not above 0, Math does nothing
    double f = 0;           // the frequency of the calculation
    Impedance z;  // the load; one that is not a number starts as a short
};

// A load as the network takes it: not a number counts as 0 (a damaged file
// starts as a short), |R| and |X| are held to kOpenOhms.
Impedance LoadAsTaken(double R, double X);

// Math's first steps: whether it computes, and the frequency and load it
// starts from (in load-table mode, LoadMode other than SingleLoad, the row's;
// Math then writes that frequency to TestFrequency).
LadderStart StartOf(const SessionState& s, std::int16_t loadIndex);

// Stages first..last applied to z at frequency f, as Math applies them.
Impedance ApplyStages(const SessionState& s, int first, int last, double f, Impedance z);

// Whether a line or stub is among stages 1..5 (a calculation through them
// sets VelocityFactor to 1).
bool HasLineOrStub(const SessionState& s);

// n points that differ only in stage `stage`'s slots 1 and 3 (v1[i], v3[i]),
// at one frequency f, all entering the network as z: the input impedance of
// each in R[i], X[i]. The stages before `stage` are worked out once.
void WalkStage(const SessionState& s, int stage, const double* v1, const double* v3, double f,
               Impedance z, double* R, double* X, int n);

// n points at frequencies f[i] entering the network as R[i] + jX[i]: the
// network applied to each, in place. Every f[i] must be above 0 (Math does
// nothing otherwise; the caller decides what such a point shows).
void ApplyNetwork(const SessionState& s, const double* f, double* R, double* X, int n);

}  // namespace qv

// Tuning several parts together for the best match across a band: the
// smallest worst-case VSWR over the sweep band (or, the same order told in
// dB, the largest worst-case return loss). The band is the sweep set-up:
// SweepPoints frequencies from SweepStart to SweepStop with the single load,
// the load table's rows with a table; it is evaluated by the sweep
// calculation itself, so the figures agree with the table and the trace.
#pragma once

#include <atomic>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "session/SessionState.h"

namespace qv {

// One value the optimiser may change: Value(stage, slot).
struct TunedValue {
    int stage = 0;
    int slot = 0;
    bool operator==(const TunedValue&) const = default;
};

// The values of a stage the optimiser tunes: the capacitance or inductance
// of a capacitor or inductor, the electrical length of a line or stub, the
// inductance and the capacitance of an L-C pair. Resistors, Q values, line
// impedances and empty stages are not tuned, nor a value of 0 or less,
// which has no scale to search around.
std::vector<TunedValue> TunedValuesOf(const SessionState& s, int stage);

// Stages 1..5 with at least one tuned value.
std::vector<int> TunableStages(const SessionState& s);

// True for the values a builder buys from a standard series (capacitances
// and inductances), false for line and stub lengths.
bool IsComponentValue(const SessionState& s, TunedValue v);

// How many frequencies the band holds; 0 when there is no band to optimise
// over (no sweep points, a limit of 0 or less, an empty load table).
int BandPoints(const SessionState& s);

// The worst (largest) VSWR over the band; kVswrLimit without a band.
double WorstVswr(const SessionState& s);

enum class OptimiseGoal { Vswr, ReturnLoss };

// The figure a goal is told in: the VSWR itself, or its return loss in dB.
double GoalFigure(OptimiseGoal goal, double vswr);

struct OptimiseProgress {
    int evaluations = 0;
    double seconds = 0;
    double fraction = 0;         // of the time allowed, 0..1
    double bestWorstVswr = 0;    // the best found so far
};

struct OptimiseOptions {
    std::vector<TunedValue> values;
    OptimiseGoal goal = OptimiseGoal::Vswr;
    // Each value stays within these multiples of its start value.
    double lowFactor = 0.1;
    double highFactor = 10;
    double timeLimitSeconds = 1.5;  // 0: no limit
    // The search stops after about this many evaluations of the band; 0: no
    // cap. Unlike the time, the same on every machine.
    int maxEvaluations = 0;
    // Set from anywhere (another thread, or the progress call) to stop; the
    // best found so far is kept.
    const std::atomic<bool>* cancel = nullptr;
    // Called about every 50 ms while the search runs, on the calling thread.
    std::function<void(const OptimiseProgress&)> progress;
};

struct OptimiseResult {
    std::vector<double> before, after;  // in the order of OptimiseOptions::values
    double worstVswrBefore = 0;
    double worstVswrAfter = 0;
    int evaluations = 0;
    double seconds = 0;
    bool cancelled = false;
};

// Searches the values for the least worst-case VSWR over the band, from the
// start values and a spread of other starting points, each search a
// derivative-free constrained minimax on the logarithms of the values.
// Never returns values worse than the start: with no band, no values or
// nothing better found, `after` equals `before`. `s` is not changed.
OptimiseResult Optimise(const SessionState& s, const OptimiseOptions& options);

// Writes `values` into the network at the places named by `tuned`.
void ApplyTunedValues(SessionState& s, std::span<const TunedValue> tuned,
                      std::span<const double> values);

struct SnapResult {
    std::vector<double> values;
    double worstVswr = 0;
};

// Snaps the capacitances and inductances among `values` to the series, each
// to its neighbour below or above, choosing the combination with the least
// worst-case VSWR over the band (every combination is tried up to 10
// component values, beyond that each is taken nearest). Lengths keep their
// values.
SnapResult SnapTunedValues(const SessionState& s, std::span<const TunedValue> tuned,
                           std::span<const double> values, std::span<const double> series);

}  // namespace qv

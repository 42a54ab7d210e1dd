// The band a match covers: where the sweep stays within VSWR 2 and within
// 10 dB return loss around its best point. Shared by the plot page, its
// printout, the pictures and `quendavore-calc sweep --bandwidth`.
#pragma once

#include <optional>
#include <vector>

#include "session/SessionState.h"

namespace qv {

inline constexpr double kBandVswr = 2.0;
inline constexpr double kBandReturnLossDb = 10.0;

// One sweep point as the plot and the band see it.
struct SweepSample {
    double frequency = 0;  // Hz
    double rho = 0;
    double vswr = 1;
    double returnLossDb = 0;
};

// The sweep result arrays (points 0..n-1, n bounded to what they hold) in
// ascending frequency; a load table need not be sorted. Points with a
// frequency that is not a finite number are left out.
std::vector<SweepSample> SweepSamples(const SessionState& s, int n);

// A stretch of frequency where a quantity stays within its limit.
struct Band {
    double low = 0, high = 0;  // Hz; an edge is interpolated between points
    // An edge that is the sweep's first or last point: the band may go on
    // beyond what was swept.
    bool openLow = false, openHigh = false;
    double Centre() const { return (low + high) / 2; }
    // Width as a percentage of the centre frequency; 0 for a zero centre.
    double Percent() const;
};

struct Bandwidth {
    bool any = false;  // false: no points
    double bestFrequency = 0, bestVswr = 0, bestReturnLossDb = 0, bestRho = 0;
    std::optional<Band> vswr2;  // none when even the best point is above VSWR 2
    std::optional<Band> rl10;   // none when even the best point is below 10 dB
};

// The bands are the ones around the best point (lowest VSWR, the first of
// equals): from it outwards to where VSWR first rises above 2 (return loss
// first falls below 10 dB). Each edge lies between the last point inside and
// the first outside, by straight-line interpolation of VSWR (return loss in
// dB) against frequency. `samples` must be in ascending frequency.
Bandwidth FindBandwidth(const std::vector<SweepSample>& samples);

}  // namespace qv

// Matching networks computed from the load: every L network, Pi and T
// networks for a loaded Q, and single-stub matches, each checked through
// Math and described by the VSWR and bandwidth the user chooses by.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "calc/Bandwidth.h"
#include "session/SessionState.h"

namespace qv {

enum class MatchTopology { L, Pi, T, Stub };

// "l", "pi", "t", "stub": the names quendavore-calc takes and prints.
const char* TopologyName(MatchTopology topology);

// A Q so large that its loss is far below the match tolerance; stored as
// the Q of lossless parts, since the Design page takes a Q of 0 as missing.
inline constexpr double kLosslessQ = 1E+12;

struct MatchRequest {
    bool l = true, pi = false, t = false, stub = false;
    double loadedQ = 0;     // Pi and T; 0 leaves them out
    double componentQ = 0;  // Q of every L and C; 0 = lossless
    double lineZ0 = 0;      // line and stubs; 0 = the system impedance
    // Standard values (StandardValues.h) for L and C; empty keeps them exact.
    std::span<const double> series;
};

// One stage as the Design page stores it: the element code and Value(s, 1..4).
struct MatchStage {
    std::int16_t code = EmptyStage;
    std::array<double, 5> value{};  // [1]..[4]; [0] unused
};

// "series L 728.5 nH", "shunt C 224.2 pF", "line 45.1 deg 50 ohm",
// "shunt open stub 30 deg 50 ohm".
std::string MatchStageText(const MatchStage& stage);
// The stage texts joined by " ; ".
std::string MatchStagesText(const std::vector<MatchStage>& stages);

struct MatchNetwork {
    std::vector<MatchStage> stages;  // stage 1 (next to the load) first
    double vswr = 1;                 // at the test frequency, through Math
    // Frequencies where the VSWR first rises above kBandVswr either
    // side of the test frequency (the sweep's limits where it never does);
    // both 0 when the VSWR at the test frequency is already above it.
    double bandwidthLow = 0, bandwidthHigh = 0;
    double BandwidthPercent(double frequency) const {
        return frequency > 0 ? (bandwidthHigh - bandwidthLow) / frequency * 100 : 0;
    }
};

struct MatchSolution {
    MatchTopology topology = MatchTopology::L;
    // "low-pass", "high-pass", "band-pass" for L and C networks; "" for stubs
    // and for a load that needs no network.
    std::string response;
    // False when the component Q leaves no values that match; `exact` then
    // holds the lossless values with that Q and the VSWR they give.
    bool reachable = true;
    MatchNetwork exact;
    bool snapped = false;  // a series was asked for and the network has L or C
    MatchNetwork standard;  // the values snapped to the series
};

struct MatchSet {
    std::vector<MatchSolution> solutions;
    // The load matched, the frequency and the load-table row it came from
    // (0 for the single load).
    double frequency = 0, loadR = 0, loadX = 0, systemZ = 0;
    int loadRow = 0;
    // The smallest loaded Q a Pi or T network can have on this load.
    double minimumPiQ = 0, minimumTQ = 0;
    // Why a requested topology gave nothing (one sentence each), e.g. a
    // loaded Q below the minimum or a load without resistance.
    std::vector<std::string> refusals;
};

// The load at the test frequency (with a load table, the row nearest to
// it) matched to SystemZ. s is not changed.
MatchSet SynthesizeMatches(const SessionState& s, const MatchRequest& request);

// A loaded Q to four significant digits, rounded up, so that a minimum
// stated this way is itself accepted: 1.7320508 gives "1.733".
std::string LoadedQText(double q);

// Replaces stages 1..5 with the network (the rest empty, values cleared).
void ApplyMatch(SessionState& s, const std::vector<MatchStage>& stages);

}  // namespace qv

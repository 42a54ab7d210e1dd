// What the fuzz targets require of a file written and read back: the fields
// come back as the format carries them. Doubles in the network file carry 15
// significant digits and the overlay values 7 (so they come back within half
// a unit of that digit, and a second round changes nothing at all); the CSV
// and Touchstone numbers carry 17 and come back bit for bit.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "session/SessionState.h"

// A broken requirement traps with what it was, so a finding explains itself.
#define QV_FUZZ_REQUIRE(condition)                                                      \
    do {                                                                                \
        if (!(condition)) {                                                             \
            std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
            __builtin_trap();                                                           \
        }                                                                               \
    } while (0)

namespace qv::fuzz {

// Half a unit of the last written digit, relative, plus the rounding of the
// read-back number to its own type.
inline constexpr double k15Digits = 0.5e-14 + 0x1p-52;
inline constexpr double k7Digits = 0.5e-6 + 0x1p-23;

inline bool Near(double written, double read, double relative) {
    if (written == read) return true;
    return std::fabs(read - written) <=
           relative * std::fabs(written) + std::numeric_limits<double>::denorm_min();
}

inline bool NearFloat(float written, float read) {
    if (written == read) return true;
    return std::fabs(static_cast<double>(read) - written) <=
           k7Digits * std::fabs(static_cast<double>(written)) + std::numeric_limits<float>::denorm_min();
}

// Every field a network or last-session file holds, `b` read back from
// what was written for `a`; `exact` asks for the same bits (a second round).
inline bool SameNetworkFields(const SessionState& a, const SessionState& b, bool exact) {
    const auto same = [exact](double x, double y) {
        return exact ? std::memcmp(&x, &y, sizeof x) == 0 || (x == 0 && y == 0) : Near(x, y, k15Digits);
    };
    const auto sameFloat = [exact](float x, float y) { return exact ? x == y : NearFloat(x, y); };
    if (!same(a.TestFrequency, b.TestFrequency) || !same(a.SystemZ, b.SystemZ) ||
        !same(a.Value[0][1], b.Value[0][1]) || !same(a.Value[0][2], b.Value[0][2]))
        return false;
    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        if (a.ElementType[stage] != b.ElementType[stage]) return false;
        for (int slot = 1; slot <= 5; ++slot)
            if (!same(a.Value[stage][slot], b.Value[stage][slot])) return false;
    }
    return sameFloat(a.QCircleValue, b.QCircleValue) &&
           sameFloat(a.VswrCircleValue, b.VswrCircleValue) && same(a.SweepStart, b.SweepStart) &&
           same(a.SweepStop, b.SweepStop) && a.SweepPoints == b.SweepPoints;
}

}  // namespace qv::fuzz

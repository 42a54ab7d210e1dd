// The part of SessionState that undo and redo put back: the network, the load
// (R + jX or the load table), the test frequency, the system impedance and
// what a network file brings with them (sweep limits, overlay sizes, the file
// names). View state (zoom, switches, the picked part) is not part of it, so
// undo never moves the chart under the user.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "session/SessionState.h"

namespace qv {

struct DesignSnapshot {
    std::array<std::int16_t, kStageSlots> ElementType{};
    std::array<std::array<double, kValueSlots>, kStageSlots> Value{};
    // Rows 0..LoadRows of the load table only; the rest is never read.
    std::vector<double> LoadFreq, LoadR, LoadX;
    double TestFrequency = 0;
    double SystemZ = 0;
    std::uint16_t LoadMode = 0;
    std::int16_t LoadPointIndex = 0;
    double SweepStart = 0;
    double SweepStop = 0;
    std::int16_t SweepPoints = 0;
    std::int16_t SavedSweepPoints = 0;
    std::int16_t LoadRows = 0;
    float QCircleValue = 0;
    float VswrCircleValue = 0;
    std::string CurrentFileName;
    std::string LoadFileName;

    bool operator==(const DesignSnapshot&) const = default;
};

DesignSnapshot TakeSnapshot(const SessionState& s);
void RestoreSnapshot(SessionState& s, const DesignSnapshot& d);

}  // namespace qv

#include "session/SessionState.h"

#include <cmath>

namespace qv {

const char* ElementMessageWords(int code) {
    switch (code) {
    case SeriesCapacitor: return "series capacitor";
    case ShuntCapacitor: return "shunt capacitor";
    case SeriesInductor: return "series inductor";
    case ShuntInductor: return "shunt inductor";
    case TransmissionLine: return "transmission line";
    case SeriesShortedStub: return "series shorted stub";
    case SeriesOpenStub: return "series open stub";
    case ShuntShortedStub: return "shunt shorted stub";
    case ShuntOpenStub: return "shunt open stub";
    case SeriesResistor: return "series resistor";
    case ShuntResistor: return "shunt resistor";
    default: return "";
    }
}

int LoadTableRows(const SessionState& s) {
    const int rows = s.SweepPoints < s.LoadRows ? s.SweepPoints : s.LoadRows;
    if (rows < 0) return 0;
    return rows > kMaxLoadPoints ? kMaxLoadPoints : rows;
}

void InitSession(SessionState& s) {
    s.Pi = 4.0 * std::atan(1.0);
    s.GridType = 1;
    s.VersionText = "2.06";
    s.ChartZoom = 1.0f;
    s.TopMode.fill(0);
    s.BottomMode.fill(0);
}

void ResetNetwork(SessionState& s) {
    s.Value[0][1] = 50;
    s.Value[0][2] = 0;
    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        s.ElementType[stage] = EmptyStage;
        for (int slot = 1; slot < kValueSlots; ++slot) s.Value[stage][slot] = 0;
    }
    s.TestFrequency = 1000000;
    s.SystemZ = 50;
}

std::int16_t UpdateNetworkNotEmpty(SessionState& s) {
    s.NetworkNotEmpty = 0;
    for (int stage = kFirstStage; stage <= kLastStage; ++stage)
        if (s.ElementType[stage] > 0) s.NetworkNotEmpty = 1;
    return s.NetworkNotEmpty;
}

}  // namespace qv

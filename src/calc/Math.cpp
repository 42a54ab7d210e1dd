#include "calc/Math.h"

#include "calc/Ladder.h"

namespace qv {

Impedance Math(SessionState& s, std::int16_t loadIndex) {
    const LadderStart start = StartOf(s, loadIndex);
    if (!start.computes) return {s.CurrentR, s.CurrentX};
    s.TestFrequency = start.f;  // a table row's; with the single load it is unchanged
    const Impedance z = ApplyStages(s, kFirstStage, kLastStage, start.f, start.z);
    LeaveAsMath(s, z, true);
    return z;
}

std::optional<Impedance> InputImpedance(const SessionState& s, std::int16_t loadIndex) {
    const LadderStart start = StartOf(s, loadIndex);
    if (!start.computes) return std::nullopt;
    return ApplyStages(s, kFirstStage, kLastStage, start.f, start.z);
}

Impedance InputImpedanceAt(const SessionState& s, double f, Impedance load) {
    return ApplyStages(s, kFirstStage, kLastStage, f, LoadAsTaken(load.R, load.X));
}

void LeaveAsMath(SessionState& s, Impedance last, bool computed) {
    s.CurrentR = last.R;
    s.CurrentX = last.X;
    if (computed && HasLineOrStub(s)) s.VelocityFactor = 1.0;
}

}  // namespace qv

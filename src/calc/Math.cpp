#include "calc/Math.h"

#include "calc/Ladder.h"

namespace qv {

Impedance Math(SessionState& s, std::int16_t loadIndex) {
    const LadderStart start = StartOf(s, loadIndex);
    if (!start.computes) return {s.CurrentR, s.CurrentX};
    const Impedance z = ApplyStages(s, kFirstStage, kLastStage, start.f, start.z);
    s.CurrentR = z.R;
    s.CurrentX = z.X;
    return z;
}

}  // namespace qv

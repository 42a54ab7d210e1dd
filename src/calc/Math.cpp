#include "calc/Math.h"

#include "calc/Ladder.h"

namespace qv {

void Math(SessionState& s, std::int16_t loadIndex) {
    const LadderStart start = StartOf(s, loadIndex);
    if (!start.computes) return;
    const transforms::Impedance z = ApplyStages(s, kFirstStage, kLastStage, start.f, start.z);
    s.CurrentR = z.R;
    s.CurrentX = z.X;
}

}  // namespace qv

#include "calc/Sweep.h"

#include <algorithm>

#include "calc/Math.h"
#include "calc/Reflection.h"

namespace qv {

int ComputeSweep(SessionState& s) {
    const double savedFrequency = s.TestFrequency;
    const std::int16_t savedPoints = s.SweepPoints;
    const bool table = s.LoadMode == 2;
    if (!table && s.LoadMode != 1) return 0;

    // The results hold 2001 points and the table the rows actually read; a
    // larger SweepPoints (a hand-edited file) computes as many points as fit.
    const int n = table ? LoadTableRows(s) : std::clamp<int>(s.SweepPoints, 0, kSweepCapacity);
    for (int k = 0; k < n; ++k) {
        int row = k;
        if (table) {
            row = k + 1;
            s.TestFrequency = s.LoadFreq[row];
            s.CurrentR = s.LoadR[row];
            s.CurrentX = s.LoadX[row];
        } else if (n == 1) {
            // One point has no spacing; it sits at the start.
            s.TestFrequency = s.SweepStart;
        } else {
            s.TestFrequency = s.SweepStart + (s.SweepStop - s.SweepStart) * k / (n - 1);
        }
        Math(s, static_cast<std::int16_t>(row));

        const Reflection g = ReflectionOf(s.CurrentR, s.CurrentX, s.SystemZ);
        s.SweepFreq[k] = s.TestFrequency;
        s.SweepR[k] = s.CurrentR;
        s.SweepX[k] = s.CurrentX;
        s.SweepRho[k] = g.rho;
        s.SweepRhoAngle[k] = g.angleDeg;
        s.SweepVswr[k] = g.vswr;
    }

    s.TestFrequency = savedFrequency;
    s.SweepPoints = savedPoints;
    return n;
}

}  // namespace qv

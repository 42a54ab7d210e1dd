#include "calc/Sweep.h"

#include <algorithm>
#include <vector>

#include "calc/Ladder.h"
#include "calc/Reflection.h"

namespace qv {

namespace tf = transforms;


int ComputeSweep(SessionState& s) {
    const bool table = s.LoadMode == LoadTable;
    if (!table && s.LoadMode != SingleLoad) return 0;

    // The results hold 2001 points and the table the rows actually read; a
    // larger SweepPoints (a hand-edited file) computes as many points as fit.
    const int n = table ? LoadTableRows(s) : std::clamp<int>(s.SweepPoints, 0, kSweepCapacity);
    if (n <= 0) return 0;
    std::vector<double> R(n), X(n);
    double* f = s.SweepFreq.data();
    const Impedance load = LoadAsTaken(s.Value[0][1], s.Value[0][2]);
    for (int k = 0; k < n; ++k) {
        if (table) {
            const int row = k + 1;
            f[k] = s.LoadFreq[row];
            const Impedance z = LoadAsTaken(s.LoadR[row], s.LoadX[row]);
            R[k] = z.R;
            X[k] = z.X;
        } else {
            // One point has no spacing; it sits at the start.
            f[k] = n == 1 ? s.SweepStart : s.SweepStart + (s.SweepStop - s.SweepStart) * k / (n - 1);
            R[k] = load.R;
            X[k] = load.X;
        }
    }
    const double velocityFactor = s.VelocityFactor;
    ApplyNetwork(s, f, R.data(), X.data(), n);

    // A point without a frequency is not computed: it shows the table row
    // as read, or with the single load what the point before it showed.
    bool anyComputed = false;
    double prevR = s.CurrentR, prevX = s.CurrentX;
    for (int k = 0; k < n; ++k) {
        if (f[k] > 0) {
            anyComputed = true;
        } else if (table) {
            R[k] = s.LoadR[k + 1];
            X[k] = s.LoadX[k + 1];
        } else {
            R[k] = prevR;
            X[k] = prevX;
        }
        prevR = R[k];
        prevX = X[k];
    }
    if (!anyComputed) s.VelocityFactor = velocityFactor;
    s.CurrentR = R[n - 1];
    s.CurrentX = X[n - 1];

    for (int k = 0; k < n; ++k) {
        const Reflection g = ReflectionOf(R[k], X[k], s.SystemZ);
        s.SweepR[k] = R[k];
        s.SweepX[k] = X[k];
        s.SweepRho[k] = g.rho;
        s.SweepRhoAngle[k] = g.angleDeg;
        s.SweepVswr[k] = g.vswr;
    }
    return n;
}

}  // namespace qv

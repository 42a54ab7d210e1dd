#include "calc/Sweep.h"

#include <algorithm>

#include "calc/Ladder.h"
#include "calc/Math.h"
#include "calc/Reflection.h"

namespace qv {

int SweepPointCount(const SessionState& s) {
    // The results hold 2001 points and the table the rows actually read; a
    // larger SweepPoints (a hand-edited file) computes as many points as fit.
    return s.LoadMode == LoadTable ? LoadTableRows(s) : std::clamp<int>(s.SweepPoints, 0, kSweepCapacity);
}

void SweepOf(const SessionState& s, SweepResult& out) {
    out.points = 0;
    out.computed = false;
    const bool table = s.LoadMode == LoadTable;
    if (!table && s.LoadMode != SingleLoad) return;

    const int n = SweepPointCount(s);
    if (n <= 0) return;
    for (auto* v : {&out.freq, &out.R, &out.X, &out.rho, &out.angleDeg, &out.vswr}) v->resize(n);
    double* f = out.freq.data();
    double* R = out.R.data();
    double* X = out.X.data();
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
    ApplyNetwork(s, f, R, X, n);

    // A point without a frequency is not computed: it shows the table row
    // as read, or with the single load what the point before it showed.
    double prevR = s.CurrentR, prevX = s.CurrentX;
    for (int k = 0; k < n; ++k) {
        if (f[k] > 0) {
            out.computed = true;
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

    for (int k = 0; k < n; ++k) {
        const Reflection g = ReflectionOf(R[k], X[k], s.SystemZ);
        out.rho[k] = g.rho;
        out.angleDeg[k] = g.angleDeg;
        out.vswr[k] = g.vswr;
    }
    out.points = n;
}

int ComputeSweep(SessionState& s) {
    // Kept between calls: the sweep runs on every redraw, and allocating its
    // arrays afresh each time costs as much as computing them.
    static thread_local SweepResult r;
    SweepOf(s, r);
    const int n = r.points;
    if (n <= 0) return 0;
    std::copy_n(r.freq.begin(), n, s.SweepFreq.begin());
    std::copy_n(r.R.begin(), n, s.SweepR.begin());
    std::copy_n(r.X.begin(), n, s.SweepX.begin());
    std::copy_n(r.rho.begin(), n, s.SweepRho.begin());
    std::copy_n(r.angleDeg.begin(), n, s.SweepRhoAngle.begin());
    std::copy_n(r.vswr.begin(), n, s.SweepVswr.begin());
    LeaveAsMath(s, {r.R[n - 1], r.X[n - 1]}, r.computed);
    return n;
}

}  // namespace qv

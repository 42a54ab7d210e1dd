#include "calc/Ladder.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv {
namespace {

namespace tf = transforms;

bool InRange(int code) { return code >= SeriesCapacitor && code <= ShuntResistor; }
bool IsLine(int code) { return code >= TransmissionLine && code <= ShuntOpenStub; }

// One stage at n points, slots 1 and 3 and the frequency per point.
void StageAt(const SessionState& s, int stage, const double* v1, const double* v3, const double* f,
             double* R, double* X, int n, std::vector<double>& a, std::vector<double>& b) {
    const int code = s.ElementType[stage];
    if (!InRange(code)) return;
    a.resize(n);
    b.resize(n);
    const auto& v = s.Value[stage];
    tf::EffectsOf(code, v1, v[2], v3, v[4], f, a.data(), b.data(), n);
    tf::ApplyEffects(tf::KindOf(code), a.data(), b.data(), R, X, n);
}

// One stage at n points with its values and the frequency fixed: its
// effect is the same for all of them.
void FixedStage(const SessionState& s, int stage, double f, double* R, double* X, int n,
                std::vector<double>& a, std::vector<double>& b) {
    const int code = s.ElementType[stage];
    if (!InRange(code)) return;
    const auto& v = s.Value[stage];
    const double t = IsLine(code) ? std::tan(tf::LineAngle(v[1], f, v[2])) : 0;
    const tf::Effect e = tf::EffectOf(code, v[1], v[2], v[3], v[4], tf::Omega(f), t);
    a.assign(n, e.a);
    b.assign(n, e.b);
    tf::ApplyEffects(tf::KindOf(code), a.data(), b.data(), R, X, n);
}

}  // namespace

Impedance LoadAsTaken(double R, double X) {
    auto taken = [](double v) { return ClampOhms(std::isnan(v) ? 0.0 : v); };
    return {taken(R), taken(X)};
}

LadderStart StartOf(const SessionState& s, std::int16_t loadIndex) {
    LadderStart start;
    // Written so that a NaN frequency also counts as "no frequency".
    if (!(s.TestFrequency > 0)) return start;
    start.computes = true;
    if (s.LoadMode != SingleLoad) {
        const int row = std::clamp<int>(loadIndex, 0, kMaxLoadPoints);
        start.f = s.LoadFreq[row];
        start.z = {s.LoadR[row], s.LoadX[row]};
    } else {
        start.f = s.TestFrequency;
        start.z = {s.Value[0][1], s.Value[0][2]};
    }
    start.z = LoadAsTaken(start.z.R, start.z.X);
    return start;
}

Impedance ApplyStages(const SessionState& s, int first, int last, double f, Impedance z) {
    for (int stage = first; stage <= last; ++stage) {
        const int code = s.ElementType[stage];
        if (!InRange(code)) continue;
        const auto& v = s.Value[stage];
        const double t = IsLine(code) ? std::tan(tf::LineAngle(v[1], f, v[2])) : 0;
        const tf::Effect e = tf::EffectOf(code, v[1], v[2], v[3], v[4], tf::Omega(f), t);
        z = tf::Accepted(z, tf::ApplyEffect(tf::KindOf(code), e, z.R, z.X));
    }
    return z;
}

bool HasLineOrStub(const SessionState& s) {
    for (int stage = kFirstStage; stage <= kLastStage; ++stage)
        if (IsLine(s.ElementType[stage])) return true;
    return false;
}

void WalkStage(const SessionState& s, int stage, const double* v1, const double* v3, double f,
               Impedance z, double* R, double* X, int n) {
    const Impedance entering = ApplyStages(s, kFirstStage, stage - 1, f, z);
    std::fill_n(R, n, entering.R);
    std::fill_n(X, n, entering.X);
    std::vector<double> a, b;
    const std::vector<double> fs(n, f);
    StageAt(s, stage, v1, v3, fs.data(), R, X, n, a, b);
    for (int later = stage + 1; later <= kLastStage; ++later) FixedStage(s, later, f, R, X, n, a, b);
}

void ApplyNetwork(const SessionState& s, const double* f, double* R, double* X, int n) {
    std::vector<double> a, b, v1, v3;
    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        v1.assign(n, s.Value[stage][1]);
        v3.assign(n, s.Value[stage][3]);
        StageAt(s, stage, v1.data(), v3.data(), f, R, X, n, a, b);
    }
}

}  // namespace qv

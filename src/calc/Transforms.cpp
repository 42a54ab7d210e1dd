#include "calc/Transforms.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <type_traits>

#include "session/SessionState.h"

namespace qv::transforms {
namespace {

// 4 x arctan(1) rounds to exactly this double.
constexpr double kPi = std::numbers::pi;

// Every guard below computes both outcomes and then chooses one, rather than
// branching around a division: the same arithmetic serves one point and the
// array loops, which the compiler vectorises only without branches. The
// division whose result is not chosen may give an infinity or a NaN; it is
// never used.

// XC = -1 / (C x omega); an uninvertible C x omega is an open.
inline double CapacitorReactance(double C, double omega) {
    const double cw = C * omega;
    const double xc = -1 / cw;
    const double bounded = std::isfinite(xc) ? xc : std::copysign(kOpenOhms, xc);
    return cw == 0 ? -kOpenOhms : bounded;
}

// |X / Q| as a series loss resistance; Q = 0 means lossless.
inline double AbsLoss(double reactance, double q) {
    const double r = std::fabs(reactance / q);
    const double bounded = std::isfinite(r) ? r : kOpenOhms;
    return q == 0 ? 0 : bounded;
}

// The single inductors take X / Q without the absolute value.
inline double SignedLoss(double reactance, double q) {
    const double r = reactance / q;
    const double bounded = std::isfinite(r) ? r : std::copysign(kOpenOhms, r);
    return q == 0 ? 0 : bounded;
}

inline Admittance Admit(double Rs, double Xs) {
    const double D = Rs * Rs + Xs * Xs;
    const double G = Rs / D, B = -Xs / D;
    return {D == 0 ? 1 / kShortOhms : G, D == 0 ? 0 : B};
}

inline Impedance Combine(double R, double X, double Ge, double Be) {
    const double M = R * R + X * X;
    const double Gin = R / M;
    const double Bin = -X / M;
    const double G = Gin + Ge;
    const double B = Bin + Be;
    const double N = B * B + G * G;
    const double r = N == 0 ? kOpenOhms : G / N;
    const double x = N == 0 ? 0 : -B / N;
    return {M == 0 ? 0 : r, M == 0 ? 0 : x};
}

inline double Angle(double length, double f, double f0) {
    const double fM = f / kMegahertz;
    const double f0M = f0 / kMegahertz;
    const double degPerMHz = length / f0M;
    const double radPerMHz = degPerMHz / kDegreesPerRadian;
    const double theta = -1 * radPerMHz * fM;
    return (f0M != 0) & std::isfinite(theta) ? theta : 0;
}

// The line formula on a normalized load r + jx, given the tangent t.
inline Impedance Line(double r, double x, double t) {
    double D = (r * r * t + x * x * t + 2 * x) * t + 1;
    D = D == 0 ? kLineZeroDenominator : D;
    return {(t * t + 1) * r / D, ((r * r + x * x - t * x - 1) * t + x) / D};
}

inline Impedance StubEnd(double endR, double Z0, double t) {
    const Impedance z = Line(endR, 0, t);
    return {Z0 * z.R, Z0 * z.X};
}

inline Effect Series(Impedance z) { return {z.R, z.X}; }
inline Effect Shunt(double Rs, double Xs) {
    const Admittance y = Admit(Rs, Xs);
    return {y.G, y.B};
}
inline Effect Shunt(Impedance z) { return Shunt(z.R, z.X); }

inline Effect Of(int code, double v1, double v2, double v3, double v4, double omega, double t) {
    switch (code) {
    case qv::SeriesCapacitor: {
        const double XC = CapacitorReactance(v1, omega);
        return {AbsLoss(XC, v2), XC};
    }
    case qv::ShuntCapacitor: {
        const double XC = CapacitorReactance(v1, omega);
        return Shunt(AbsLoss(XC, v2), XC);
    }
    case qv::SeriesInductor: {
        const double XL = v1 * omega;
        return {SignedLoss(XL, v2), XL};
    }
    case qv::ShuntInductor: {
        const double XL = v1 * omega;
        return Shunt(SignedLoss(XL, v2), XL);
    }
    case qv::TransmissionLine: return {v3, t};
    case qv::SeriesShortedStub: return Series(StubEnd(0, v3, t));
    case qv::SeriesOpenStub: return Series(StubEnd(kOpenOhms, v3, t));
    case qv::ShuntShortedStub: return Shunt(StubEnd(0, v3, t));
    case qv::ShuntOpenStub: return Shunt(StubEnd(kOpenOhms, v3, t));
    case qv::ShuntLCPair:
    case qv::SeriesLCPair: {
        const double XL = v1 * omega;
        const double RL = AbsLoss(XL, v2);
        const double XC = CapacitorReactance(v3, omega);
        const double RC = AbsLoss(XC, v4);
        if (code == qv::ShuntLCPair) return Shunt(RC + RL, XC + XL);
        const Admittance yL = Admit(RL, XL);
        const Admittance yC = Admit(RC, XC);
        const double G = yC.G + yL.G;
        const double B = yC.B + yL.B;
        const double N = G * G + B * B;
        return {N == 0 ? kOpenOhms : G / N, N == 0 ? 0 : -B / N};
    }
    case qv::SeriesResistor: return {v1, 0};
    case qv::ShuntResistor: {
        const double Rp = v1 <= 0 ? kShortOhms : v1;
        const double Ge = 1 / Rp;
        return {std::isfinite(Ge) ? Ge : 1 / kShortOhms, 0};
    }
    default: return {};
    }
}

inline Impedance Apply(EffectKind kind, Effect e, double R, double X) {
    switch (kind) {
    case EffectKind::Series: return {R + e.a, X + e.b};
    case EffectKind::Shunt: return Combine(R, X, e.a, e.b);
    case EffectKind::Line: {
        // Z0 = 0: no line. A load too large to normalize passes unchanged.
        const double Z0 = e.a;
        const double r = R / Z0;
        const double x = X / Z0;
        const Impedance z = Line(r, x, e.b);
        const bool absent = (Z0 == 0) | !std::isfinite(r) | !std::isfinite(x);
        return {absent ? R : Z0 * z.R, absent ? X : Z0 * z.X};
    }
    case EffectKind::Pass: break;
    }
    return {R, X};
}


inline Impedance Accept(Impedance before, Impedance after) {
    const bool broken = std::isnan(after.R) | std::isnan(after.X);
    return {broken ? before.R : ClampOhms(after.R), broken ? before.X : ClampOhms(after.X)};
}

bool IsLine(int code) { return code >= qv::TransmissionLine && code <= qv::ShuntOpenStub; }

// One element's transform, as the scalar functions below offer it.
Impedance Transform(int code, double v1, double v2, double v3, double v4, double f, double R,
                    double X) {
    const double t = IsLine(code) ? std::tan(Angle(v1, f, v2)) : 0;
    return Apply(KindOf(code), Of(code, v1, v2, v3, v4, Omega(f), t), R, X);
}

// The array loops are also built for the wider vector units, chosen when
// the program starts on a processor that has them.
#if defined(__x86_64__) && defined(__ELF__)
#define QV_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define QV_VECTOR_CLONES
#endif

}  // namespace

double Omega(double f) { return 2 * kPi * f; }

EffectKind KindOf(int code) {
    switch (code) {
    case qv::SeriesCapacitor:
    case qv::SeriesInductor:
    case qv::SeriesShortedStub:
    case qv::SeriesOpenStub:
    case qv::SeriesLCPair:
    case qv::SeriesResistor: return EffectKind::Series;
    case qv::ShuntCapacitor:
    case qv::ShuntInductor:
    case qv::ShuntShortedStub:
    case qv::ShuntOpenStub:
    case qv::ShuntLCPair:
    case qv::ShuntResistor: return EffectKind::Shunt;
    case qv::TransmissionLine: return EffectKind::Line;
    default: return EffectKind::Pass;
    }
}

double LineAngle(double length, double f, double f0) { return Angle(length, f, f0); }

Effect EffectOf(int code, double v1, double v2, double v3, double v4, double omega, double t) {
    return Of(code, v1, v2, v3, v4, omega, t);
}

Impedance ApplyEffect(EffectKind kind, Effect e, double R, double X) { return Apply(kind, e, R, X); }

Impedance Accepted(Impedance before, Impedance after) { return Accept(before, after); }

QV_VECTOR_CLONES void EffectsOf(int code, const double* v1, double v2, const double* v3, double v4,
               const double* f, double* a, double* b, int n) {
    // Lines and stubs: b[] holds the angle, then its tangent (the library's,
    // point by point, so that the results are Math's to the last bit), until
    // the effect overwrites it.
    const bool line = IsLine(code);
    if (line) {
        for (int i = 0; i < n; ++i) b[i] = Angle(v1[i], f[i], v2);
        for (int i = 0; i < n; ++i) b[i] = std::tan(b[i]);
    }
    // One loop per element keeps the code constant inside it.
    auto each = [&](auto element) {
        for (int i = 0; i < n; ++i) {
            const Effect e = Of(element, v1[i], v2, v3[i], v4, Omega(f[i]), line ? b[i] : 0);
            a[i] = e.a;
            b[i] = e.b;
        }
    };
    switch (code) {
    case qv::SeriesCapacitor: each(std::integral_constant<int, qv::SeriesCapacitor>{}); break;
    case qv::ShuntCapacitor: each(std::integral_constant<int, qv::ShuntCapacitor>{}); break;
    case qv::SeriesInductor: each(std::integral_constant<int, qv::SeriesInductor>{}); break;
    case qv::ShuntInductor: each(std::integral_constant<int, qv::ShuntInductor>{}); break;
    case qv::TransmissionLine: each(std::integral_constant<int, qv::TransmissionLine>{}); break;
    case qv::SeriesShortedStub: each(std::integral_constant<int, qv::SeriesShortedStub>{}); break;
    case qv::SeriesOpenStub: each(std::integral_constant<int, qv::SeriesOpenStub>{}); break;
    case qv::ShuntShortedStub: each(std::integral_constant<int, qv::ShuntShortedStub>{}); break;
    case qv::ShuntOpenStub: each(std::integral_constant<int, qv::ShuntOpenStub>{}); break;
    case qv::ShuntLCPair: each(std::integral_constant<int, qv::ShuntLCPair>{}); break;
    case qv::SeriesLCPair: each(std::integral_constant<int, qv::SeriesLCPair>{}); break;
    case qv::SeriesResistor: each(std::integral_constant<int, qv::SeriesResistor>{}); break;
    case qv::ShuntResistor: each(std::integral_constant<int, qv::ShuntResistor>{}); break;
    default: std::fill_n(a, n, 0.0), std::fill_n(b, n, 0.0);
    }
}

QV_VECTOR_CLONES void ApplyEffects(EffectKind kind, const double* a, const double* b, double* R, double* X,
                  int n) {
    auto each = [&](auto k) {
        for (int i = 0; i < n; ++i) {
            const Impedance z = Accept({R[i], X[i]}, Apply(k, {a[i], b[i]}, R[i], X[i]));
            R[i] = z.R;
            X[i] = z.X;
        }
    };
    switch (kind) {
    case EffectKind::Series: each(std::integral_constant<EffectKind, EffectKind::Series>{}); break;
    case EffectKind::Shunt: each(std::integral_constant<EffectKind, EffectKind::Shunt>{}); break;
    case EffectKind::Line: each(std::integral_constant<EffectKind, EffectKind::Line>{}); break;
    case EffectKind::Pass: break;
    }
}

Admittance AdmittanceOf(double Rs, double Xs) { return Admit(Rs, Xs); }

Impedance ShuntCombine(double R, double X, double Ge, double Be) { return Combine(R, X, Ge, Be); }

Impedance LineTransform(double r, double x, double length, double f, double f0) {
    return Line(r, x, std::tan(Angle(length, f, f0)));
}

Impedance SeriesCapacitor(double C, double Q, double f, double R, double X) {
    return Transform(qv::SeriesCapacitor, C, Q, 0, 0, f, R, X);
}
Impedance ShuntCapacitor(double C, double Q, double f, double R, double X) {
    return Transform(qv::ShuntCapacitor, C, Q, 0, 0, f, R, X);
}
Impedance SeriesInductor(double L, double Q, double f, double R, double X) {
    return Transform(qv::SeriesInductor, L, Q, 0, 0, f, R, X);
}
Impedance ShuntInductor(double L, double Q, double f, double R, double X) {
    return Transform(qv::ShuntInductor, L, Q, 0, 0, f, R, X);
}
Impedance TransmissionLine(double f, double Z0, double length, double f0, double R, double X) {
    return Transform(qv::TransmissionLine, length, f0, Z0, 0, f, R, X);
}
Impedance SeriesShortedStub(double f, double Z0, double length, double f0, double R, double X) {
    return Transform(qv::SeriesShortedStub, length, f0, Z0, 0, f, R, X);
}
Impedance SeriesOpenStub(double f, double Z0, double length, double f0, double R, double X) {
    return Transform(qv::SeriesOpenStub, length, f0, Z0, 0, f, R, X);
}
Impedance ShuntShortedStub(double f, double Z0, double length, double f0, double R, double X) {
    return Transform(qv::ShuntShortedStub, length, f0, Z0, 0, f, R, X);
}
Impedance ShuntOpenStub(double f, double Z0, double length, double f0, double R, double X) {
    return Transform(qv::ShuntOpenStub, length, f0, Z0, 0, f, R, X);
}
Impedance ShuntLCPair(double L, double QL, double C, double QC, double f, double R, double X) {
    return Transform(qv::ShuntLCPair, L, QL, C, QC, f, R, X);
}
Impedance SeriesLCPair(double L, double QL, double C, double QC, double f, double R, double X) {
    return Transform(qv::SeriesLCPair, L, QL, C, QC, f, R, X);
}
Impedance SeriesResistor(double Rs, double R, double X) {
    return Transform(qv::SeriesResistor, Rs, 0, 0, 0, 0, R, X);
}
Impedance ShuntResistor(double Rp, double R, double X) {
    return Transform(qv::ShuntResistor, Rp, 0, 0, 0, 0, R, X);
}

}  // namespace qv::transforms

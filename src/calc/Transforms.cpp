#include "calc/Transforms.h"

#include <cmath>
#include <numbers>

namespace qv::transforms {
namespace {

// 4 x arctan(1) rounds to exactly this double.
constexpr double kPi = std::numbers::pi;

// XC = -1 / (C x omega); an uninvertible C x omega is an open.
double CapacitorReactance(double C, double omega) {
    const double cw = C * omega;
    if (cw == 0) return -kOpenOhms;
    const double xc = -1 / cw;
    return std::isfinite(xc) ? xc : std::copysign(kOpenOhms, xc);
}

// |X / Q| as a series loss resistance; Q = 0 means lossless.
double AbsLoss(double reactance, double q) {
    if (q == 0) return 0;
    const double r = std::fabs(reactance / q);
    return std::isfinite(r) ? r : kOpenOhms;
}

// The single inductors take X / Q without the absolute value.
double SignedLoss(double reactance, double q) {
    if (q == 0) return 0;
    const double r = reactance / q;
    return std::isfinite(r) ? r : std::copysign(kOpenOhms, r);
}

Impedance Shunt(double Rs, double Xs, double R, double X) {
    const Admittance y = AdmittanceOf(Rs, Xs);
    return ShuntCombine(R, X, y.G, y.B);
}

Impedance StubEnd(double endR, double f, double Z0, double length, double f0) {
    const Impedance z = LineTransform(endR, 0, length, f, f0);
    return {Z0 * z.R, Z0 * z.X};
}

}  // namespace

double Omega(double f) { return 2 * kPi * f; }

Admittance AdmittanceOf(double Rs, double Xs) {
    const double D = Rs * Rs + Xs * Xs;
    if (D == 0) return {1 / kShortOhms, 0};
    return {Rs / D, -Xs / D};
}

Impedance ShuntCombine(double R, double X, double Ge, double Be) {
    const double M = R * R + X * X;
    if (M == 0) return {0, 0};
    const double Gin = R / M;
    const double Bin = -X / M;
    const double G = Gin + Ge;
    const double B = Bin + Be;
    const double N = B * B + G * G;
    if (N == 0) return {kOpenOhms, 0};
    return {G / N, -B / N};
}

Impedance LineTransform(double r, double x, double length, double f, double f0) {
    const double fM = f / kMegahertz;
    const double f0M = f0 / kMegahertz;
    double t = 0;
    if (f0M != 0) {
        const double degPerMHz = length / f0M;
        const double radPerMHz = degPerMHz / kDegreesPerRadian;
        const double theta = -1 * radPerMHz * fM;
        if (std::isfinite(theta)) t = std::tan(theta);
    }
    double D = (r * r * t + x * x * t + 2 * x) * t + 1;
    if (D == 0) D = kLineZeroDenominator;
    return {(t * t + 1) * r / D, ((r * r + x * x - t * x - 1) * t + x) / D};
}

Impedance SeriesCapacitor(double C, double Q, double f, double R, double X) {
    const double XC = CapacitorReactance(C, Omega(f));
    const double RC = AbsLoss(XC, Q);
    return {R + RC, X + XC};
}

Impedance ShuntCapacitor(double C, double Q, double f, double R, double X) {
    const double XC = CapacitorReactance(C, Omega(f));
    return Shunt(AbsLoss(XC, Q), XC, R, X);
}

Impedance SeriesInductor(double L, double Q, double f, double R, double X) {
    const double XL = L * Omega(f);
    const double RL = SignedLoss(XL, Q);
    return {R + RL, X + XL};
}

Impedance ShuntInductor(double L, double Q, double f, double R, double X) {
    const double XL = L * Omega(f);
    return Shunt(SignedLoss(XL, Q), XL, R, X);
}

Impedance TransmissionLine(double f, double Z0, double length, double f0, double R, double X) {
    if (Z0 == 0) return {R, X};
    const double r = R / Z0;
    const double x = X / Z0;
    if (!std::isfinite(r) || !std::isfinite(x)) return {R, X};
    const Impedance z = LineTransform(r, x, length, f, f0);
    return {Z0 * z.R, Z0 * z.X};
}

Impedance SeriesShortedStub(double f, double Z0, double length, double f0, double R, double X) {
    const Impedance s = StubEnd(0, f, Z0, length, f0);
    return {R + s.R, X + s.X};
}

Impedance SeriesOpenStub(double f, double Z0, double length, double f0, double R, double X) {
    const Impedance s = StubEnd(kOpenOhms, f, Z0, length, f0);
    return {R + s.R, X + s.X};
}

Impedance ShuntShortedStub(double f, double Z0, double length, double f0, double R, double X) {
    const Impedance s = StubEnd(0, f, Z0, length, f0);
    return Shunt(s.R, s.X, R, X);
}

Impedance ShuntOpenStub(double f, double Z0, double length, double f0, double R, double X) {
    const Impedance s = StubEnd(kOpenOhms, f, Z0, length, f0);
    return Shunt(s.R, s.X, R, X);
}

Impedance ShuntLCPair(double L, double QL, double C, double QC, double f, double R, double X) {
    const double omega = Omega(f);
    const double XL = L * omega;
    const double RL = AbsLoss(XL, QL);
    const double XC = CapacitorReactance(C, omega);
    const double RC = AbsLoss(XC, QC);
    return Shunt(RC + RL, XC + XL, R, X);
}

Impedance SeriesLCPair(double L, double QL, double C, double QC, double f, double R, double X) {
    const double omega = Omega(f);
    const double XL = L * omega;
    const double RL = AbsLoss(XL, QL);
    const double XC = CapacitorReactance(C, omega);
    const double RC = AbsLoss(XC, QC);
    const Admittance yL = AdmittanceOf(RL, XL);
    const Admittance yC = AdmittanceOf(RC, XC);
    const double G = yC.G + yL.G;
    const double B = yC.B + yL.B;
    const double N = G * G + B * B;
    if (N == 0) return {R + kOpenOhms, X};
    return {R + G / N, X - B / N};
}

Impedance SeriesResistor(double Rs, double R, double X) { return {R + Rs, X}; }

Impedance ShuntResistor(double Rp, double R, double X) {
    if (Rp <= 0) Rp = kShortOhms;
    double Ge = 1 / Rp;
    if (!std::isfinite(Ge)) Ge = 1 / kShortOhms;
    return ShuntCombine(R, X, Ge, 0);
}

}  // namespace qv::transforms

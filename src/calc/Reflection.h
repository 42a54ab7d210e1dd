// What a chart point means: reflection coefficient, VSWR, return loss,
// derived from an impedance and the system impedance.
#pragma once

namespace qv {

// VSWR shown for rho >= 1 (a purely reactive or active point) and the cap
// just below it: rho within 2E-10 of 1 already reads as "no match at all".
inline constexpr double kVswrLimit = 1E+10;
// Return loss of a perfect match (rho = 0) and the cap for any smaller rho;
// the readout shows it as ">120".
inline constexpr double kReturnLossCapDb = 120;
// |gamma| reported for z = -1 (r = -systemZ, x = 0), where gamma has a pole.
inline constexpr double kGammaPole = 1E+10;

struct Reflection {
    double gammaRe = 0, gammaIm = 0;  // reflection coefficient
    double rho = 0;                   // |gamma|
    double angleDeg = 0;              // angle of gamma, degrees, (-180, 180]
    double vswr = 1;                  // finite even at rho = 1
    double returnLossDb = 0;          // finite even at rho = 0
};

// gamma = (z - 1) / (z + 1), z = (r + jx) / systemZ.
// Degenerate inputs, each the limit an engineer would read off the chart:
//   - systemZ <= 0 (or NaN): the limit systemZ -> 0+, every point an open,
//     gamma = 1.
//   - r or x infinite or NaN: an open, gamma = 1.
//   - z = -1: gamma = -kGammaPole (the pole, approached along the real axis
//     from z < -1).
// vswr = (1 + rho) / (1 - rho) for rho < 1, at most kVswrLimit, and
// kVswrLimit for rho >= 1. returnLossDb = -20 log10(rho), at most
// kReturnLossCapDb (negative for rho > 1).
Reflection ReflectionOf(double r, double x, double systemZ);

// The return loss of a reflection magnitude, 20 log10(1/rho) dB, at most
// kReturnLossCapDb (also for rho = 0 and for a rho that is not a number).
// Every return loss the program shows or writes comes from here.
double ReturnLossOf(double rho);

// The same without the cap: +infinity for rho = 0, NaN for a negative or NaN
// rho. For texts that tell a value above the cap from the cap itself
// (">120" against "120").
double UncappedReturnLoss(double rho);

}  // namespace qv

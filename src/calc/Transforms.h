// One transform per element type: the impedance R + jX seen at the load side
// of a stage becomes the impedance seen at its generator side. Pure functions
// on doubles; Math applies them stage after stage.
//
// The arithmetic follows a fixed order and the results are promised to the
// last bit (saved tables and scripts compare them exactly); a "simplified"
// formula that is algebraically equal rounds differently, so do not rewrite it.
//
// Degenerate inputs. The Design page keeps capacitances, inductances, Q
// values, lengths, reference frequencies and line impedances positive, but
// the transforms are also reached while values are being typed, tuned or
// loaded from files, so they never divide by zero:
//   - C = 0 (or C x omega too small to invert): the capacitor is an open,
//     reactance -kOpenOhms (-1E+20 ohm), the same magnitude as an open stub
//     end. In series it adds that reactance; in shunt it disappears.
//   - L = 0: the inductor is a short (XL = 0 by the formula itself). In
//     series it adds nothing; in shunt it shorts the line (see AdmittanceOf).
//   - Q = 0: taken as "no Q given", i.e. a lossless component, which is how
//     an engineer leaving Q at 0 means it. A tiny non-zero Q whose loss
//     overflows gives kOpenOhms of loss.
//   - Reference frequency f0 = 0 (or a length that makes the angle
//     infinite): zero electrical length, t = 0. A line then passes the
//     impedance unchanged, a shorted stub is a short, an open stub an open.
//   - Line Z0 = 0: the line is treated as absent (impedance unchanged).
//     Stubs need no guard: Z0 = 0 makes them a zero impedance.
//   - Incoming 0 + j0 into a shunt element: a short across anything is a
//     short, result 0 + j0.
//   - A shunt branch of impedance 0 (zero-length shorted stub, L = 0, ...):
//     treated as kShortOhms (1E-20 ohm), the value the shunt resistor uses
//     for its own short.
//   - Total admittance 0 (lossless parallel resonance): an open. A shunt
//     element then yields kOpenOhms + j0; a series L-C tank adds kOpenOhms
//     of resistance (the lossless limit of a high-Q tank at resonance).
#pragma once

#include "calc/Impedance.h"

namespace qv::transforms {

inline constexpr double kDegreesPerRadian = 57.2957795130823;
inline constexpr double kMegahertz = 1000000;
inline constexpr double kLineZeroDenominator = 1E-39;

struct Admittance {
    double G = 0;
    double B = 0;
};

// omega = 2 x Pi x f, with Pi = 4 x arctan(1).
double Omega(double f);

// G + jB of Rs + jXs. A zero impedance gives 1 / kShortOhms.
Admittance AdmittanceOf(double Rs, double Xs);

// R + jX with the admittance Ge + jBe added in parallel.
Impedance ShuntCombine(double R, double X, double Ge, double Be);

// The lossless line on a normalized load r + jx; length in degrees at f0.
Impedance LineTransform(double r, double x, double length, double f, double f0);

// What one stage does to the impedance passing through it once its values
// and the frequency are fixed: a series impedance a + jb to add, a shunt
// admittance a + jb to add, or a line of impedance a = Z0 whose electrical
// length has the tangent b. Each transform below is its effect applied, so
// a caller that evaluates many impedances through the same stage (an arc,
// a sweep) can work out the effect once, or once per frequency.
enum class EffectKind { Pass, Series, Shunt, Line };
struct Effect {
    double a = 0;
    double b = 0;
};
EffectKind KindOf(int code);

// The tangent of a line's electrical length: length in degrees at f0,
// scaled to f. Zero when f0 is 0 or the angle is not finite.
double LineAngle(double length, double f, double f0);

// The effect of element `code` (1..13) with its values in slots v1..v4 (as
// Value(stage, 1..4)), at angular frequency omega; lines and stubs take the
// tangent t = tan(LineAngle(v1, f, v2)) instead of omega.
Effect EffectOf(int code, double v1, double v2, double v3, double v4, double omega, double t);

// R + jX through an effect.
Impedance ApplyEffect(EffectKind kind, Effect e, double R, double X);

// What the network keeps of a stage's result: a stage whose arithmetic broke
// down (NaN) passes `before` unchanged; overflow is held at kOpenOhms (ClampOhms).
Impedance Accepted(Impedance before, Impedance after);

// The same over arrays, point by point, in a form the compiler vectorises.
// EffectsOf: element `code` at n points, slots 1 and 3 and the frequency
// given per point, slots 2 and 4 fixed; writes the effects to a[], b[].
void EffectsOf(int code, const double* v1, double v2, const double* v3, double v4,
               const double* f, double* a, double* b, int n);
// ApplyEffects: R[i] + jX[i] through effect (a[i], b[i]), then Accepted.
void ApplyEffects(EffectKind kind, const double* a, const double* b, double* R, double* X,
                  int n);

// Inputs in the order of the element's values, then f, then R, X.
Impedance SeriesCapacitor(double C, double Q, double f, double R, double X);
Impedance ShuntCapacitor(double C, double Q, double f, double R, double X);
Impedance SeriesInductor(double L, double Q, double f, double R, double X);
Impedance ShuntInductor(double L, double Q, double f, double R, double X);

// Lines and stubs: f, Z0, length in degrees at f0, f0, then R, X.
Impedance TransmissionLine(double f, double Z0, double length, double f0, double R, double X);
Impedance SeriesShortedStub(double f, double Z0, double length, double f0, double R, double X);
Impedance SeriesOpenStub(double f, double Z0, double length, double f0, double R, double X);
Impedance ShuntShortedStub(double f, double Z0, double length, double f0, double R, double X);
Impedance ShuntOpenStub(double f, double Z0, double length, double f0, double R, double X);

// L with series loss in series with C with series loss, across the line.
Impedance ShuntLCPair(double L, double QL, double C, double QC, double f, double R, double X);
// L and C (each with series loss) in parallel, the tank in series.
Impedance SeriesLCPair(double L, double QL, double C, double QC, double f, double R, double X);

Impedance SeriesResistor(double Rs, double R, double X);
// Rp of 0 or less acts as kShortOhms.
Impedance ShuntResistor(double Rp, double R, double X);

}  // namespace qv::transforms

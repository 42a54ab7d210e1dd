#include "calc/Reflection.h"

#include <cmath>
#include <numbers>

namespace qv {
namespace {

// (a + jb) / (c + jd) by Smith's method, so that the huge impedances of an
// open (1E+20 ohm) do not overflow the squared denominator.
void Divide(double a, double b, double c, double d, double& re, double& im) {
    if (std::fabs(c) >= std::fabs(d)) {
        const double q = d / c;
        const double den = c + d * q;
        re = (a + b * q) / den;
        im = (b - a * q) / den;
    } else {
        const double q = c / d;
        const double den = c * q + d;
        re = (a * q + b) / den;
        im = (b * q - a) / den;
    }
}

}  // namespace

Reflection ReflectionOf(double r, double x, double systemZ) {
    Reflection out;
    out.gammaRe = 1;
    out.gammaIm = 0;
    if (systemZ > 0) {
        const double zr = r / systemZ;
        const double zi = x / systemZ;
        if (std::isfinite(zr) && std::isfinite(zi)) {
            if (zr == -1 && zi == 0) {
                out.gammaRe = -kGammaPole;
            } else {
                double gr = 0, gi = 0;
                Divide(zr - 1, zi, zr + 1, zi, gr, gi);
                if (std::isfinite(gr) && std::isfinite(gi)) {
                    out.gammaRe = gr;
                    out.gammaIm = gi;
                }
            }
        }
    }

    out.rho = std::hypot(out.gammaRe, out.gammaIm);
    // atan2 gives -pi for gamma on the negative real axis with a -0 imaginary
    // part; that direction is +180 here, and rounding must not leave the range.
    out.angleDeg = std::atan2(out.gammaIm, out.gammaRe) * 180 / std::numbers::pi;
    if (out.angleDeg <= -180 || out.angleDeg > 180) out.angleDeg = 180;

    out.vswr = kVswrLimit;
    if (out.rho < 1) {
        const double v = (1 + out.rho) / (1 - out.rho);
        if (v < kVswrLimit) out.vswr = v;
    }
    out.returnLossDb = ReturnLossOf(out.rho);
    return out;
}

double ReturnLossOf(double rho) {
    if (!(rho > 0)) return kReturnLossCapDb;
    const double rl = UncappedReturnLoss(rho);
    return rl < kReturnLossCapDb ? rl : kReturnLossCapDb;
}

double UncappedReturnLoss(double rho) { return -20 * std::log10(rho); }

}  // namespace qv

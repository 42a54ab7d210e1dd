// What a chart point means: reflection coefficient, VSWR, return loss,
// derived from an impedance and the system impedance.
#pragma once

namespace qv {

struct Reflection {
    double gammaRe = 0, gammaIm = 0;  // reflection coefficient
    double rho = 0;                   // |gamma|
    double angleDeg = 0;              // angle of gamma, degrees, (-180, 180]
    double vswr = 1;                  // finite even at rho = 1
    double returnLossDb = 0;          // finite even at rho = 0
};

Reflection ReflectionOf(double r, double x, double systemZ);

}  // namespace qv

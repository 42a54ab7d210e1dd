// An impedance R + jX in ohms, and what every layer means by an open and a
// short circuit.
#pragma once

namespace qv {

struct Impedance {
    double R = 0;
    double X = 0;
};

// An open circuit: the reactance of a zero capacitance, the end of an open
// stub, a lossless parallel resonance. Nothing the network can produce is
// meaningfully larger, and squares of it (1E+40) stay far inside a double,
// so the calculation holds every |R| and |X| it hands out within this bound.
inline constexpr double kOpenOhms = 1E+20;
// A short circuit where a formula has to divide by the impedance (a shunt
// branch of zero ohms, a shunt resistor of 0 or less).
inline constexpr double kShortOhms = 1E-20;

// v held within +-kOpenOhms; a NaN is passed through for the caller to judge.
// Written without std::clamp's references so that loops over arrays stay
// free of branches and vectorise.
inline double ClampOhms(double v) { return v < -kOpenOhms ? -kOpenOhms : (v > kOpenOhms ? kOpenOhms : v); }

}  // namespace qv

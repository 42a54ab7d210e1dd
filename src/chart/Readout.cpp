#include "chart/Readout.h"

#include <charconv>
#include <cmath>

#include "calc/Reflection.h"
#include "numbers/Format.h"

namespace qv {
namespace {

// Outside the rim the values can grow without bound (they are computed but
// hidden), so every value passes through Formattable.
std::string F(double v) { return FormatResistance(Formattable(v)); }

// Conductance and susceptance: in siemens they are mostly fractions of a
// thousandth, which the ohms formatter would round to 0; below 0.01 S they
// get a milli, micro or nano prefix and four significant digits.
std::string Siemens(double v) {
    v = Formattable(v);
    if (std::fabs(v) >= 0.01 || v == 0) return F(v);
    static const struct { double size; const char* suffix; } prefixes[] = {
        {1e-3, " m"}, {1e-6, " u"}, {1e-9, " n"}};
    for (const auto& p : prefixes)
        if (std::fabs(v) >= p.size) {
            char text[32];
            const auto end = std::to_chars(text, text + sizeof text, v / p.size,
                                           std::chars_format::general, 4).ptr;
            return std::string(text, end) + p.suffix;
        }
    return "0 ";
}

constexpr const char* kDegree = "\xC2\xB0";  // the labels take UTF-8

}  // namespace

Readout ReadoutAt(const SessionState& s, float x, float y) {
    return ReadoutAt(ScreenGeometry(s), s.SystemZ, s.Pi, x, y);
}

Readout ReadoutAt(const ChartGeometry& g, double systemZ, double pi, float x, float y) {
    if (!(pi > 0) || !std::isfinite(pi)) pi = 4 * std::atan(1.0);
    Readout out;

    // Before the page has set a radius FromPage puts every point outside the
    // rim: hidden, with the texts of an arbitrary point there.
    const ChartPoint p = FromPage(g, pi, x, y);
    out.pointAngle = p.angleDeg;
    out.visible = p.rho <= 1;

    const double rho = p.rho;
    const double vswr = (1 + rho) / (1 - rho);
    const double returnLoss = UncappedReturnLoss(rho);
    const double theta = pi * p.angleDeg / 180;
    const Impedance z = ImpedanceOfGamma(p.u, p.v, systemZ);
    const double r = z.R, xr = z.X;
    const double mag2 = r * r + xr * xr;
    const double gc = mag2 > 0 ? r / mag2 : 0;
    const double b = mag2 > 0 ? -xr / mag2 : 0;

    out.values[0] = " " + TrimBlanks(F(rho)) + " @ " + F(theta * 180 / pi) + kDegree;
    out.values[1] = vswr < 1000 ? " " + TrimBlanks(F(vswr)) + ":1   " : std::string(" >1000:1   ");
    out.values[2] = returnLoss <= 120 ? " " + TrimBlanks(F(returnLoss)) + "dB" : std::string(">120dB");
    out.values[3] = " " + F(r);
    out.values[4] = " " + F(xr);
    out.values[5] = " " + Siemens(gc);
    out.values[6] = " " + Siemens(b);
    return out;
}

}  // namespace qv

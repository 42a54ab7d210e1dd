#include "calc/Math.h"

#include <algorithm>
#include <cmath>

#include "calc/Transforms.h"

namespace qv {
namespace {

namespace tf = transforms;

// Largest |R| or |X| Math hands on, ohms. An open anywhere in the network is
// 1E+20 (the stub open end, a zero capacitance), so nothing meaningful lies
// beyond; the bound also keeps the squares inside the later stages finite.
constexpr double kLimitOhms = 1E+20;

double Bound(double v) { return std::clamp(v, -kLimitOhms, kLimitOhms); }

// A stage whose arithmetic breaks down (NaN) passes the impedance unchanged;
// overflow is held at the bound. Values within the bound are untouched.
void Accept(SessionState& s, tf::Impedance z) {
    if (std::isnan(z.R) || std::isnan(z.X)) return;
    s.CurrentR = Bound(z.R);
    s.CurrentX = Bound(z.X);
}

tf::Impedance Apply(int code, const std::array<double, kValueSlots>& v, double f, double R, double X) {
    switch (code) {
    case SeriesCapacitor: return tf::SeriesCapacitor(v[1], v[2], f, R, X);
    case ShuntCapacitor: return tf::ShuntCapacitor(v[1], v[2], f, R, X);
    case SeriesInductor: return tf::SeriesInductor(v[1], v[2], f, R, X);
    case ShuntInductor: return tf::ShuntInductor(v[1], v[2], f, R, X);
    case TransmissionLine: return tf::TransmissionLine(f, v[3], v[1], v[2], R, X);
    case SeriesShortedStub: return tf::SeriesShortedStub(f, v[3], v[1], v[2], R, X);
    case SeriesOpenStub: return tf::SeriesOpenStub(f, v[3], v[1], v[2], R, X);
    case ShuntShortedStub: return tf::ShuntShortedStub(f, v[3], v[1], v[2], R, X);
    case ShuntOpenStub: return tf::ShuntOpenStub(f, v[3], v[1], v[2], R, X);
    case ShuntLCPair: return tf::ShuntLCPair(v[1], v[2], v[3], v[4], f, R, X);
    case SeriesLCPair: return tf::SeriesLCPair(v[1], v[2], v[3], v[4], f, R, X);
    case SeriesResistor: return tf::SeriesResistor(v[1], R, X);
    case ShuntResistor: return tf::ShuntResistor(v[1], R, X);
    default: return {R, X};
    }
}

}  // namespace

void Math(SessionState& s, std::int16_t loadIndex) {
    // Written so that a NaN frequency also counts as "no frequency".
    if (!(s.TestFrequency > 0)) return;

    if (s.LoadMode != 1) {
        const int row = std::clamp<int>(loadIndex, 0, kMaxLoadPoints);
        s.TestFrequency = s.LoadFreq[row];
        s.CurrentR = s.LoadR[row];
        s.CurrentX = s.LoadX[row];
    } else {
        s.CurrentR = s.Value[0][1];
        s.CurrentX = s.Value[0][2];
    }
    // A load that is not a number (a damaged file) starts as a short.
    if (std::isnan(s.CurrentR)) s.CurrentR = 0;
    if (std::isnan(s.CurrentX)) s.CurrentX = 0;
    s.CurrentR = Bound(s.CurrentR);
    s.CurrentX = Bound(s.CurrentX);

    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        const int code = s.ElementType[stage];
        if (code < SeriesCapacitor || code > ShuntResistor) continue;
        if (code >= TransmissionLine && code <= ShuntOpenStub) s.VelocityFactor = 1.0;
        Accept(s, Apply(code, s.Value[stage], s.TestFrequency, s.CurrentR, s.CurrentX));
    }
}

}  // namespace qv

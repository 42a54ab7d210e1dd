#include "calc/Synthesis.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>

#include "calc/Math.h"
#include "calc/Reflection.h"
#include "calc/StandardValues.h"
#include "calc/Transforms.h"
#include "numbers/Format.h"

namespace qv {
namespace {

using Complex = std::complex<double>;

Complex ToComplex(Impedance z) { return {z.R, z.X}; }

constexpr double kDegreesPerRadian = transforms::kDegreesPerRadian;
// The sweep for the bandwidth stays inside the frequencies the program takes.
constexpr double kLowestFrequency = 10000;
constexpr double kHighestFrequency = 10000000000.0;
// A closed-form element this small (relative to the system impedance or
// admittance) is no element at all: the network has one part less.
constexpr double kNegligible = 1E-11;
constexpr double kLosslessTolerance = 1E-9;
constexpr double kLossyTolerance = 1E-6;

// ---- Parts: elements as the closed forms see them -------------------------

// Series parts hold a reactance (ohms), shunt parts a susceptance (siemens),
// lines and stubs an electrical length (degrees at the test frequency). The
// sign of a reactance or susceptance picks inductor or capacitor, so the
// solver below moves smoothly from one to the other.
enum class Kind { Series, Shunt, Line, OpenStub, ShortedStub };

struct Part {
    Kind kind;
    double x;
};

using Parts = std::vector<Part>;

struct Build {
    double omega = 0, frequency = 0, qL = kLosslessQ, qC = kLosslessQ, lineZ0 = 50;
};

MatchStage ToStage(const Part& p, const Build& b) {
    MatchStage st;
    auto& v = st.value;
    switch (p.kind) {
    case Kind::Series:
        if (p.x > 0) {
            st.code = SeriesInductor;
            v[1] = p.x / b.omega;
            v[2] = b.qL;
        } else {
            st.code = SeriesCapacitor;
            v[1] = -1 / (b.omega * p.x);
            v[2] = b.qC;
        }
        break;
    case Kind::Shunt:
        if (p.x > 0) {
            st.code = ShuntCapacitor;
            v[1] = p.x / b.omega;
            v[2] = b.qC;
        } else {
            st.code = ShuntInductor;
            v[1] = -1 / (b.omega * p.x);
            v[2] = b.qL;
        }
        break;
    case Kind::Line:
    case Kind::OpenStub:
    case Kind::ShortedStub:
        st.code = p.kind == Kind::Line       ? TransmissionLine
                  : p.kind == Kind::OpenStub ? ShuntOpenStub
                                             : ShuntShortedStub;
        v[1] = p.x;
        v[2] = b.frequency;
        v[3] = b.lineZ0;
        break;
    }
    return st;
}

std::vector<MatchStage> ToStages(const Parts& parts, const Build& b) {
    std::vector<MatchStage> stages;
    for (const Part& p : parts) stages.push_back(ToStage(p, b));
    return stages;
}

// ---- Evaluation through Math ----------------------------------------------

// A private copy of the session with the candidate network in place, so
// every figure comes from the program's own calculation.
class Evaluator {
public:
    Evaluator(const SessionState& s, int row) : s_(std::make_unique<SessionState>(s)), row_(row) {
        frequency_ = s.TestFrequency;
        if (row_ > 0) {
            frequency_ = s.LoadFreq[row_];
        } else {
            s_->LoadMode = SingleLoad;
        }
    }

    void Set(const std::vector<MatchStage>& stages) {
        for (int k = kFirstStage; k < kStageSlots; ++k) {
            s_->ElementType[k] = EmptyStage;
            s_->Value[k].fill(0);
        }
        for (std::size_t i = 0; i < stages.size() && i < kLastStage; ++i) {
            const int k = kFirstStage + static_cast<int>(i);
            s_->ElementType[k] = stages[i].code;
            for (int slot = 1; slot <= 4; ++slot) s_->Value[k][slot] = stages[i].value[slot];
        }
    }

    // The input impedance at frequency f (the single load) or at table row
    // `row` (a load table, at the row's own frequency).
    Complex At(double f, int row) {
        if (row > 0) {
            const int r = std::min(row, kMaxLoadPoints);
            return ToComplex(InputImpedanceAt(*s_, s_->LoadFreq[r], {s_->LoadR[r], s_->LoadX[r]}));
        }
        return ToComplex(InputImpedanceAt(*s_, f, {s_->Value[0][1], s_->Value[0][2]}));
    }
    Complex AtTest() { return At(frequency_, row_); }

    double Vswr(const Complex& z) const { return ReflectionOf(z.real(), z.imag(), s_->SystemZ).vswr; }
    double SystemZ() const { return s_->SystemZ; }
    double Frequency() const { return frequency_; }
    int Row() const { return row_; }
    const SessionState& State() const { return *s_; }

private:
    std::unique_ptr<SessionState> s_;
    int row_;
    double frequency_;
};

// Distance from the match: (Zin - Z0) / Z0 as a 2-vector.
struct Residual {
    double re = 0, im = 0;
    double Norm() const { return std::hypot(re, im); }
};

Residual ResidualOf(Evaluator& e, const Parts& parts, const Build& b) {
    e.Set(ToStages(parts, b));
    const Complex z = e.AtTest();
    const double z0 = e.SystemZ();
    return {(z.real() - z0) / z0, z.imag() / z0};
}

double ScaleOf(const Part& p, double z0) {
    switch (p.kind) {
    case Kind::Series: return z0;
    case Kind::Shunt: return 1 / z0;
    default: return 1;
    }
}

// Newton's method on the parts listed in `free` (one or two), with
// numerical derivatives of Math and a halving line search. Returns the
// distance from the match reached; `parts` holds the best values found.
double Solve(Evaluator& e, Parts& parts, const std::vector<int>& free, const Build& b) {
    const double z0 = e.SystemZ();
    Residual f = ResidualOf(e, parts, b);
    for (int iteration = 0; iteration < 60 && f.Norm() > 1E-15; ++iteration) {
        double J[2][2] = {};
        for (std::size_t c = 0; c < free.size(); ++c) {
            Part& p = parts[free[c]];
            const double x = p.x;
            const double h = 1E-7 * std::max(std::fabs(x), ScaleOf(p, z0) * 1E-3);
            p.x = x + h;
            const Residual up = ResidualOf(e, parts, b);
            p.x = x - h;
            const Residual down = ResidualOf(e, parts, b);
            p.x = x;
            J[0][c] = (up.re - down.re) / (2 * h);
            J[1][c] = (up.im - down.im) / (2 * h);
        }
        double step[2] = {};
        if (free.size() == 2) {
            const double det = J[0][0] * J[1][1] - J[0][1] * J[1][0];
            if (!(std::fabs(det) > 0) || !std::isfinite(det)) break;
            step[0] = -(J[1][1] * f.re - J[0][1] * f.im) / det;
            step[1] = -(-J[1][0] * f.re + J[0][0] * f.im) / det;
        } else {
            // One part, two conditions: the least-squares step.
            const double jj = J[0][0] * J[0][0] + J[1][0] * J[1][0];
            if (!(jj > 0) || !std::isfinite(jj)) break;
            step[0] = -(J[0][0] * f.re + J[1][0] * f.im) / jj;
        }
        const Parts start = parts;
        bool improved = false;
        for (double scale = 1; scale > 1E-6; scale /= 2) {
            for (std::size_t c = 0; c < free.size(); ++c)
                parts[free[c]].x = start[free[c]].x + scale * step[c];
            const Residual trial = ResidualOf(e, parts, b);
            if (trial.Norm() < f.Norm()) {
                f = trial;
                improved = true;
                break;
            }
        }
        if (!improved) {
            parts = start;
            break;
        }
    }
    return f.Norm();
}

// ---- Closed forms -----------------------------------------------------------

double PositiveRoot(double value, double size) {
    // Rounding can leave a true zero slightly negative.
    if (value < 0 && value > -1E-12 * size) return 0;
    return value < 0 ? NAN : std::sqrt(value);
}

// Drops the parts that are no element at all.
Parts Trimmed(const Parts& parts, double z0) {
    Parts out;
    for (const Part& p : parts) {
        const bool reactive = p.kind == Kind::Series || p.kind == Kind::Shunt;
        const double size = reactive ? std::fabs(p.x) / ScaleOf(p, z0) : std::fabs(p.x);
        if (size > kNegligible) out.push_back(p);
    }
    return out;
}

// The signs a root may take: both, or one when it is zero.
std::vector<double> Signs(double root) { return root > 0 ? std::vector<double>{1, -1} : std::vector<double>{1}; }

// Shunt part next to z, then series part, to the real resistance r0.
// Possible when the conductance of z is at most 1 / r0.
std::vector<std::array<double, 2>> ShuntThenSeries(Complex z, double r0) {
    std::vector<std::array<double, 2>> out;
    const Complex y = 1.0 / z;
    const double g = y.real();
    const double root = PositiveRoot(g / r0 - g * g, g / r0);
    if (std::isnan(root)) return out;
    for (double sign : Signs(root)) {
        const double bTotal = sign * root;
        const double n = g * g + bTotal * bTotal;
        out.push_back({bTotal - y.imag(), bTotal / n});  // shunt B, series X
    }
    return out;
}

// Series part next to z, then shunt part, to the real resistance r0.
// Possible when the resistance of z is at most r0.
std::vector<std::array<double, 2>> SeriesThenShunt(Complex z, double r0) {
    std::vector<std::array<double, 2>> out;
    const double r = z.real();
    const double root = PositiveRoot(r * r0 - r * r, r * r0);
    if (std::isnan(root)) return out;
    for (double sign : Signs(root)) {
        const double xTotal = sign * root;
        const double n = r * r + xTotal * xTotal;
        out.push_back({xTotal - z.imag(), xTotal / n});  // series X, shunt B
    }
    return out;
}

std::vector<Parts> LNetworks(Complex z, double z0) {
    std::vector<Parts> out;
    for (const auto& [b, x] : ShuntThenSeries(z, z0)) out.push_back({{Kind::Shunt, b}, {Kind::Series, x}});
    for (const auto& [x, b] : SeriesThenShunt(z, z0)) out.push_back({{Kind::Series, x}, {Kind::Shunt, b}});
    return out;
}

// Pi: the load side brings the load down to a virtual resistance below both
// ends, the generator side brings it up again; the two series parts meet in
// the middle as one.
std::vector<Parts> PiNetworks(Complex z, double z0, double q) {
    std::vector<Parts> out;
    const double rp = 1 / (1.0 / z).real();
    const double rv = std::max(rp, z0) / (q * q + 1);
    for (const auto& [b1, x1] : ShuntThenSeries(z, rv))
        for (const auto& [x2, b2] : SeriesThenShunt(Complex(rv, 0), z0))
            out.push_back({{Kind::Shunt, b1}, {Kind::Series, x1 + x2}, {Kind::Shunt, b2}});
    return out;
}

// T: the same up to a virtual resistance above both ends.
std::vector<Parts> TNetworks(Complex z, double z0, double q) {
    std::vector<Parts> out;
    const double rv = std::min(z.real(), z0) * (q * q + 1);
    for (const auto& [x1, b1] : SeriesThenShunt(z, rv))
        for (const auto& [b2, x2] : ShuntThenSeries(Complex(rv, 0), z0))
            out.push_back({{Kind::Series, x1}, {Kind::Shunt, b1 + b2}, {Kind::Series, x2}});
    return out;
}

double Degrees(double radians) {
    double d = radians * kDegreesPerRadian;
    while (d < 0) d += 180;
    while (d >= 180) d -= 180;
    return d;
}

// A line of characteristic impedance zl from the load, long enough that the
// conductance is 1 / z0, then a shunt stub (same zl) cancelling the
// susceptance. The conductance after a line of tan(length) = t is
// r (1 + t^2) / (r^2 + (x + t)^2) in units of 1 / zl, which gives a quadratic
// in t; each root is one line length below 180 degrees.
std::vector<Parts> StubNetworks(Complex z, double z0, double zl) {
    std::vector<Parts> out;
    const Complex zn = z / zl;
    const double r = zn.real(), x = zn.imag(), g0 = zl / z0;
    const double a = r - g0, bq = -2 * g0 * x, c = r - g0 * std::norm(zn);
    std::vector<double> lengths;  // degrees
    const double size = std::max(r, g0);
    if (std::fabs(a) <= 1E-12 * size && std::fabs(bq) <= 1E-12 * size &&
        std::fabs(c) <= 1E-12 * size) {
        return {Parts{}};  // matched already, whatever the line's length
    }
    if (std::fabs(a) <= 1E-12 * size) {
        lengths.push_back(90);  // the root at infinity
        if (bq != 0) lengths.push_back(Degrees(std::atan(-c / bq)));
    } else {
        const double root = PositiveRoot(bq * bq - 4 * a * c, bq * bq + std::fabs(4 * a * c));
        if (std::isnan(root)) return out;
        for (double sign : Signs(root)) {
            // The root without cancellation, then its partner from c / a.
            const double q = -0.5 * (bq + std::copysign(root, bq == 0 ? 1.0 : bq));
            const double t = sign > 0 ? (q != 0 ? c / q : 0) : q / a;
            lengths.push_back(Degrees(std::atan(t)));
        }
    }
    for (double d : lengths) {
        const Complex j(0, 1);
        const double t = std::tan(d / kDegreesPerRadian);
        const Complex y = d == 90 ? zn : (1.0 + j * zn * t) / (zn + j * t);
        const double bs = -y.imag();  // stub susceptance needed, units of 1 / zl
        if (std::fabs(bs) <= kNegligible) {
            out.push_back({{Kind::Line, d}});  // the line alone matches
            continue;
        }
        out.push_back({{Kind::Line, d}, {Kind::OpenStub, Degrees(std::atan(bs))}});
        out.push_back({{Kind::Line, d}, {Kind::ShortedStub, Degrees(std::atan2(1.0, -bs))}});
    }
    return out;
}

// ---- Describing a network ----------------------------------------------------

bool SameNetwork(const std::vector<MatchStage>& a, const std::vector<MatchStage>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].code != b[i].code) return false;
        for (int k = 1; k <= 4; ++k) {
            const double u = a[i].value[k], v = b[i].value[k];
            if (std::fabs(u - v) > 1E-7 * std::max(std::fabs(u), std::fabs(v))) return false;
        }
    }
    return true;
}

std::string ResponseOf(const std::vector<MatchStage>& stages) {
    if (stages.empty()) return "";
    bool lowPass = true, highPass = true;
    for (const MatchStage& st : stages) {
        switch (st.code) {
        case SeriesInductor:
        case ShuntCapacitor: highPass = false; break;
        case SeriesCapacitor:
        case ShuntInductor: lowPass = false; break;
        default: return "";
        }
    }
    return lowPass ? "low-pass" : highPass ? "high-pass" : "band-pass";
}

double VswrAt(Evaluator& e, double f, int row) { return e.Vswr(e.At(f, row)); }

// The first frequency beyond which the VSWR rises above the bound, walking
// from the test frequency in `direction` (+1 up, -1 down). The single load
// is walked in growing geometric steps, the crossing then found by halving;
// a load table is walked row by row and the crossing interpolated.
double Edge(Evaluator& e, int direction) {
    const double f0 = e.Frequency();
    if (e.Row() > 0) {
        const SessionState& s = e.State();
        const int rows = LoadTableRows(s);
        int row = e.Row();
        double previous = VswrAt(e, 0, row);
        while (row + direction >= 1 && row + direction <= rows) {
            const int next = row + direction;
            const double v = VswrAt(e, 0, next);
            if (v > kBandVswr) {
                const double share = (kBandVswr - previous) / (v - previous);
                return s.LoadFreq[row] + share * (s.LoadFreq[next] - s.LoadFreq[row]);
            }
            previous = v;
            row = next;
        }
        return s.LoadFreq[row];
    }
    const double limit = direction > 0 ? kHighestFrequency : kLowestFrequency;
    double inside = f0, step = 1E-6;
    while (true) {
        double f = direction > 0 ? inside * (1 + step) : inside / (1 + step);
        f = direction > 0 ? std::min(f, limit) : std::max(f, limit);
        if (VswrAt(e, f, 0) > kBandVswr) {
            double outside = f;
            for (int i = 0; i < 60; ++i) {
                const double mid = std::sqrt(inside * outside);
                (VswrAt(e, mid, 0) > kBandVswr ? outside : inside) = mid;
            }
            return inside;
        }
        if (f == limit) return limit;
        inside = f;
        step = std::min(step * 1.2, 0.002);
    }
}

MatchNetwork Describe(Evaluator& e, std::vector<MatchStage> stages) {
    MatchNetwork n;
    n.stages = std::move(stages);
    e.Set(n.stages);
    n.vswr = e.Vswr(e.AtTest());
    if (n.vswr <= kBandVswr) {
        n.bandwidthLow = Edge(e, -1);
        n.bandwidthHigh = Edge(e, +1);
    }
    return n;
}

std::vector<MatchStage> Snapped(std::vector<MatchStage> stages, std::span<const double> series, bool& any) {
    any = false;
    for (MatchStage& st : stages) {
        if (st.code >= SeriesCapacitor && st.code <= ShuntInductor) {
            st.value[1] = SnapToSeries(st.value[1], series);
            any = true;
        }
    }
    return stages;
}

int NearestRow(const SessionState& s) {
    const int rows = LoadTableRows(s);
    int best = 0;
    for (int row = 1; row <= rows; ++row)
        if (best == 0 || std::fabs(s.LoadFreq[row] - s.TestFrequency) <
                             std::fabs(s.LoadFreq[best] - s.TestFrequency))
            best = row;
    return best;
}

}  // namespace

const char* TopologyName(MatchTopology topology) {
    switch (topology) {
    case MatchTopology::L: return "l";
    case MatchTopology::Pi: return "pi";
    case MatchTopology::T: return "t";
    case MatchTopology::Stub: return "stub";
    }
    return "";
}

std::string LoadedQText(double q) {
    if (q <= 0) return "0";
    const double unit = std::pow(10.0, std::floor(std::log10(q)) - 3);
    std::string text = NumberText(std::ceil(q / unit * (1 - 1E-12)) * unit, 4);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    if (!text.empty() && text[0] == '.') text.insert(0, "0");
    return text;
}

std::string MatchStageText(const MatchStage& st) {
    auto trim = [](std::string t) {
        while (!t.empty() && t.back() == ' ') t.pop_back();
        while (!t.empty() && t.front() == ' ') t.erase(0, 1);
        return t;
    };
    const auto& v = st.value;
    auto line = [&](const char* name) {
        return std::string(name) + " " + trim(FormatResistance(v[1])) + " deg " +
               trim(FormatResistance(v[3])) + " ohm";
    };
    switch (st.code) {
    case SeriesCapacitor: return "series C " + FormatCapacitance(v[1]);
    case ShuntCapacitor: return "shunt C " + FormatCapacitance(v[1]);
    case SeriesInductor: return "series L " + FormatInductance(v[1]);
    case ShuntInductor: return "shunt L " + FormatInductance(v[1]);
    case TransmissionLine: return line("line");
    case ShuntOpenStub: return line("shunt open stub");
    case ShuntShortedStub: return line("shunt shorted stub");
    default: return "";
    }
}

std::string MatchStagesText(const std::vector<MatchStage>& stages) {
    std::string text;
    for (const MatchStage& st : stages) {
        if (!text.empty()) text += " ; ";
        text += MatchStageText(st);
    }
    return text;
}

void ApplyMatch(SessionState& s, const std::vector<MatchStage>& stages) {
    for (int k = kFirstStage; k < kStageSlots; ++k) {
        s.ElementType[k] = EmptyStage;
        s.Value[k].fill(0);
    }
    for (std::size_t i = 0; i < stages.size() && i < kLastStage; ++i) {
        const int k = kFirstStage + static_cast<int>(i);
        s.ElementType[k] = stages[i].code;
        for (int slot = 1; slot <= 4; ++slot) s.Value[k][slot] = stages[i].value[slot];
    }
    UpdateNetworkNotEmpty(s);
}

MatchSet SynthesizeMatches(const SessionState& s, const MatchRequest& request) {
    MatchSet set;
    set.systemZ = s.SystemZ;
    if (s.LoadMode != SingleLoad) {
        set.loadRow = NearestRow(s);
        if (set.loadRow == 0) {
            set.refusals.push_back("The load table holds no rows.");
            return set;
        }
        set.frequency = s.LoadFreq[set.loadRow];
        set.loadR = s.LoadR[set.loadRow];
        set.loadX = s.LoadX[set.loadRow];
    } else {
        set.frequency = s.TestFrequency;
        set.loadR = s.Value[0][1];
        set.loadX = s.Value[0][2];
    }
    const double z0 = s.SystemZ;
    const Complex zl(set.loadR, set.loadX);
    if (!(set.frequency > 0) || !(z0 > 0) || !std::isfinite(set.frequency)) {
        set.refusals.push_back("A match needs a test frequency and a system impedance above 0.");
        return set;
    }
    if (!(set.loadR > 0) || !std::isfinite(set.loadR) || !std::isfinite(set.loadX)) {
        set.refusals.push_back(
            "A load without resistance (on or outside the rim of the chart) cannot be matched.");
        return set;
    }
    const double rp = 1 / (1.0 / zl).real();
    set.minimumPiQ = std::sqrt(std::max(rp, z0) / std::min(rp, z0) - 1);
    set.minimumTQ = std::sqrt(std::max(set.loadR, z0) / std::min(set.loadR, z0) - 1);

    Evaluator e(s, set.loadRow);
    Build lossless;
    lossless.frequency = set.frequency;
    lossless.omega = transforms::Omega(set.frequency);
    lossless.lineZ0 = request.lineZ0 > 0 ? request.lineZ0 : z0;
    Build lossy = lossless;
    if (request.componentQ > 0) lossy.qL = lossy.qC = request.componentQ;

    auto add = [&](MatchTopology topology, const std::vector<Parts>& candidates, bool components) {
        std::vector<MatchSolution> found;
        for (const Parts& candidate : candidates) {
            Parts parts = Trimmed(candidate, z0);
            std::vector<int> free;
            // Pi and T keep the load-side part, which sets the loaded Q.
            for (std::size_t i = parts.size() > 2 ? 1 : 0; i < parts.size(); ++i)
                free.push_back(static_cast<int>(i));
            MatchSolution sol;
            sol.topology = topology;
            if (!free.empty() && Solve(e, parts, free, lossless) > kLosslessTolerance) continue;
            const Build& build = components ? lossy : lossless;
            if (components && request.componentQ > 0 && !free.empty()) {
                Parts withLoss = parts;
                if (Solve(e, withLoss, free, lossy) <= kLossyTolerance &&
                    Trimmed(withLoss, z0).size() == withLoss.size())
                    parts = withLoss;
                else
                    sol.reachable = false;
            }
            sol.exact = Describe(e, ToStages(parts, build));
            if (!request.series.empty()) {
                std::vector<MatchStage> standard = Snapped(sol.exact.stages, request.series, sol.snapped);
                if (sol.snapped) sol.standard = Describe(e, std::move(standard));
            }
            sol.response = ResponseOf(sol.exact.stages);
            const bool repeated = std::any_of(found.begin(), found.end(), [&](const MatchSolution& o) {
                return SameNetwork(o.exact.stages, sol.exact.stages);
            });
            if (!repeated) found.push_back(std::move(sol));
        }
        set.solutions.insert(set.solutions.end(), found.begin(), found.end());
    };

    if (request.l) add(MatchTopology::L, LNetworks(zl, z0), true);
    auto loadedQ = [&](const char* name, double minimum, auto networks, MatchTopology topology) {
        if (request.loadedQ <= 0) return;
        if (request.loadedQ < minimum * (1 - 1E-12)) {
            set.refusals.push_back(std::string("The loaded Q must be at least ") + LoadedQText(minimum) +
                                   " for a " + name + " network on this load.");
            return;
        }
        add(topology, networks(zl, z0, std::max(request.loadedQ, minimum)), true);
    };
    if (request.pi) loadedQ("Pi", set.minimumPiQ, PiNetworks, MatchTopology::Pi);
    if (request.t) loadedQ("T", set.minimumTQ, TNetworks, MatchTopology::T);
    if (request.stub) add(MatchTopology::Stub, StubNetworks(zl, z0, lossless.lineZ0), false);
    return set;
}

}  // namespace qv

#include "calc/Bandwidth.h"

#include <algorithm>
#include <cmath>

#include "calc/Reflection.h"

namespace qv {

namespace {

// Walks from the best point `best` in direction `step` while `inside`
// holds, and places the edge between the last point inside and the first
// outside where value(point) crosses `limit`.
template <class Value>
double Edge(const std::vector<SweepSample>& p, int best, int step, double limit, Value value,
            bool& open) {
    const int n = static_cast<int>(p.size());
    int k = best;
    while (k + step >= 0 && k + step < n && value(p[k + step]) <= limit) k += step;
    if (k + step < 0 || k + step >= n) {
        open = true;
        return p[k].frequency;
    }
    const SweepSample& in = p[k];
    const SweepSample& out = p[k + step];
    const double vIn = value(in), vOut = value(out);
    // vIn <= limit < vOut, so the fraction lies in [0, 1).
    const double t = (limit - vIn) / (vOut - vIn);
    return in.frequency + t * (out.frequency - in.frequency);
}

template <class Value>
std::optional<Band> BandAround(const std::vector<SweepSample>& p, int best, double limit,
                               Value value) {
    if (!(value(p[best]) <= limit)) return std::nullopt;
    Band b;
    b.low = Edge(p, best, -1, limit, value, b.openLow);
    b.high = Edge(p, best, +1, limit, value, b.openHigh);
    return b;
}

}  // namespace

double Band::Percent() const {
    const double c = Centre();
    return c > 0 ? (high - low) / c * 100 : 0;
}

std::vector<SweepSample> SweepSamples(const SessionState& s, int n) {
    n = std::clamp(n, 0, kSweepCapacity);
    std::vector<SweepSample> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        if (!std::isfinite(s.SweepFreq[k])) continue;
        SweepSample p;
        p.frequency = s.SweepFreq[k];
        p.rho = s.SweepRho[k];
        p.vswr = s.SweepVswr[k];
        p.vswr = std::isnan(p.vswr) ? kVswrLimit : p.vswr;
        p.returnLossDb = ReturnLossOf(p.rho);
        out.push_back(p);
    }
    std::stable_sort(out.begin(), out.end(), [](const SweepSample& a, const SweepSample& b) {
        return a.frequency < b.frequency;
    });
    return out;
}

Bandwidth FindBandwidth(const std::vector<SweepSample>& p) {
    Bandwidth bw;
    if (p.empty()) return bw;
    bw.any = true;
    int best = 0;
    for (int k = 1; k < static_cast<int>(p.size()); ++k)
        if (p[k].vswr < p[best].vswr) best = k;
    bw.bestFrequency = p[best].frequency;
    bw.bestVswr = p[best].vswr;
    bw.bestRho = p[best].rho;
    bw.bestReturnLossDb = p[best].returnLossDb;
    bw.vswr2 = BandAround(p, best, kBandVswr, [](const SweepSample& q) { return q.vswr; });
    // Return loss grows as the match improves; its negative is a quantity
    // that must stay below a limit, like VSWR.
    bw.rl10 = BandAround(p, best, -kBandReturnLossDb,
                         [](const SweepSample& q) { return -q.returnLossDb; });
    return bw;
}

}  // namespace qv

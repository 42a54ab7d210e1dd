// The network calculation: one Math call, the arcs of one redraw and a
// sweep, each batch against as many independent Math calls.
#include <benchmark/benchmark.h>

#include <vector>

#include "calc/Ladder.h"
#include "calc/Math.h"
#include "calc/Sweep.h"
#include "chart/ElementArcs.h"
#include "FiveStageNetwork.h"
#include "Ratios.h"

namespace {

constexpr int kSweepPoints = 2001;

void BM_MathFiveStages(benchmark::State& state) {
    qv::SessionState s = bench::FiveStageNetwork();
    for (auto _ : state) {
        qv::Math(s, 1);
        benchmark::DoNotOptimize(s.CurrentR);
        benchmark::DoNotOptimize(s.CurrentX);
    }
}
BENCHMARK(BM_MathFiveStages);

// The baseline of the arcs: 5000 independent calls, 1000 along the value of
// each of the five stages (swept from 0.5x to 1.5x).
void BM_MathElementArcs5000(benchmark::State& state) {
    qv::SessionState s = bench::FiveStageNetwork();
    for (auto _ : state) {
        for (int stage = 1; stage <= 5; ++stage) {
            const double base = s.Value[stage][1];
            for (int i = 0; i < 1000; ++i) {
                s.Value[stage][1] = base * (0.5 + i / 1000.0);
                qv::Math(s, 1);
                benchmark::DoNotOptimize(s.CurrentR);
            }
            s.Value[stage][1] = base;
        }
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_MathElementArcs5000)->Unit(benchmark::kMicrosecond);

// What the chart computes for one set of arcs: the same 5000 points.
void BM_ElementArcs(benchmark::State& state) {
    qv::SessionState s = bench::FiveStageNetwork();
    qv::ArcPoints points;
    for (auto _ : state) {
        qv::ComputeElementArcs(s, points);
        benchmark::DoNotOptimize(points.R[5].data());
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_ElementArcs)->Unit(benchmark::kMicrosecond);

// The baseline of the sweep: Math at each of 2001 frequencies, 1 to 30 MHz.
void BM_MathSweep2001(benchmark::State& state) {
    qv::SessionState s = bench::FiveStageNetwork();
    for (auto _ : state) {
        for (int k = 0; k < kSweepPoints; ++k) {
            s.TestFrequency = 1e6 + 29e6 * k / (kSweepPoints - 1);
            qv::Math(s, 1);
            benchmark::DoNotOptimize(s.CurrentR);
            benchmark::DoNotOptimize(s.CurrentX);
        }
    }
    state.SetItemsProcessed(state.iterations() * kSweepPoints);
}
BENCHMARK(BM_MathSweep2001)->Unit(benchmark::kMicrosecond);

// The same 2001 impedances as one batch over the frequencies.
void BM_Sweep2001(benchmark::State& state) {
    qv::SessionState s = bench::FiveStageNetwork();
    std::vector<double> f(kSweepPoints), R(kSweepPoints), X(kSweepPoints);
    for (int k = 0; k < kSweepPoints; ++k) f[k] = 1e6 + 29e6 * k / (kSweepPoints - 1);
    for (auto _ : state) {
        std::fill(R.begin(), R.end(), s.Value[0][1]);
        std::fill(X.begin(), X.end(), s.Value[0][2]);
        qv::ApplyNetwork(s, f.data(), R.data(), X.data(), kSweepPoints);
        benchmark::DoNotOptimize(R.data());
    }
    state.SetItemsProcessed(state.iterations() * kSweepPoints);
}
BENCHMARK(BM_Sweep2001)->Unit(benchmark::kMicrosecond);

// The whole sweep the table and the trace read: impedances, reflection
// coefficient, angle and VSWR of every point.
void BM_ComputeSweep2001(benchmark::State& state) {
    qv::SessionState s = bench::FiveStageNetwork();
    s.SweepStart = 1e6;
    s.SweepStop = 30e6;
    s.SweepPoints = kSweepPoints;
    for (auto _ : state) benchmark::DoNotOptimize(qv::ComputeSweep(s));
    state.SetItemsProcessed(state.iterations() * kSweepPoints);
}
BENCHMARK(BM_ComputeSweep2001)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv,
                                {{"arcs", "BM_ElementArcs", "BM_MathElementArcs5000"},
                                 {"sweep", "BM_Sweep2001", "BM_MathSweep2001"}});
}

#include <benchmark/benchmark.h>

#include "calc/Math.h"
#include "session/SessionState.h"

namespace {

// A 14 MHz match: line, open shunt stub, parallel L-C trap, lossy L, lossy C.
qv::SessionState FiveStageNetwork() {
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);
    s.LoadMode = 1;
    s.TestFrequency = 14e6;
    s.Value[0][1] = 25;
    s.Value[0][2] = -30;
    s.ElementType[1] = qv::TransmissionLine;
    s.Value[1] = {0, 30, 14e6, 75};
    s.ElementType[2] = qv::ShuntOpenStub;
    s.Value[2] = {0, 20, 14e6, 50};
    s.ElementType[3] = qv::SeriesLCPair;
    s.Value[3] = {0, 1e-6, 150, 100e-12, 500};
    s.ElementType[4] = qv::SeriesInductor;
    s.Value[4] = {0, 0.5e-6, 80};
    s.ElementType[5] = qv::ShuntCapacitor;
    s.Value[5] = {0, 200e-12, 300};
    return s;
}

void BM_MathFiveStages(benchmark::State& state) {
    qv::SessionState s = FiveStageNetwork();
    for (auto _ : state) {
        qv::Math(s, 1);
        benchmark::DoNotOptimize(s.CurrentR);
        benchmark::DoNotOptimize(s.CurrentX);
    }
}
BENCHMARK(BM_MathFiveStages);

// What one chart redraw costs: 1000 points along the arc of each of the five
// stages, the stage's first value swept from 0.5x to 1.5x.
void BM_MathElementArcs5000(benchmark::State& state) {
    qv::SessionState s = FiveStageNetwork();
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

}  // namespace

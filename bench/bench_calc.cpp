#include <benchmark/benchmark.h>

#include "calc/Math.h"
#include "FiveStageNetwork.h"

namespace {

void BM_MathFiveStages(benchmark::State& state) {
    qv::SessionState s = bench::FiveStageNetwork();
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

}  // namespace

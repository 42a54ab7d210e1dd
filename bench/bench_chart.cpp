// The full chart redraw that every tuning, zoom and drag step runs: both
// grids and five filled stages, 5000 network calculations. Replaying the
// display list into a window image is measured on the Qt side.
#include <benchmark/benchmark.h>

#include "chart/ChartView.h"
#include "chart/RedrawChart.h"
#include "drawing/RecordingSurface.h"
#include "FiveStageNetwork.h"

namespace {

// The shared network on the chart as the page opens it, both grids drawn.
qv::SessionState OpenedChart() {
    qv::SessionState s = bench::FiveStageNetwork();
    s.ChartCenterX = 8000;
    qv::ChartPage page;
    qv::OpenChartView(s, page);
    s.GridType = 3;
    s.PanelEdge = {1400, 2400, 3400, 4400, 5400, 6400};
    return s;
}

void BM_RedrawChart(benchmark::State& state) {
    qv::SessionState s = OpenedChart();
    qv::RecordingSurface surface;
    for (auto _ : state) {
        qv::RedrawChart(s, surface);
        benchmark::DoNotOptimize(surface.Ops().data());
    }
    state.counters["ops"] = static_cast<double>(surface.Ops().size());
}
BENCHMARK(BM_RedrawChart)->Unit(benchmark::kMillisecond);

}  // namespace

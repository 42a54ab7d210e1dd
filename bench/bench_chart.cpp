// The full chart redraw that every tuning, zoom and drag step runs: both
// grids and five filled stages, 5000 network calculations. Replaying the
// display list into a window image is measured on the Qt side.
#include <benchmark/benchmark.h>

#include "chart/ChartView.h"
#include "chart/RedrawChart.h"
#include "drawing/RecordingSurface.h"

namespace {

qv::SessionState FiveStageNetwork() {
    qv::SessionState s;
    qv::InitSession(s);
    qv::ResetNetwork(s);
    s.LoadMode = 1;
    s.ChartCenterX = 8000;
    qv::ChartPage page;
    qv::OpenChartView(s, page);
    s.GridType = 3;
    s.Value[0][1] = 12;
    s.Value[0][2] = -30;
    s.ElementType[1] = qv::SeriesInductor;
    s.Value[1][1] = 4.7e-6;
    s.Value[1][2] = 150;
    s.ElementType[2] = qv::ShuntCapacitor;
    s.Value[2][1] = 220e-12;
    s.Value[2][2] = 800;
    s.ElementType[3] = qv::TransmissionLine;
    s.Value[3][1] = 30;
    s.Value[3][2] = 1e6;
    s.Value[3][3] = 75;
    s.ElementType[4] = qv::ShuntShortedStub;
    s.Value[4][1] = 60;
    s.Value[4][2] = 1e6;
    s.Value[4][3] = 50;
    s.ElementType[5] = qv::SeriesLCPair;
    s.Value[5][1] = 1e-6;
    s.Value[5][2] = 100;
    s.Value[5][3] = 100e-12;
    s.Value[5][4] = 500;
    s.PanelEdge = {1400, 2400, 3400, 4400, 5400, 6400};
    return s;
}

void BM_RedrawChart(benchmark::State& state) {
    qv::SessionState s = FiveStageNetwork();
    qv::RecordingSurface surface;
    for (auto _ : state) {
        qv::RedrawChart(s, surface);
        benchmark::DoNotOptimize(surface.Ops().data());
    }
    state.counters["ops"] = static_cast<double>(surface.Ops().size());
}
BENCHMARK(BM_RedrawChart)->Unit(benchmark::kMillisecond);

}  // namespace

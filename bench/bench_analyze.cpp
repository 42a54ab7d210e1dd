// The Analysis page's hot paths, on screens of 1920 x 1080 and 3840 x 2160:
// one tuning step end to end (parse, store, panel, arcs, repaint of what
// changed over the kept backdrop), against one full replay of the whole chart's display list
// at the same size; and start-up to the first painted window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "FiveStageNetwork.h"
#include "Ratios.h"
#include "chart/RedrawChart.h"
#include "pages/analyze/AnalyzePage.h"
#include "pages/opening/OpeningPage.h"
#include "platform/ScriptedHost.h"
#include "schematic/NetworkPanel.h"

namespace {

struct Fixture {
    qv::SessionState s = bench::FiveStageNetwork();
    qv::ScriptedHost host;
    qv::RecordingNavigator navigator;
    qv::PageContext context{s, host, navigator, "LASTSESSION.QVF"};
    std::unique_ptr<qv::PageWindow> page;

    Fixture(int width, int height) {
        s.ChartCenterX = 8000;
        s.GridType = 3;  // both grids
        page = qv::MakeAnalyzePage(context);
        page->resize(width, height);
    }
};

// Counts the paint events of a window.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

// The baseline: the whole chart as one display list (what the page drew on
// every step before it kept its backdrop), replayed into an image of the
// window's size.
void ReplayWhole(benchmark::State& state, int width, int height) {
    Fixture f(width, height);
    qv::SessionState copy = f.s;
    qv::RecordingSurface list;
    qv::UseQtTextMetrics(list);
    qv::ChartHooks hooks;
    hooks.networkPanel = [&](qv::Surface& surf) { qv::DrawNetworkPanel(copy, surf, qv::PanelFont()); };
    qv::DrawNetworkPanel(copy, list, qv::PanelFont());
    list.SetFont(qv::AnalyzePage::PageFont());
    qv::RedrawChart(copy, list, hooks);
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    const qv::PageTransform t = f.page->Transform();
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        qv::Replay(painter, list.Ops(), t);
    }
    state.counters["ops"] = static_cast<double>(list.Ops().size());
}

void TuningStep(benchmark::State& state, int width, int height) {
    Fixture f(width, height);
    f.page->show();
    QApplication::processEvents();  // let the window be exposed, or nothing paints
    // Pick the middle stage in the panel band. A step of any stage moves
    // every arc a little (the stages after an arc's own one sit at their
    // near-neutral values, which follow theirs), so the cost hardly depends
    // on the stage.
    const QPointF at = f.page->ToDevice(f.s.PanelEdge[3] - 10, 1000);
    QMouseEvent press(QEvent::MouseButtonPress, at, f.page->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.page.get(), &press);
    auto* up = f.page->findChild<QPushButton*>("cmd3up1");
    auto* down = f.page->findChild<QPushButton*>("cmd3down1");
    f.page->repaint();
    PaintCounter counter;
    f.page->installEventFilter(&counter);
    bool goingUp = true;
    for (auto _ : state) {
        // The step, then the window's events until it has painted what the
        // step marked, as the event loop does after a click.
        const int paints = counter.paints;
        (goingUp ? up : down)->click();
        while (counter.paints == paints) QApplication::processEvents();
        goingUp = !goingUp;
    }
    state.counters["paints/step"] =
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}

void BM_ReplayWhole1080p(benchmark::State& state) { ReplayWhole(state, 1920, 1080); }
void BM_TuningStep1080p(benchmark::State& state) { TuningStep(state, 1920, 1080); }
void BM_ReplayWhole2160p(benchmark::State& state) { ReplayWhole(state, 3840, 2160); }
void BM_TuningStep2160p(benchmark::State& state) { TuningStep(state, 3840, 2160); }
BENCHMARK(BM_ReplayWhole1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TuningStep1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayWhole2160p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TuningStep2160p)->Unit(benchmark::kMillisecond);

// Start-up, once the application object exists: the session made, the
// opening page built (its start-up order reads the last session, none
// here), shown and painted for the first time.
void BM_StartUpToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        qv::SessionState s;
        qv::ScriptedHost host;
        qv::RecordingNavigator navigator;
        qv::PageContext context{s, host, navigator, "bench-no-LASTSESSION.QVF"};
        auto page = qv::MakeOpeningPage(context);
        PaintCounter counter;
        page->installEventFilter(&counter);
        page->show();
        while (counter.paints == 0) QApplication::processEvents();
        state.PauseTiming();
        page.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::RunWithRatios(argc, argv,
                                {{"tuning_1080p", "BM_TuningStep1080p", "BM_ReplayWhole1080p"},
                                 {"tuning_2160p", "BM_TuningStep2160p", "BM_ReplayWhole2160p"}},
                                {{"startup_first_paint_ms", "BM_StartUpToFirstPaint"}});
}

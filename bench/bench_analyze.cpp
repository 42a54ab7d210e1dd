// The Analysis page's two hot paths: painting the chart's display list into a
// full-HD window image, and one tuning step end to end (parse, store, panel,
// full redraw, repaint), which must stay well inside a 60 Hz frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "FiveStageNetwork.h"
#include "pages/analyze/AnalyzePage.h"
#include "platform/ScriptedHost.h"

namespace {

struct Fixture {
    qv::SessionState s = bench::FiveStageNetwork();
    qv::ScriptedHost host;
    qv::RecordingNavigator navigator;
    qv::PageContext context{s, host, navigator, "LASTSESSION.QVF"};
    std::unique_ptr<qv::PageWindow> page;

    Fixture() {
        s.ChartCenterX = 8000;
        s.GridType = 3;  // both grids
        page = qv::MakeAnalyzePage(context);
    }
};

void BM_ReplayChartFullHd(benchmark::State& state) {
    Fixture f;
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    const auto& ops = f.page->Recording().Ops();
    const qv::PageTransform t = qv::PageTransform::Fit(11880, 8490, 1920, 1080);
    for (auto _ : state) {
        QPainter painter(&image);
        qv::Replay(painter, ops, t);
    }
    state.counters["ops"] = static_cast<double>(ops.size());
}
BENCHMARK(BM_ReplayChartFullHd)->Unit(benchmark::kMillisecond);

// Counts the page's paint events, so the figure is known to include painting.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

void BM_TuningStep(benchmark::State& state) {
    Fixture f;
    f.page->resize(1920, 1080);
    f.page->show();
    QApplication::processEvents();  // let the window be exposed, or nothing paints
    // Pick stage 1 in the panel band.
    const QPointF at = f.page->ToDevice(f.s.PanelEdge[1] - 10, 1000);
    QMouseEvent press(QEvent::MouseButtonPress, at, f.page->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.page.get(), &press);
    auto* up = f.page->findChild<QPushButton*>("cmd3up1");
    auto* down = f.page->findChild<QPushButton*>("cmd3down1");
    PaintCounter counter;
    f.page->installEventFilter(&counter);
    bool goingUp = true;
    for (auto _ : state) {
        (goingUp ? up : down)->click();
        f.page->repaint();
        goingUp = !goingUp;
    }
    state.counters["paints/step"] =
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TuningStep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The Analysis page paints its chart backdrop from a kept picture and the
// rest over it. Across zoom, drag, grid type, resize and tuning, the page
// must look exactly as the whole chart replayed at once, as RedrawChart
// draws it, and the picture is made again only when the backdrop changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "chart/RedrawChart.h"
#include "pages/analyze/AnalyzePage.h"
#include "platform/ScriptedHost.h"
#include "schematic/NetworkPanel.h"

namespace qv {
namespace {

class ChartLayers : public ::testing::Test {
protected:
    void SetUp() override {
        InitSession(s);
        ResetNetwork(s);
        s.LoadMode = 1;
        s.ChartCenterX = 8000;
        s.TestFrequency = 14e6;
        s.Value[0] = {0, 25, -30};
        s.ElementType[1] = TransmissionLine;
        s.Value[1] = {0, 30, 14e6, 75};
        s.ElementType[2] = ShuntOpenStub;
        s.Value[2] = {0, 20, 14e6, 50};
        s.ElementType[3] = SeriesInductor;
        s.Value[3] = {0, 0.5e-6, 80};
        s.QArcsOn = 1;
        page = std::make_unique<AnalyzePage>(context);
        page->resize(900, 670);
    }

    QImage Painted() {
        QImage image(page->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        page->render(&image, {}, {}, QWidget::DrawWindowBackground);
        return image;
    }

    // The page's redraw as one list: the panel drawn for its edges, then
    // RedrawChart on a copy of the state as the page left it.
    QImage Whole() {
        SessionState copy = s;
        RecordingSurface list;
        UseQtTextMetrics(list);
        ChartHooks hooks;
        hooks.networkPanel = [&](Surface& surf) { DrawNetworkPanel(copy, surf, PanelFont()); };
        DrawNetworkPanel(copy, list, PanelFont());
        list.SetFont(AnalyzePage::PageFont());
        RedrawChart(copy, list, hooks);
        QImage image(page->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        Replay(painter, list.Ops(), page->Transform());
        return image;
    }

    void ExpectSameAsWhole(const char* after) {
        const QImage painted = Painted(), whole = Whole();
        ASSERT_EQ(painted.size(), whole.size());
        int differing = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x) differing += painted.pixel(x, y) != whole.pixel(x, y);
        EXPECT_EQ(differing, 0) << "after " << after;
    }

    void Drag(double fromX, double fromY, double toX, double toY) {
        for (auto [type, x, y] : {std::tuple{QEvent::MouseButtonPress, fromX, fromY},
                                  std::tuple{QEvent::MouseMove, toX, toY}}) {
            const QPointF at = page->ToDevice(x, y);
            QMouseEvent e(type, at, page->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(page.get(), &e);
        }
    }
    void Click(const char* name) { page->findChild<QPushButton*>(name)->click(); }

    SessionState s;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{s, host, navigator, "LASTSESSION.QVF"};
    std::unique_ptr<AnalyzePage> page;
};

TEST_F(ChartLayers, ComposedPageEqualsTheWholeChartAndKeepsItsBackdrop) {
    ExpectSameAsWhole("opening");
    const int made = page->KeptPicturesMade();

    // Tuning moves the arcs and the panel's texts; the backdrop stays.
    const QPointF at = page->ToDevice(s.PanelEdge[1] - 10, 1000);
    QMouseEvent pick(QEvent::MouseButtonPress, at, page->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(page.get(), &pick);
    Click("cmd3up10");
    ExpectSameAsWhole("a tuning step");
    EXPECT_EQ(page->KeptPicturesMade(), made);

    const std::pair<const char*, std::function<void()>> changes[] = {
        {"zoom in", [&] { Click("cmdIn"); }},
        {"a drag", [&] { Drag(8000, 5000, 7400, 5600); }},
        {"grid type 2", [&] { Click("cmdDisplay"); }},
        {"grid type 3", [&] { Click("cmdDisplay"); }},
        {"a resize", [&] { page->resize(1300, 960); }},
        {"reset", [&] { Click("cmdReset"); }},
    };
    for (const auto& [what, change] : changes) {
        const int before = page->KeptPicturesMade();
        change();
        ExpectSameAsWhole(what);
        EXPECT_EQ(page->KeptPicturesMade(), before + 1) << what;
    }
}

}  // namespace
}  // namespace qv

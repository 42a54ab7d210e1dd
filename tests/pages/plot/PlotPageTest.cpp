// The plot page beside the Analysis page: it follows the tuning there, saves
// its picture and prints.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "files/TempDir.h"
#include "pages/PageFixture.h"
#include "pages/analyze/AnalyzePage.h"
#include "pages/plot/PlotPage.h"
#include "platform/Pixels.h"
#include "session/Stages.h"

namespace qv {
namespace {

class PlotPageTest : public ::testing::Test, protected test::PageFixture {
protected:
    void SetUp() override {
        s = test::Fresh();
        s.ChartCenterX = 8000;
        // 12.5 ohms matched to 50 at 14.2 MHz by a series L and a shunt C.
        const double w = 2 * std::acos(-1.0) * 14.2e6;
        s.TestFrequency = 14.2e6;
        s.Value[0][1] = 12.5;
        test::SetStage(s, 1, SeriesInductor, std::sqrt(12.5 * 37.5) / w);
        test::SetStage(s, 2, ShuntCapacitor, std::sqrt(3.0) / 50 / w);
        s.SweepStart = 10e6, s.SweepStop = 18e6, s.SweepPoints = 41;
        plot = std::make_unique<PlotPage>(context);
        navigator.besidePage = plot.get();
        analyze = MakeAnalyzePage(context);
    }
    std::string Text(const std::string& prefix) const {
        for (const DrawOp& op : plot->Recording().Ops())
            if (op.kind == DrawOp::Text && op.text.rfind(prefix, 0) == 0) return op.text;
        return {};
    }

    SessionState& s = state;
    std::unique_ptr<PlotPage> plot;
    std::unique_ptr<PageWindow> analyze;
};

TEST_F(PlotPageTest, FollowsTuningOnTheAnalysisPage) {
    test::ClickButton(*analyze, "cmdPlot");
    EXPECT_EQ(navigator.beside, std::vector<PageId>{PageId::Plot});

    const std::string before = Text("VSWR 2 band");
    // Pick the capacitor and raise it 10 %: the match moves down in
    // frequency, and so does the band's lower edge.
    test::SendMouse(*analyze, QEvent::MouseButtonPress, s.PanelEdge[2] - 10, 1000);
    test::ClickButton(*analyze, "cmd3up10");
    EXPECT_NE(Text("VSWR 2 band"), before);
    EXPECT_NE(Text("Best match 13."), "") << Text("Best match");
}

TEST_F(PlotPageTest, SavesThePlotAsAPictureAndPrintsIt) {
    test::TempDir dir;
    host.fileAnswers = {dir.File("band"), dir.File("band.txt")};
    test::ClickButton(*plot, "cmdSavePicture");
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("band.png"))).size(), QSize(1200, 800));
    test::ClickButton(*plot, "cmdSavePicture");  // an unknown kind of picture
    EXPECT_EQ(host.Texts("message").size(), 1u);

    host.printAnswers = {PrintChoice{"", dir.File("plot.pdf")}};
    test::ClickButton(*plot, "cmdPrint");
    EXPECT_TRUE(std::filesystem::file_size(dir.File("plot.pdf")) > 1000 && host.Count("beep") == 0);
}

// The chart's backdrop is a layer of its own on the page; the picture must
// carry it under the network and the arcs.
TEST_F(PlotPageTest, AnalysisPagePictureHasTheChartUnderTheNetwork) {
    test::TempDir dir;
    host.fileAnswers = {dir.File("chart.png")};
    test::ClickButton(*analyze, "cmdSavePicture");
    const QImage png(QString::fromStdString(dir.File("chart.png")));
    ASSERT_EQ(png.size(), QSize(1188, 948));
    const QColor rimTop = png.pixelColor(800, 221);  // centre (8000, 5700), radius 3500
    EXPECT_TRUE(rimTop.red() > 200 && rimTop.green() < 120) << rimTop.name().toStdString();
    EXPECT_TRUE(test::Inked(png, QPointF(s.PanelEdge[0] / 10.0, 60), 40));  // the load
}

}  // namespace
}  // namespace qv

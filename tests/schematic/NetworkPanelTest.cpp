#include "schematic/NetworkPanel.h"

#include <gtest/gtest.h>

#include <tuple>

#include "drawing/Ops.h"
#include "session/Stages.h"
#include "numbers/Format.h"

namespace qv {
namespace {

using test::OpsOf;
using test::SetStage;
using test::TextsAt;

struct Panel : ::testing::Test {
    Panel() { s.TuneStage = -1; }
    void Draw() {
        g.Reset();
        DrawNetworkPanel(s, g);
    }
    std::vector<DrawOp> Frames() {
        auto boxes = OpsOf(g, DrawOp::Box);
        std::erase_if(boxes, [](const DrawOp& op) { return op.colour != kPanelFrameColour; });
        return boxes;
    }
    SessionState s = test::Fresh();
    RecordingSurface g;
};

TEST_F(Panel, EmptyStagesShareTheEdgeBeforeThem) {
    s.PanelEdge[5] = 7000;
    SetStage(s, 2, SeriesCapacitor, 100e-12);
    Draw();
    // The wipe reaches as far as the previous drawing did.
    EXPECT_TRUE(g.Ops().front().kind == DrawOp::FillBox && g.Ops().front().x2 == 7030);
    const int load = 400 + 2 * 270, capacitor = load + 4 * 270 + 324;
    EXPECT_EQ(s.PanelEdge, (decltype(s.PanelEdge){load, load, capacitor, capacitor, capacitor, capacitor}));

    s.TestFrequency = 0;
    Draw();
    EXPECT_TRUE(g.Ops().empty());
}

TEST_F(Panel, LoadTextSitsLeftOfTheLoadEdge) {
    s.Value[0][2] = -30;
    Draw();
    const std::string rt = FormatResistance(50), xt = FormatResistance(30);
    EXPECT_DOUBLE_EQ(TextsAt(g, rt + " -j" + xt).at(0).x1,
                     s.PanelEdge[0] - 600 - 60.0 * (rt.size() + xt.size()));
    EXPECT_DOUBLE_EQ(TextsAt(g, "LOAD").at(0).x1, s.PanelEdge[0] - 700);
    s.Value[0][2] = 0;
    Draw();
    EXPECT_DOUBLE_EQ(TextsAt(g, rt).at(0).x1, s.PanelEdge[0] - 600);
}

TEST_F(Panel, ReactancesAtTheTestFrequency) {
    s.TestFrequency = 10e6;
    SetStage(s, 1, ShuntCapacitor, 100e-12);
    SetStage(s, 2, SeriesInductor, 1e-6);
    SetStage(s, 3, ShuntLCPair, 1e-6, 0, 100e-12);  // resonates near 15.9 MHz
    SetStage(s, 4, SeriesLCPair, 1e-6, 0, 100e-12);
    Draw();
    // 62.8 - 159.2 in the shunt pair, 1 / (1/62.8 - 1/159.2) in the series one.
    const std::tuple<int, int, const char*> shown[] = {
        {1, 1, "-159."}, {2, 1, "+62.8"}, {3, 2, "-96.3"}, {4, 2, "+103.8"}};
    for (const auto& [stage, row, text] : shown)
        EXPECT_EQ(PanelValueTexts(s, stage).at(row).rfind(text, 0), 0u) << stage;
    const auto row2 = TextsAt(g, PanelValueTexts(s, 4).at(2));
    EXPECT_TRUE(row2.size() == 1 && row2[0].y1 == 180 + 1400 && std::fabs(row2[0].x1 - s.PanelEdge[3]) < 0.5);
    // A negative part value (from a file) shows its reactance's own sign once.
    SetStage(s, 2, SeriesInductor, -1e-6);
    SetStage(s, 1, ShuntCapacitor, -100e-12);
    EXPECT_EQ(PanelValueTexts(s, 2).at(1).rfind("-62.8", 0), 0u);
    EXPECT_EQ(PanelValueTexts(s, 1).at(1).rfind("+159.", 0), 0u);
    s.Value[1][1] = 0;  // no reactance to show
    EXPECT_EQ(PanelValueTexts(s, 1).size(), 1u);
}

TEST_F(Panel, FrameMarksThePickedStageOnly) {
    for (int k = 1; k <= 5; ++k) SetStage(s, k, SeriesResistor, 10);
    SetStage(s, 3, SeriesCapacitor, 1e-9);
    s.TuneStage = 0;
    Draw();
    EXPECT_TRUE(Frames().empty());

    s.TuneStage = 3;
    Draw();
    auto f = Frames();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(std::tuple(f[0].x1, f[0].y1, f[0].x2, f[0].y2),
              std::tuple(s.PanelEdge[2] + 30.0, 180 - 165.0, s.PanelEdge[3] - 30.0, 180 + 936 + 30.0));
    EXPECT_EQ(s.SymbolColour, kBlack);
}

TEST_F(Panel, ColourBarsOnlyWithArcsOn) {
    SetStage(s, 2, SeriesResistor, 10);
    SetStage(s, 4, ShuntResistor, 10);
    s.ArcsSwitch = 1;
    Draw();
    EXPECT_EQ(OpsOf(g, DrawOp::FillBox).size(), 1u);  // the wipe only

    s.ArcsSwitch = 2;
    Draw();
    const auto bars = OpsOf(g, DrawOp::FillBox);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(std::tuple(bars[2].colour, bars[2].x1, bars[2].x2),
              std::tuple(StageArcColour(4), double(s.PanelEdge[3]), double(s.PanelEdge[4])));
}

}  // namespace
}  // namespace qv

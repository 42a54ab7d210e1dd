#include "schematic/NetworkPanel.h"

#include <gtest/gtest.h>

#include "Ops.h"
#include "numbers/Format.h"

namespace qv {
namespace {

using test::HasText;
using test::OpsOf;
using test::TextsAt;

struct Panel : ::testing::Test {
    Panel() {
        InitSession(s);
        ResetNetwork(s);
        s.TuneStage = -1;
    }
    void Draw() {
        g.Reset();
        DrawNetworkPanel(s, g);
    }
    std::vector<DrawOp> Frames() {
        std::vector<DrawOp> out;
        for (const auto& op : OpsOf(g, DrawOp::Box))
            if (op.colour == kPanelFrameColour) out.push_back(op);
        return out;
    }
    SessionState s;
    RecordingSurface g;
};

TEST_F(Panel, EmptyStagesShareTheEdgeBeforeThem) {
    s.ElementType[2] = SeriesCapacitor;
    s.Value[2][1] = 100e-12;
    Draw();
    EXPECT_EQ(s.PanelEdge[0], 400 + 2 * 270);
    EXPECT_EQ(s.PanelEdge[1], s.PanelEdge[0]);
    EXPECT_EQ(s.PanelEdge[2], s.PanelEdge[1] + 1404);
    EXPECT_EQ(s.PanelEdge[3], s.PanelEdge[2]);
    EXPECT_EQ(s.PanelEdge[5], s.PanelEdge[2]);
    // One separator per stage, at the stage's start.
    int separators = 0;
    for (const auto& op : OpsOf(g, DrawOp::Line)) separators += op.colour == kPanelSeparatorColour;
    EXPECT_EQ(separators, 5);
}

TEST_F(Panel, WipesUpToThePreviousRightEdgeFirst) {
    s.PanelEdge[5] = 7000;
    Draw();
    const DrawOp& wipe = g.Ops().front();
    EXPECT_EQ(wipe.kind, DrawOp::FillBox);
    EXPECT_EQ(wipe.colour, kWhite);
    EXPECT_DOUBLE_EQ(wipe.x2, 7030);
    EXPECT_DOUBLE_EQ(wipe.y2, 1960);

    s.TestFrequency = 0;
    s.PanelEdge[5] = 1;
    Draw();
    EXPECT_TRUE(g.Ops().empty());
    EXPECT_EQ(s.PanelEdge[5], 1);
}

TEST_F(Panel, LoadTextVariants) {
    Draw();
    auto t = TextsAt(g, FormatResistance(50));  // the generator's "50 " comes later
    ASSERT_EQ(t.size(), 2u);
    EXPECT_DOUBLE_EQ(t[0].x1, s.PanelEdge[0] - 600);
    EXPECT_DOUBLE_EQ(t[0].y1, 180 + 1000);
    const auto load = TextsAt(g, "LOAD");
    ASSERT_EQ(load.size(), 1u);
    EXPECT_DOUBLE_EQ(load[0].x1, s.PanelEdge[0] - 700);
    EXPECT_DOUBLE_EQ(load[0].y1, 1400);

    s.Value[0][2] = -30;
    Draw();
    EXPECT_TRUE(HasText(g, FormatResistance(50) + " -j" + FormatResistance(30)));
    s.Value[0][2] = 30;
    Draw();
    EXPECT_TRUE(HasText(g, FormatResistance(50) + " +j" + FormatResistance(30)));
}

TEST_F(Panel, ReactancesAtTheTestFrequency) {
    s.TestFrequency = 10e6;
    s.ElementType[1] = ShuntCapacitor;
    s.Value[1][1] = 100e-12;
    s.ElementType[2] = SeriesInductor;
    s.Value[2][1] = 1e-6;
    s.ElementType[3] = ShuntLCPair;  // 1 uH with 100 pF resonates near 15.9 MHz
    s.Value[3][1] = 1e-6;
    s.Value[3][3] = 100e-12;
    s.ElementType[4] = SeriesLCPair;
    s.Value[4][1] = 1e-6;
    s.Value[4][3] = 100e-12;
    s.ElementType[5] = TransmissionLine;
    s.Value[5][1] = 90;
    s.Value[5][2] = 3e6;
    s.Value[5][3] = 75;
    Draw();
    const auto c = PanelValueTexts(s, 1);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[1].rfind("-159.", 0), 0u) << c[1];
    EXPECT_EQ(PanelValueTexts(s, 2)[1].rfind("+62.8", 0), 0u);
    EXPECT_EQ(PanelValueTexts(s, 3)[2].rfind("-96.", 0), 0u);   // 62.8 - 159.2
    EXPECT_EQ(PanelValueTexts(s, 4)[2].rfind("+103.8", 0), 0u);  // 1 / (1/62.8 - 1/159.2)
    EXPECT_TRUE(HasText(g, "@ " + FormatGeneral(10e6)));
    const auto rows = TextsAt(g, FormatResistance(75) + " ohms");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_DOUBLE_EQ(rows[0].y1, 180 + 1400);
    EXPECT_NEAR(rows[0].x1, s.PanelEdge[4], 0.5);

    s.Value[1][1] = 0;  // no reactance to show, and no crash
    EXPECT_EQ(PanelValueTexts(s, 1).size(), 1u);
}

TEST_F(Panel, FrameMarksThePickedStageOnly) {
    for (int k = 1; k <= 5; ++k) {
        s.ElementType[k] = SeriesResistor;
        s.Value[k][1] = 10;
    }
    s.ElementType[3] = SeriesCapacitor;
    s.Value[3][1] = 1e-9;
    s.TuneStage = 0;
    Draw();
    EXPECT_TRUE(Frames().empty());
    EXPECT_EQ(s.SymbolColour, kBlack);

    s.TuneStage = 3;
    Draw();
    auto f = Frames();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_DOUBLE_EQ(f[0].x1, s.PanelEdge[2] + 30);
    EXPECT_DOUBLE_EQ(f[0].x2, s.PanelEdge[3] - 30);
    EXPECT_DOUBLE_EQ(f[0].y1, 180 - 165);
    EXPECT_DOUBLE_EQ(f[0].y2, 180 + 936 + 30);
    int picked = 0;
    for (const auto& op : OpsOf(g, DrawOp::Line)) picked += op.colour == 2;
    EXPECT_GT(picked, 5);

    s.TuneStage = 4;
    Draw();
    f = Frames();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_DOUBLE_EQ(f[0].y2, 180 + 936 + 45);
}

TEST_F(Panel, ColourBarsOnlyWithArcsOn) {
    s.ElementType[2] = SeriesResistor;
    s.Value[2][1] = 10;
    s.ElementType[4] = ShuntResistor;
    s.Value[4][1] = 10;
    s.ArcsSwitch = 1;
    Draw();
    EXPECT_EQ(OpsOf(g, DrawOp::FillBox).size(), 1u);  // the wipe only

    s.ArcsSwitch = 2;
    Draw();
    const auto bars = OpsOf(g, DrawOp::FillBox);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[1].colour, StageArcColour(2));
    EXPECT_DOUBLE_EQ(bars[1].x1, s.PanelEdge[1]);
    EXPECT_DOUBLE_EQ(bars[1].x2, s.PanelEdge[2]);
    EXPECT_EQ(bars[2].colour, StageArcColour(4));
    EXPECT_DOUBLE_EQ(bars[2].x1, s.PanelEdge[3]);
    EXPECT_DOUBLE_EQ(bars[2].y1, 15);
    EXPECT_DOUBLE_EQ(bars[2].y2, 45);
}

TEST_F(Panel, GeneratorShowsTheSystemImpedance) {
    s.SystemZ = 75;
    Draw();
    const auto z = TextsAt(g, FormatImpedance(75));
    ASSERT_EQ(z.size(), 1u);
    EXPECT_DOUBLE_EQ(z[0].x1, s.PanelEdge[5] + 250);
    EXPECT_DOUBLE_EQ(z[0].y1, 180 + 1000);
    EXPECT_TRUE(HasText(g, "GEN"));
}

}  // namespace
}  // namespace qv

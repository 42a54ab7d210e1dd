#include "schematic/Schematic.h"

#include <gtest/gtest.h>

#include "drawing/Ops.h"
#include "session/Stages.h"
#include "numbers/Format.h"

namespace qv {
namespace {

using test::SetStage;
using test::StrokesIn;
using test::TextsAt;

struct Design : ::testing::Test {
    void Draw() { RedrawSchematic(s, g, edges); }
    SessionState s = test::Fresh();
    RecordingSurface g;
    StageEdges edges{};
};

TEST_F(Design, EmptyNetworkIsFiveWiresAtAFixedPitch) {
    Draw();
    EXPECT_TRUE(g.Ops().front().kind == DrawOp::Clear && TextsAt(g, "(Wire)").size() == 5 && TextsAt(g, "GEN").size() == 1);
    for (int k = 0; k <= 5; ++k) EXPECT_EQ(edges[k], 2000 + 480 + 150 + 1280 * k);
}

TEST_F(Design, LoadTextByReactanceSign) {
    Draw();
    auto r = TextsAt(g, FormatResistance(50));  // the generator's "50 " comes later
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(std::pair(r[0].x1, r[0].y1), std::pair(2480 - 800.0, 2200.0));

    s.Value[0][2] = -25;
    Draw();
    const std::string rt = FormatResistance(50), xt = FormatResistance(25);
    r = TextsAt(g, rt + " -j" + xt);
    // Right-aligned to the end of the series capacitor, 60 units a character.
    EXPECT_TRUE(r.size() == 1 && r[0].x1 == 3000 - 600 - 60.0 * (rt.size() + xt.size()));

    s.Value[0][2] = 25;
    Draw();
    EXPECT_EQ(TextsAt(g, rt + " +j" + xt).size(), 1u);
}

TEST_F(Design, InvalidStageIsRedAndSaysNothing) {
    SetStage(s, 2, SeriesCapacitor, 100e-12, 0);  // a file can still bring Q = 0
    SetStage(s, 3, ShuntInductor, 1e-6, 1000);
    SetStage(s, 4, SeriesLCPair, 1e-6, 200, 47e-12, 0);  // the capacitor's Q is not checked
    Draw();
    EXPECT_GT(StrokesIn(g, kInvalidSymbolColour, edges[1], edges[2]), 5);
    EXPECT_EQ(StrokesIn(g, kInvalidSymbolColour, edges[2], 30000) + StrokesIn(g, kInvalidSymbolColour, 0, edges[1]), 0);
    EXPECT_TRUE(TextsAt(g, FormatCapacitance(100e-12)).empty() && TextsAt(g, "Q: " + FormatResistance(1000)).size() == 1);
    const auto cap = TextsAt(g, FormatCapacitance(47e-12));
    EXPECT_TRUE(cap.size() == 1 && cap[0].y1 == 1000 + 1600 && s.SymbolColour == kBlack);
}

TEST_F(Design, LineQuotesTheTestFrequencyAndAStubItsOwn) {
    s.TestFrequency = 14.2e6;
    SetStage(s, 1, TransmissionLine, 90, 7e6, 75);
    SetStage(s, 2, SeriesShortedStub, 45, 3.5e6, 50);
    Draw();
    EXPECT_DOUBLE_EQ(TextsAt(g, "@ " + FormatGeneral(14.2e6)).at(0).x1, edges[0] - 150 + 320);
    EXPECT_DOUBLE_EQ(TextsAt(g, "@ " + FormatGeneral(3.5e6)).at(0).x1, edges[1] - 150 + 320);
}

TEST_F(Design, PrintedFormIsBlackWithoutCaptionsAndOneRowLower) {
    SetStage(s, 1, ShuntCapacitor, 0, 0);
    SetStage(s, 2, SeriesResistor, 10);
    DrawLadder(s, g, PrintedPageStyle(1.2), edges);
    EXPECT_EQ(StrokesIn(g, kInvalidSymbolColour, 0, 1e6), 0);
    EXPECT_TRUE(TextsAt(g, "(Wire)").empty() && TextsAt(g, "LOAD").empty());
    EXPECT_TRUE(TextsAt(g, FormatResistance(10)).at(0).y1 == 1000 + 1400 && edges[0] == 1500 + 3 * 360);  // bare pens
}

}  // namespace
}  // namespace qv

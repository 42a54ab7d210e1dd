#include "schematic/Schematic.h"

#include <gtest/gtest.h>

#include "Ops.h"
#include "numbers/Format.h"

namespace qv {
namespace {

using test::HasText;
using test::OpsOf;
using test::StrokesIn;
using test::TextsAt;

struct Design : ::testing::Test {
    Design() {
        InitSession(s);
        ResetNetwork(s);
    }
    void Draw() { RedrawSchematic(s, g, edges); }
    void Set(int stage, int code, double v1, double v2 = 0, double v3 = 0, double v4 = 0) {
        s.ElementType[stage] = static_cast<std::int16_t>(code);
        s.Value[stage][1] = v1;
        s.Value[stage][2] = v2;
        s.Value[stage][3] = v3;
        s.Value[stage][4] = v4;
    }
    SessionState s;
    RecordingSurface g;
    StageEdges edges{};
};

TEST_F(Design, EmptyNetworkIsFiveWiresAtAFixedPitch) {
    Draw();
    EXPECT_EQ(g.Ops().front().kind, DrawOp::Clear);
    EXPECT_EQ(TextsAt(g, "(Wire)").size(), 5u);
    EXPECT_EQ(edges[0], 2000 + 480 + 150);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(edges[k] - edges[k - 1], 1280);
    EXPECT_TRUE(HasText(g, "LOAD"));
    EXPECT_TRUE(HasText(g, "GEN"));
    EXPECT_TRUE(HasText(g, FormatImpedance(50)));
}

TEST_F(Design, LoadTextByReactanceSign) {
    Draw();
    auto r = TextsAt(g, FormatResistance(50));  // the generator's "50 " comes later
    ASSERT_EQ(r.size(), 2u);
    EXPECT_DOUBLE_EQ(r[0].x1, 2480 - 800);
    EXPECT_DOUBLE_EQ(r[0].y1, 2200);

    s.Value[0][2] = -25;
    Draw();
    const std::string rt = FormatResistance(50), xt = FormatResistance(25);
    r = TextsAt(g, rt + " -j" + xt);
    ASSERT_EQ(r.size(), 1u);
    // Right-aligned to the end of the series capacitor, 60 units a character.
    EXPECT_DOUBLE_EQ(r[0].x1, 3000 - 600 - 60.0 * (rt.size() + xt.size()));
    EXPECT_EQ(edges[0], 3150);

    s.Value[0][2] = 25;
    Draw();
    EXPECT_TRUE(HasText(g, rt + " +j" + xt));
    EXPECT_EQ(edges[0], 3060 + 150);
}

TEST_F(Design, InvalidStageIsRedAndTheNextIsBlackAgain) {
    Set(2, SeriesCapacitor, 100e-12, 0);  // a file can still bring Q = 0
    Set(3, ShuntInductor, 1e-6, 1000);
    Draw();
    EXPECT_GT(StrokesIn(g, kInvalidSymbolColour, edges[1], edges[2]), 5);
    EXPECT_EQ(StrokesIn(g, kInvalidSymbolColour, edges[2], 30000), 0);
    EXPECT_EQ(StrokesIn(g, kInvalidSymbolColour, 0, edges[1]), 0);
    EXPECT_FALSE(HasText(g, FormatCapacitance(100e-12)));
    EXPECT_TRUE(HasText(g, FormatInductance(1e-6)));
    EXPECT_TRUE(HasText(g, "Q: " + FormatResistance(1000)));
    EXPECT_EQ(s.SymbolColour, kBlack);
}

TEST_F(Design, ValueTextsSitUnderTheirElement) {
    s.TestFrequency = 14.2e6;
    Set(1, TransmissionLine, 90, 7e6, 75);
    Set(2, SeriesShortedStub, 45, 3.5e6, 50);
    Set(3, SeriesLCPair, 1e-6, 200, 47e-12, 0);  // capacitor Q is not checked
    Set(4, SeriesResistor, 0);
    Draw();
    // A line quotes the test frequency, a stub its own.
    const auto line = TextsAt(g, "@ " + FormatGeneral(14.2e6));
    ASSERT_EQ(line.size(), 1u);
    EXPECT_DOUBLE_EQ(line[0].x1, edges[0] - 150 + 320);
    EXPECT_DOUBLE_EQ(line[0].y1, 1000 + 1400);
    const auto stub = TextsAt(g, "@ " + FormatGeneral(3.5e6));
    ASSERT_EQ(stub.size(), 1u);
    EXPECT_DOUBLE_EQ(stub[0].x1, edges[1] - 150 + 320);
    EXPECT_TRUE(HasText(g, FormatResistance(75) + " ohms"));
    EXPECT_TRUE(HasText(g, FormatResistance(45) + " deg"));

    const auto cap = TextsAt(g, FormatCapacitance(47e-12));
    ASSERT_EQ(cap.size(), 1u);
    EXPECT_DOUBLE_EQ(cap[0].y1, 1000 + 1600);
    EXPECT_TRUE(HasText(g, "Q: " + FormatResistance(0)));
    EXPECT_EQ(StrokesIn(g, kInvalidSymbolColour, 0, edges[3]), 0);
    // The zero resistor is red and says nothing.
    EXPECT_GT(StrokesIn(g, kInvalidSymbolColour, edges[3], edges[4]), 0);
    EXPECT_EQ(TextsAt(g, "(Wire)").size(), 1u);
}

TEST_F(Design, PrintedFormIsBlackWithoutCaptions) {
    Set(1, ShuntCapacitor, 0, 0);
    Set(2, SeriesResistor, 10);
    SymbolStyle st = PrintedPageStyle(1.2);
    DrawLadder(s, g, st, edges);
    EXPECT_EQ(StrokesIn(g, kInvalidSymbolColour, 0, 1e6), 0);
    EXPECT_FALSE(HasText(g, "(Wire)"));
    EXPECT_FALSE(HasText(g, "LOAD"));
    const auto r = TextsAt(g, FormatResistance(10));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_DOUBLE_EQ(r[0].y1, 1000 + 1400);
    // Printed edges are the bare pen positions.
    EXPECT_EQ(edges[0], 1500 + 3 * 360);
    EXPECT_EQ(edges[1] - edges[0], 2 * 360 + 6 * 360);
}

}  // namespace
}  // namespace qv

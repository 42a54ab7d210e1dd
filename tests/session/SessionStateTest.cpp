#include "session/SessionState.h"

#include <gtest/gtest.h>

#include "session/StageRules.h"
#include "session/Stages.h"

namespace qv {
namespace {

TEST(SessionState, ResetNetworkClearsEverySlotButKeepsSweepOverlaysAndTable) {
    SessionState s;
    InitSession(s);
    EXPECT_TRUE(s.GridType == 1 && s.ChartZoom == 1);
    for (int st = 1; st <= 5; ++st) {
        s.ElementType[st] = ShuntLCPair;
        for (int slot = 1; slot <= 10; ++slot) s.Value[st][slot] = st * 100 + slot;
    }
    s.Value[0] = {0, 12, -7};
    s.TestFrequency = 7e6, s.SystemZ = 75;
    s.SweepStart = 1e6, s.SweepStop = 2e6, s.SweepPoints = 11;
    s.QCircleValue = 3, s.VswrCircleValue = 2;
    s.LoadFreq[1] = 5e6, s.LoadMode = 2;

    ResetNetwork(s);

    for (int st = 1; st <= 5; ++st) {
        EXPECT_EQ(s.ElementType[st], EmptyStage);
        for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(s.Value[st][slot], 0) << st << "," << slot;
    }
    EXPECT_TRUE(s.Value[0][1] == 50 && s.Value[0][2] == 0 && s.TestFrequency == 1e6 && s.SystemZ == 50);
    EXPECT_TRUE(s.SweepStart == 1e6 && s.SweepStop == 2e6 && s.SweepPoints == 11);
    EXPECT_TRUE(s.QCircleValue == 3 && s.VswrCircleValue == 2 && s.LoadFreq[1] == 5e6 && s.LoadMode == 2);
}

TEST(SessionState, NetworkNotEmptyLooksOnlyAtStagesOneToFive) {
    SessionState s;
    s.ElementType[6] = SeriesCapacitor;
    EXPECT_EQ(UpdateNetworkNotEmpty(s), 0);
    s.ElementType[5] = ShuntResistor;
    EXPECT_EQ(UpdateNetworkNotEmpty(s), 1);
    EXPECT_EQ(s.NetworkNotEmpty, 1);
}

// What Accept does with the values typed for each element family (slots
// 1..4), what it says, whether the stage can then be calculated, and how
// many values the editor shows.
TEST(StageRules, DefaultsClearsAndAsksAgainByFamily) {
    using V = std::array<double, 4>;
    using Texts = std::vector<std::string>;
    const std::string again = "Please re-enter the ";
    const struct { int code; V typed, kept; Texts said; int slots; } cases[] = {
        {SeriesCapacitor, {1e-10, 0, 7, 7}, {1e-10, 10000, 0, 0}, {}, 2},
        {ShuntInductor, {1e-6, -1, 0, 0}, {1e-6, 1000, 0, 0}, {}, 2},
        {ShuntCapacitor, {0, 50, 0, 0}, {0, 50, 0, 0}, {again + "shunt capacitor value"}, 2},
        {TransmissionLine, {90, 1e7, 0, 9}, {90, 1e7, 0, 0}, {again + "transmission line values"}, 3},
        {ShuntOpenStub, {90, 1e7, 50, 9}, {90, 1e7, 50, 0}, {}, 3},
        {SeriesLCPair, {0, 0, 0, 0}, {0, 1000, 0, 10000},
         {again + "series inductor value", again + "series capacitor value"}, 4},
        {ShuntLCPair, {1e-6, 0, 1e-9, -2}, {1e-6, 1000, 1e-9, 10000}, {}, 4},
        {SeriesResistor, {-1, 5, 5, 5}, {-1, 0, 0, 0}, {again + "series resistor value"}, 1},
        {ShuntResistor, {33, 1, 1, 1}, {33, 0, 0, 0}, {}, 1},
        {EmptyStage, {7, 7, 7, 7}, {7, 7, 7, 7}, {}, 0},
    };
    for (const auto& c : cases) {
        SessionState s;
        test::SetStage(s, 2, c.code, c.typed[0], c.typed[1], c.typed[2], c.typed[3]);
        EXPECT_EQ(ApplyStageValueRules(s, 2), c.said) << c.code;
        EXPECT_EQ((V{s.Value[2][1], s.Value[2][2], s.Value[2][3], s.Value[2][4]}), c.kept) << c.code;
        EXPECT_EQ(StageValuesValid(s, 2), c.said.empty()) << c.code;
        EXPECT_EQ(UsedValueSlots(c.code), c.slots) << c.code;
    }
    // The load: a resistance of 0 or less becomes 50 ohms, the reactance stays.
    for (const double r : {-5.0, 0.0, 0.2}) {
        SessionState s;
        s.Value[0] = {0, r, -40};
        EXPECT_EQ(ApplyStageValueRules(s, 0), r > 0 ? Texts{} : Texts{"The entered value of zero has been changed to 50 ohms"});
        EXPECT_EQ(std::pair(s.Value[0][1], s.Value[0][2]), std::pair(r > 0 ? r : 50, -40.0)) << r;
    }
}

}  // namespace
}  // namespace qv

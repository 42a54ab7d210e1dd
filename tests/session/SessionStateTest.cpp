#include "session/SessionState.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SessionState, ResetNetworkClearsEverySlotButKeepsSweepOverlaysAndTable) {
    SessionState s;
    InitSession(s);
    EXPECT_EQ(s.GridType, 1);
    EXPECT_EQ(s.ChartZoom, 1.0f);
    for (int st = 1; st <= 5; ++st) {
        s.ElementType[st] = ShuntLCPair;
        for (int slot = 1; slot <= 10; ++slot) s.Value[st][slot] = st * 100 + slot;
    }
    s.Value[0] = {0, 12, -7};
    s.TestFrequency = 7e6;
    s.SystemZ = 75;
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

}  // namespace
}  // namespace qv

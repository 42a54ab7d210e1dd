#include "session/SessionState.h"

#include <gtest/gtest.h>

#include "session/DesignSnapshot.h"
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
    const SessionState fresh{};  // every stage empty, every slot 0
    EXPECT_EQ(s.ElementType, fresh.ElementType);
    for (int st = 1; st <= 5; ++st) EXPECT_EQ(s.Value[st], fresh.Value[st]) << st;
    EXPECT_TRUE(s.Value[0][1] == 50 && s.Value[0][2] == 0 && s.TestFrequency == 1e6 && s.SystemZ == 50);
    EXPECT_TRUE(s.SweepStart == 1e6 && s.SweepStop == 2e6 && s.SweepPoints == 11);
    EXPECT_TRUE(s.QCircleValue == 3 && s.VswrCircleValue == 2 && s.LoadFreq[1] == 5e6 && s.LoadMode == 2);
}

TEST(SessionState, NetworkNotEmptyLooksOnlyAtStagesOneToFive) {
    SessionState s;
    s.ElementType[6] = SeriesCapacitor;
    EXPECT_EQ(UpdateNetworkNotEmpty(s), 0);
    s.ElementType[5] = ShuntResistor;
    EXPECT_TRUE(UpdateNetworkNotEmpty(s) == 1 && s.NetworkNotEmpty == 1);
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
        {ShuntInductor, {0, -1, 0, 0}, {0, 1000, 0, 0}, {again + "shunt inductor value"}, 2},
        {ShuntCapacitor, {0, 50, 0, 0}, {0, 50, 0, 0}, {again + "shunt capacitor value"}, 2},
        {TransmissionLine, {90, 1e7, 50, 9}, {90, 1e7, 50, 0}, {}, 3},
        {TransmissionLine, {90, 1e7, 0, 9}, {90, 1e7, 0, 0}, {again + "transmission line values"}, 3},
        {SeriesShortedStub, {0, 1e7, 50, 0}, {0, 1e7, 50, 0}, {again + "series shorted stub values"}, 3},
        {SeriesOpenStub, {90, 0, 50, 0}, {90, 0, 50, 0}, {again + "series open stub values"}, 3},
        {ShuntShortedStub, {90, 1e7, -50, 0}, {90, 1e7, -50, 0}, {again + "shunt shorted stub values"}, 3},
        {ShuntOpenStub, {-90, 1e7, 50, 0}, {-90, 1e7, 50, 0}, {again + "shunt open stub values"}, 3},
        {SeriesLCPair, {0, 0, 0, 0}, {0, 1000, 0, 10000},
         {again + "series inductor value", again + "series capacitor value"}, 4},
        {ShuntLCPair, {1e-6, 0, 1e-9, -2}, {1e-6, 1000, 1e-9, 10000}, {}, 4},
        {SeriesResistor, {33, 5, 5, 5}, {33, 0, 0, 0}, {}, 1},
        {ShuntResistor, {-1, 1, 1, 1}, {-1, 0, 0, 0}, {again + "shunt resistor value"}, 1},
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

// Undo: a snapshot put back over another design gives every field of the
// design back, the load table's rows included and the rows past them cleared.
TEST(DesignSnapshot, RestoresEveryFieldOverAnotherDesign) {
    SessionState s = test::Fresh(), t = test::Fresh();
    test::SetStage(s, 2, ShuntLCPair, 1e-6, 100, 1e-9, 200);
    s.Value[0] = {0, 12, -7};
    s.LoadRows = 2, s.LoadFreq[1] = 1e6, s.LoadR[2] = 30, s.LoadX[2] = -5, s.LoadMode = LoadTable, s.LoadPointIndex = 2;
    s.TestFrequency = 7e6, s.SystemZ = 75, s.SweepStart = 1e6, s.SweepStop = 2e6, s.SweepPoints = 2, s.SavedSweepPoints = 9;
    s.QCircleValue = 3, s.VswrCircleValue = 2, s.CurrentFileName = "a.QVF", s.LoadFileName = "b.RJX";
    t.LoadRows = 5, t.LoadFreq[4] = 9;
    RestoreSnapshot(t, TakeSnapshot(s));
    EXPECT_TRUE(t.ElementType == s.ElementType && t.Value == s.Value && t.LoadFreq == s.LoadFreq && t.LoadR == s.LoadR &&
                t.LoadX == s.LoadX && t.LoadRows == s.LoadRows && t.LoadMode == s.LoadMode && t.LoadPointIndex == 2);
    EXPECT_TRUE(t.TestFrequency == s.TestFrequency && t.SystemZ == s.SystemZ && t.SweepStart == s.SweepStart &&
                t.SweepStop == s.SweepStop && t.SweepPoints == s.SweepPoints && t.SavedSweepPoints == s.SavedSweepPoints);
    EXPECT_TRUE(t.QCircleValue == s.QCircleValue && t.VswrCircleValue == s.VswrCircleValue &&
                t.CurrentFileName == s.CurrentFileName && t.LoadFileName == s.LoadFileName && t.NetworkNotEmpty == 1);
}

}  // namespace
}  // namespace qv

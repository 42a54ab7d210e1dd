#include "files/TableFile.h"

#include <gtest/gtest.h>

#include "files/TempDir.h"

namespace qv {
namespace {

SessionState TwoPoints() {
    SessionState s;
    s.LoadMode = 1;
    s.SweepPoints = 2;
    s.SweepFreq[0] = 14e6;
    s.SweepR[0] = 150;
    s.SweepX[0] = 0;
    s.SweepRho[0] = 0.5;
    s.SweepRhoAngle[0] = 0;
    s.SweepVswr[0] = 3;
    s.SweepFreq[1] = 14.5e6;
    s.SweepR[1] = 50;
    s.SweepX[1] = -0.25;
    s.SweepRho[1] = 0;  // a perfect match
    s.SweepRhoAngle[1] = -90;
    s.SweepVswr[1] = 1;
    return s;
}

TEST(TableFile, WritesTheLayoutLineByLine) {
    test::TempDir dir;
    SessionState s = TwoPoints();
    const std::string chosen = dir.File("sweep.csv");
    ASSERT_TRUE(WriteTableFile(chosen, s, "2024-01-02"));
    EXPECT_EQ(s.TextResult, dir.File("sweep.DAT"));
    const std::vector<std::string> want = {
        "Quendavore data file",
        "Filename: " + chosen,
        "2024-01-02",
        "",
        "Freq, Resistance, Reactance, Rho, RhoAngle, Return loss, VSWR",
        "",
        "14000000,150,0,.5,0,6.02059991327962,3",
        "14500000,50,-.25,0,-90,120,1",
        ""};
    EXPECT_EQ(test::CrLfLines(test::ReadAll(s.TextResult)), want);
}

TEST(TableFile, ReturnLossIsCappedForAPerfectMatch) {
    EXPECT_NEAR(TableReturnLoss(0.5), 6.0206, 5e-5);
    EXPECT_EQ(TableReturnLoss(0), 120);
    EXPECT_EQ(TableReturnLoss(1e-300), 120);
    EXPECT_NEAR(TableReturnLoss(2), -6.0206, 5e-5);
}

TEST(TableFile, PointCountsAreBoundedByTheArrays) {
    SessionState s = TwoPoints();
    const auto dataLines = [&s] { return test::CrLfLines(TableFileText(s, "x", "d")).size() - 7; };
    s.SweepPoints = 30000;
    EXPECT_EQ(dataLines(), static_cast<std::size_t>(kSweepCapacity));
    s.LoadMode = 2;
    EXPECT_EQ(dataLines(), static_cast<std::size_t>(kMaxLoadPoints));
    s.SweepPoints = -5;
    EXPECT_EQ(dataLines(), 0u);
    EXPECT_FALSE(WriteTableFile("", s, "d"));
}

}  // namespace
}  // namespace qv

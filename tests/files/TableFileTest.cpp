#include "files/TableFile.h"

#include <gtest/gtest.h>

#include "files/TempDir.h"
#include "session/Stages.h"

namespace qv {
namespace {

TEST(TableFile, WritesTheLayoutLineByLine) {
    SessionState s;
    s.SweepPoints = 2;
    test::SetSweepPoint(s, 0, 14e6, 150, 0, 0.5, 0, 3);
    test::SetSweepPoint(s, 1, 14.5e6, 50, -0.25, 0, -90, 1);
    test::TempDir dir;
    const WriteResult written = WriteTableFile(dir.File("sweep.csv"), s, "2024-01-02");
    ASSERT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(written.path, dir.File("sweep.DAT"));
    const std::vector<std::string> want = {
        "Quendavore data file", "Filename: " + dir.File("sweep.csv"), "2024-01-02", "",
        "Freq, Resistance, Reactance, Rho, RhoAngle, Return loss, VSWR", "",
        "14000000,150,0,.5,0,6.02059991327962,3",
        "14500000,50,-.25,0,-90,120,1",  // a perfect match: the 120 dB cap
        ""};
    EXPECT_EQ(test::CrLfLines(test::ReadAll(written.path)), want);
}

TEST(TableFile, PointCountsAreBoundedByTheArrays) {
    SessionState s;
    const auto dataLines = [&s] { return test::CrLfLines(TableFileText(s, "x", "d")).size() - 7; };
    s.SweepPoints = 30000;
    EXPECT_EQ(dataLines(), 2001u);
    s.LoadMode = 2;
    EXPECT_EQ(dataLines(), 1000u);
    s.SweepPoints = -5;
    EXPECT_EQ(dataLines(), 0u);
}

}  // namespace
}  // namespace qv

#include "files/TableFile.h"
#include "files/ResultFiles.h"

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
    s.LoadMode = LoadTable, s.LoadRows = 1500;
    EXPECT_EQ(dataLines(), 1000u);
    s.LoadRows = 3;  // a design read in over a table brings its own count
    EXPECT_EQ(dataLines(), 3u);
    s.SweepPoints = -5;
    EXPECT_EQ(dataLines(), 0u);
}

// A file name may hold any byte; a line break in it stays inside its line.
TEST(TableFile, NamesWithLineBreaksKeepTheHeaderLines) {
    SessionState s;
    s.CurrentFileName = "net\r\n# MHz Z MA 1.QVF", s.LoadFileName = "load\n1 2 3", s.LoadMode = LoadTable;
    const std::vector<std::string> table = test::CrLfLines(TableFileText(s, "out\r\n.DAT", "d"));
    EXPECT_EQ(table[1], "Filename: out\\x0D\\x0A.DAT");
    const std::vector<std::string> touchstone = test::CrLfLines(ResultText(s, ResultFormat::Touchstone, "x", "d"));
    EXPECT_TRUE(touchstone[2] == "! Network: net\\x0D\\x0A# MHz Z MA 1.QVF" && touchstone[3] == "! Load: load\\x0A1 2 3");
}

}  // namespace
}  // namespace qv

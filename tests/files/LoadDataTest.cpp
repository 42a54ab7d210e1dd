#include "files/LoadData.h"
#include "files/TextFile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "files/TempDir.h"

namespace qv {
namespace {

struct Parsed {
    SessionState s;
    RecordingMessageSink sink;
    bool ok;
    explicit Parsed(const std::string& text) {
        s.SweepPoints = 7;
        s.CurrentFileName = "net.QVF";
        std::istringstream in(text);
        ok = ParseLoadDataStream(in, s, sink);
    }
    std::vector<double> Row(int i) const { return {s.LoadFreq[i], s.LoadR[i], s.LoadX[i]}; }
};

using Row = std::vector<double>;

TEST(LoadData, ReadsRowsSkippingCommentsAndEmptyLines) {
    Parsed p("14M,50,0\r\n* comment\r\n\r\n  21M , 75 , -j30  \r\n!a\r\n'b\n/c\r\\d\r\n"
             " # x,1,2\r\n1000000,,50,,0\r\n1000000 50 0\r\n5M,20\r\n*\r\n\r\n");
    EXPECT_TRUE(p.ok && p.sink.messages.empty() && p.s.SavedSweepPoints == 7);
    ASSERT_EQ(p.s.SweepPoints, 6);
    // "# x" is data, a run of commas is one separator, blanks do not
    // separate, and a missing field reads as 0.
    const Row rows[] = {{14e6, 50, 0}, {21e6, 75, -30}, {0, 1, 2}, {1e6, 50, 0}, {1000000500, 0, 0}, {5e6, 20, 0}};
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(p.Row(i), rows[i - 1]) << "row " << i;

    std::string line = ",,,", field = "old";
    NextField(line, field);
    EXPECT_EQ(field + line, "old");
}

TEST(LoadData, EmptyLongAndBinaryFiles) {
    Parsed empty("");
    EXPECT_TRUE(empty.ok && empty.sink.messages.empty() && empty.s.SweepPoints == 0);
    Parsed longLine(std::string(50000, '9') + std::string(10000, ',') + "7");
    EXPECT_EQ(longLine.Row(1), (Row{1e10, 7, 0}));
    // A line beyond any valid file's is a read error, not a memory hog.
    Parsed overlong("1,2,3\n" + std::string(kMaxLineLength + 1, '9'));
    EXPECT_TRUE(!overlong.ok && overlong.sink.messages == std::vector<std::string>{"Parser error"});
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>(i * 131 % 256);
    EXPECT_TRUE(Parsed(garbage).ok);
}

TEST(LoadData, TheThousandFirstLineStopsWithParserError) {
    std::string rows;
    for (int i = 1; i <= 1000; ++i) rows += std::to_string(i) + "k,50,0\r\n";
    EXPECT_TRUE(Parsed(rows + "* end\r\n").ok);
    Parsed over(rows + "2M,1,1\r\n");
    EXPECT_TRUE(!over.ok && over.sink.messages == std::vector<std::string>{"Parser error"});
    EXPECT_TRUE(over.s.SweepPoints == 1000 && over.s.CurrentFileName.empty() && over.Row(1000) == (Row{1e6, 50, 0}));

    test::TempDir dir;
    SessionState s;
    s.SweepPoints = 4;
    EXPECT_TRUE(!ParseLoadData("", s, over.sink) && s.SweepPoints == 4);  // an empty name changes nothing
    EXPECT_TRUE(!ParseLoadData(dir.File("missing.RJX"), s, over.sink) && over.sink.messages.size() == 2);
}

TEST(LoadData, ApplyLoadTableTakesTheMiddleRow) {
    SessionState s;
    for (int i = 1; i <= kMaxLoadPoints; ++i) s.LoadFreq[i] = i * 1e6;
    s.LoadRows = kMaxLoadPoints;
    for (const auto& [points, row] : {std::pair{7, 4}, {8, 5}, {1, 1}, {3000, 501}}) {
        s.SweepPoints = static_cast<std::int16_t>(points);
        ASSERT_TRUE(ApplyLoadTable(s));
        EXPECT_TRUE(s.LoadPointIndex == row && s.LoadMode == LoadTable && s.TestFrequency == row * 1e6) << points;
        EXPECT_EQ(s.SweepStop, s.SweepPoints * 1e6);
    }
    s.SweepPoints = 0;
    EXPECT_FALSE(ApplyLoadTable(s));
    s.SweepPoints = 9, s.LoadRows = 5;  // more points than rows read: only the rows count
    ASSERT_TRUE(ApplyLoadTable(s));
    EXPECT_TRUE(s.SweepPoints == 5 && s.LoadPointIndex == 3);
}

}  // namespace
}  // namespace qv

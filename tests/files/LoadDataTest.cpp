#include "files/LoadData.h"

#include <gtest/gtest.h>

#include <sstream>

#include "files/TempDir.h"

namespace qv {
namespace {

struct Parsed {
    SessionState s;
    RecordingMessageSink sink;
    bool ok;
    explicit Parsed(const std::string& text, std::int16_t pointsBefore = 7) {
        s.SweepPoints = pointsBefore;
        s.CurrentFileName = "net.QVF";
        std::istringstream in(text);
        ok = ParseLoadDataStream(in, s, sink);
    }
    void ExpectRow(int i, double f, double r, double x) const {
        EXPECT_EQ(s.LoadFreq[i], f) << "row " << i;
        EXPECT_EQ(s.LoadR[i], r) << "row " << i;
        EXPECT_EQ(s.LoadX[i], x) << "row " << i;
    }
};

TEST(LoadData, ReadsRowsSkippingCommentsAndEmptyLines) {
    Parsed p("14M,50,0\r\n* comment\r\n\r\n  21M , 75 , -j30  \r\n"
             "!a\r\n'b\n/c\r\\d\r\n # x,1,2\r\n1000000,,50,,0\r\n1000000 50 0\r\n"
             "5M,20\r\n*\r\n\r\n");
    EXPECT_TRUE(p.ok);
    EXPECT_TRUE(p.sink.messages.empty());
    ASSERT_EQ(p.s.SweepPoints, 6);
    EXPECT_EQ(p.s.SavedSweepPoints, 7);
    p.ExpectRow(1, 14e6, 50, 0);
    p.ExpectRow(2, 21e6, 75, -30);
    p.ExpectRow(3, 0, 1, 2);             // "# x" is data
    p.ExpectRow(4, 1e6, 50, 0);          // a run of commas is one separator
    p.ExpectRow(5, 1000000500, 0, 0);    // blanks do not separate
    p.ExpectRow(6, 5e6, 20, 0);          // a missing field reads as 0
    EXPECT_EQ(p.s.CurrentFileName, "net.QVF");
}

TEST(LoadData, NextFieldLeavesTheFieldAloneWhenNothingIsLeft) {
    std::string line = ",,a b,,c";
    std::string field = "old";
    NextField(line, field);
    EXPECT_EQ(field, "a b");
    EXPECT_EQ(line, "c");
    NextField(line, field);
    EXPECT_EQ(field, "c");
    EXPECT_EQ(line, "");
    NextField(line, field);
    EXPECT_EQ(field, "c");
    line = ",,,";
    NextField(line, field);
    EXPECT_EQ(line, "");
    EXPECT_EQ(field, "c");
}

TEST(LoadData, EmptyAndHostileFiles) {
    Parsed empty("");
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.s.SweepPoints, 0);
    EXPECT_TRUE(empty.sink.messages.empty());

    Parsed longLine(std::string(200000, '9') + "," + std::string(100000, ',') + "7\r\n");
    EXPECT_EQ(longLine.s.SweepPoints, 1);
    longLine.ExpectRow(1, 1e10, 7, 0);

    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    Parsed binary(garbage);
    EXPECT_TRUE(binary.ok);
    EXPECT_LE(binary.s.SweepPoints, kMaxLoadPoints);
}

TEST(LoadData, TheThousandFirstLineStopsWithParserError) {
    std::string rows;
    for (int i = 1; i <= 1000; ++i) rows += std::to_string(i) + "k,50,0\r\n";
    Parsed full(rows + "* end\r\n");
    EXPECT_TRUE(full.ok);
    EXPECT_EQ(full.s.SweepPoints, 1000);

    Parsed over(rows + "2M,1,1\r\n");
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.sink.messages, std::vector<std::string>{"Parser error"});
    EXPECT_EQ(over.s.SweepPoints, 1000);
    over.ExpectRow(1000, 1e6, 50, 0);
    EXPECT_EQ(over.s.CurrentFileName, "");
}

TEST(LoadData, FileNames) {
    test::TempDir dir;
    SessionState s;
    s.SweepPoints = 4;
    RecordingMessageSink sink;
    EXPECT_FALSE(ParseLoadData("", s, sink));
    EXPECT_EQ(s.SweepPoints, 4);  // an empty name changes nothing
    for (const std::string& name : {dir.File("missing.RJX"), dir.path.string()}) {
        s.CurrentFileName = "x";
        EXPECT_FALSE(ParseLoadData(name, s, sink));
        EXPECT_EQ(sink.messages.back(), "Parser error");
        EXPECT_EQ(s.CurrentFileName, "");
    }
    test::WriteAll(dir.File("a.RJX"), "1M,2,3");
    EXPECT_TRUE(ParseLoadData(dir.File("a.RJX"), s, sink));
    EXPECT_EQ(s.LoadX[1], 3);
}

TEST(LoadData, ApplyLoadTableTakesTheMiddleRow) {
    SessionState s;
    for (int i = 1; i <= kMaxLoadPoints; ++i) {
        s.LoadFreq[i] = i * 1e6;
        s.LoadR[i] = i;
        s.LoadX[i] = -i;
    }
    const std::pair<int, int> middle[] = {{7, 4}, {8, 5}, {1, 1}, {2, 2}, {3000, 501}};
    for (const auto& [points, row] : middle) {
        s.SweepPoints = static_cast<std::int16_t>(points);
        ASSERT_TRUE(ApplyLoadTable(s));
        EXPECT_EQ(s.LoadPointIndex, row);
        EXPECT_EQ(s.LoadMode, 2);
        EXPECT_EQ(s.SweepStart, 1e6);
        EXPECT_EQ(s.SweepStop, s.SweepPoints * 1e6);
        EXPECT_EQ(s.TestFrequency, row * 1e6);
        EXPECT_EQ(s.Value[0][2], -row);
    }
    s.SweepPoints = 0;
    s.LoadMode = 1;
    EXPECT_FALSE(ApplyLoadTable(s));
    EXPECT_EQ(s.LoadMode, 1);
}

}  // namespace
}  // namespace qv

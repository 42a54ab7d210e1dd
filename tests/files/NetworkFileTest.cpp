#include "files/NetworkFile.h"
#include "files/StartFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "files/TempDir.h"
#include "session/Stages.h"

namespace qv {
namespace {

using test::CrLfLines;
using test::TempDir;

SessionState Sample() {
    SessionState s;
    ResetNetwork(s);
    s.TestFrequency = 14.2e6;
    s.Value[0][1] = 36.5;
    s.Value[0][2] = -12.25;
    test::SetStage(s, 1, SeriesCapacitor, 4.7e-11, 1.0 / 3);
    s.Value[1][5] = -0.5;
    s.ElementType[3] = TransmissionLine;
    s.Value[3][3] = 1e15;
    s.Value[2][7] = 99;  // slots above 5 are not stored
    s.QCircleValue = 2.5f;
    s.VswrCircleValue = 1.0f / 3 + 1;
    s.SweepStart = 1e6;
    s.SweepStop = 30e6;
    s.SweepPoints = 101;
    return s;
}

// The sample file with line `index` (0-based) replaced.
std::string Edited(int index, const char* text) {
    std::vector<std::string> lines = CrLfLines(NetworkFileText(Sample(), kNetworkFileTitle, "d"));
    lines[index] = text;
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

struct Read {
    SessionState s = Sample();
    RecordingMessageSink sink;
    bool ok;
    explicit Read(const std::string& text, std::uint16_t loadMode = 1) {
        s.LoadMode = loadMode;
        std::istringstream in(text);
        ok = ReadNetworkStream(in, "net.QVF", s, sink);
    }
};

TEST(NetworkFile, WritesTheFiftyLineLayout) {
    const auto lines = CrLfLines(NetworkFileText(Sample(), kNetworkFileTitle, "2024-01-02"));
    ASSERT_EQ(lines.size(), 50u);
    const std::pair<int, const char*> expected[] = {
        {0, "Quendavore network file"}, {1, "2024-01-02"}, {2, ""}, {3, "Frequency: 14200000 "},
        {4, "System impedance: 50 "}, {7, "Antenna X:-12.25 "}, {8, ""},
        {9, "Element type for stage 1: 1 "}, {10, "   Value(1): 4.7E-11 "},
        {11, "   Value(2): .333333333333333 "}, {14, "   Value(5):-.5 "}, {15, ""},
        {26, "   Value(3): 1E+15 "}, {43, ""}, {44, ""}, {45, "Q circle value: 2.5 "},
        {46, "VSWR circle value: 1.333333 "}, {49, "Number of points: 101 "}};
    for (const auto& [index, text] : expected) EXPECT_EQ(lines[index], text) << index + 1;
}

TEST(NetworkFile, RoundTripThroughFiles) {
    TempDir dir;
    SessionState out = Sample();
    const WriteResult written = WriteNetworkFile(dir.File("net.old.txt"), out, "d");
    ASSERT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(written.path, dir.File("net.QVF"));
    SessionState in;
    RecordingMessageSink sink;
    ASSERT_TRUE(ReadNetworkFile(written.path, in, sink));
    for (int st = 0; st <= 5; ++st) {
        EXPECT_EQ(in.ElementType[st], out.ElementType[st]);
        for (int k = 1; k <= 5; ++k)  // 15 significant digits
            EXPECT_NEAR(in.Value[st][k], out.Value[st][k], std::abs(out.Value[st][k]) * 5e-15);
    }
    EXPECT_TRUE(in.Value[2][7] == 0 && in.SweepPoints == 101);
    EXPECT_NEAR(in.VswrCircleValue, out.VswrCircleValue, 1e-6);

    ASSERT_TRUE(WriteLastSession(out, dir.File("last"), "d").ok());
    SessionState last;
    ASSERT_TRUE(ReadLastSession(last, dir.File("last")));
    EXPECT_EQ(last.Value[3][3], 1e15);
}

TEST(NetworkFile, StripExtensionCutsOnlyInsideTheFileName) {
    for (const auto& [name, stem] : {std::pair{"net.a.qvf", "net"}, {"net", "net"}, {"/home/a.b/net", "/home/a.b/net"},
                                     {"/home/a.b/net.x.QVF", "/home/a.b/net"}})
        EXPECT_EQ(StripExtension(name), stem);
}

TEST(NetworkFile, EarlyEndsCommentsAndOtherLineEndsReadWithoutMessage) {
    std::string early = Edited(0, "t");
    early.resize(early.find("Q circle"));  // an earlier layout
    EXPECT_TRUE(Read(early).ok);
    Read commented(Edited(3, "* comment\r\n\r\n*:5\r\nFrequency: 7000000"));
    EXPECT_TRUE(commented.sink.messages.empty() && commented.s.TestFrequency == 7e6);
    std::string lf = Edited(3, "Frequency: 7000000\r");  // CR CR LF, then LF only
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.replace(p, 2, "\n");
    EXPECT_EQ(Read(lf).s.SweepPoints, 101);
}

TEST(NetworkFile, FailuresGiveTheMessageAndDefaults) {
    const std::string sample = Edited(0, "t");
    const std::string texts[] = {
        Edited(3, "Frequency: 5000 "), Edited(3, " * a value line, 0 Hz"),
        sample.substr(sample.find("\r\n\r\n") + 4),  // no title or date: read two late
        Edited(4, "System impedance:.5"), Edited(6, "Antenna R:0"),
        Edited(3, "Frequency: 1E999"), Edited(3, "Frequency: inf"),
        Edited(9, "Element type for stage 1: 70000"), Edited(16, "Element type for stage 2:-32769"),
        Edited(45, "Q circle value: 1E39"), Edited(45, "Q circle value: .05"),
        Edited(47, "Sweep start: 500"), Edited(47, "Sweep start: 0 "),
        std::string("\0\xff\r\n\x01:\x80\r\n\x02\x03zz\r\n", 15)};
    for (const std::string& text : texts) {
        Read r(text);
        EXPECT_FALSE(r.ok) << text.substr(0, 40);
        EXPECT_EQ(r.sink.messages, std::vector<std::string>{
            "We had a problem reading file net.QVF\n\nDefaults have been used but the network is empty."});
        EXPECT_TRUE(r.s.TestFrequency == 1000000 && r.s.Value[0][1] == 50 && r.s.ElementType[1] == EmptyStage);
        // Nothing of the refused file stays behind, so the design saved next
        // reads back.
        EXPECT_TRUE(r.s.QCircleValue == 2.5f && r.s.SweepStart == 1e6);
        EXPECT_TRUE(Read(NetworkFileText(r.s, kNetworkFileTitle, "d")).ok) << text.substr(0, 40);
    }
}

TEST(NetworkFile, WhatThePagesAcceptAndCodesThatFitTheirFieldAreRead) {
    // A load of a fraction of an ohm; the narrowest sweep at the band's foot.
    for (auto [line, text] : {std::pair{6, "Antenna R: .5"}, {48, "Sweep stop: 10050"}})
        EXPECT_TRUE(Read(Edited(line, text)).ok) << text;
    Read odd(Edited(9, "Element type for stage 1: 14"));
    EXPECT_TRUE(odd.ok && odd.s.ElementType[1] == 14);
    EXPECT_EQ(Read(Edited(16, "Element type for stage 2:-1")).s.ElementType[2], -1);
}

TEST(NetworkFile, ADesignSavedBeforeOverlaysOrSweepWereSetReadsBack) {
    SessionState fresh = Sample();  // overlays and sweep still at their start values
    fresh.QCircleValue = fresh.VswrCircleValue = 0;
    fresh.SweepStart = fresh.SweepStop = fresh.SweepPoints = 0;
    const std::string text = NetworkFileText(fresh, kNetworkFileTitle, "d");
    Read r(text);
    EXPECT_TRUE(r.ok && r.sink.messages.empty() && r.s.SweepPoints == 0);
    // Only the whole group of zeros means "no sweep"; a set part still counts.
    EXPECT_FALSE(Read(Edited(48, "Sweep stop: 0 ")).ok);
    std::string halfSet = text;
    halfSet.replace(halfSet.find("Number of points: 0 "), 20, "Number of points: 5 ");
    EXPECT_FALSE(Read(halfSet).ok);
    // Ending after a start of 0 would leave the earlier, set stop beside it.
    EXPECT_FALSE(Read(text.substr(0, text.find("Sweep stop"))).ok);
}

TEST(NetworkFile, SweepCountsUpToTheSweepsCapacity) {
    for (const char* points : {"x: 2002", "x: 40000", "x:-3"})
        EXPECT_EQ(Read(Edited(49, points)).s.SweepPoints, 101) << points;
    EXPECT_EQ(Read(Edited(49, "x: 2001")).s.SweepPoints, 2001);
    // The program's own sweep set-up writes up to 2001 points, also while a
    // load table is held.
    EXPECT_EQ(Read(Edited(49, "x: 1501"), 2).s.SweepPoints, 1501);
}

// Beyond a double each way a number is refused or read as 0; within it,
// beyond what the file can carry, it is bounded and reads back.
TEST(NetworkFile, NumbersBeyondADoubleOrTheFileAreRefusedOrBounded) {
    const struct { const char* text; std::optional<double> value; } cases[] = {
        {"1E400", std::nullopt}, {"-1E400", std::nullopt}, {"1E-400", 0.0}, {"-1E-400", 0.0},
        {"1E308", 1e308}, {" 2.5E-3 ", 2.5e-3}};
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
    for (const char* x : {"x: 1.797693134862315E+308", "x:-1.7976931348623157E+308"}) {
        Read first(Edited(7, x));
        ASSERT_TRUE(first.ok && std::abs(first.s.Value[0][2]) == kLargestWritableValue) << x;
        Read again(NetworkFileText(first.s, kNetworkFileTitle, "d"));
        EXPECT_TRUE(again.ok && again.s.Value[0][2] == first.s.Value[0][2]) << x;
    }
}

TEST(NetworkFile, MissingFilesNamesAndFailedWrites) {
    TempDir dir;
    SessionState s = Sample();
    RecordingMessageSink sink;
    EXPECT_TRUE(!ReadNetworkFile("", s, sink) && s.TestFrequency == 14.2e6);
    EXPECT_EQ(sink.messages.back(), "No file was chosen;  we are exiting the file-reading routine.");
    EXPECT_FALSE(ReadNetworkFile(dir.path.string(), s, sink));  // a folder is no empty file
    EXPECT_TRUE(!ReadLastSession(s, dir.File("LASTSESSION.QVF")) && sink.messages.size() == 2 && s.ElementType[1] == EmptyStage);

    test::WriteAll(dir.File("net.QVF"), std::string(5000, 'x'));
    s = Sample();
    EXPECT_TRUE(WriteNetworkFile(dir.File("net.QVF"), s, "d").ok() && !WriteNetworkFile("", s, "d").ok());
    EXPECT_EQ(test::ReadAll(dir.File("net.QVF")), NetworkFileText(s, kNetworkFileTitle, "d"));
}

// The file given on the command line: a design, a load table, or one that
// cannot be read and leaves the default network.
TEST(StartFile, ReadsADesignOrALoadTableAndFallsBackToTheDefaults) {
    test::TempDir dir;
    SessionState design = test::Fresh();
    test::SetStage(design, 1, SeriesInductor, 1e-6);
    ASSERT_TRUE(WriteNetworkFile(dir.File("ant.qvf"), design, "1/1/2026"));
    std::ofstream(dir.File("ant.rjx")) << "10k, 10, 5\r\n2M, 20, 6\r\n10G, 30, 7\r\n";
    std::ofstream(dir.File("design.rjx")) << "Quendavore network file\r\nFrequency: 14200000 \r\n";
    std::ofstream(dir.File("active.rjx")) << "1M, 10, 5\r\n2M, 0, 6\r\n";

    struct Case { const char* file; bool read; std::int16_t stage1; std::uint16_t loadMode; double r; };
    const Case cases[] = {
        {"ant.QVF", true, SeriesInductor, 1, 50},
        {"ant.rjx", true, ShuntResistor, 2, 20},   // the middle row; both ends of the band
        {"none.QVF", false, EmptyStage, 1, 50},
        {"none.RJX", false, EmptyStage, 1, 50},
        {"design.rjx", false, EmptyStage, 1, 50},  // no load table: rows of 0 Hz
        {"active.rjx", false, EmptyStage, 1, 50},  // a resistance not above 0
    };
    for (const Case& c : cases) {
        SessionState s = test::Fresh();
        s.ElementType[1] = ShuntResistor;  // what the last session held
        s.Value[1][1] = 100;
        RecordingMessageSink sink;
        EXPECT_EQ(OpenStartFile(dir.File(c.file), s, sink), c.read) << c.file;
        EXPECT_EQ(sink.messages.empty(), c.read) << c.file;
        EXPECT_TRUE(s.ElementType[1] == c.stage1 && s.LoadMode == c.loadMode && s.Value[0][1] == c.r) << c.file;
    }
}

}  // namespace
}  // namespace qv

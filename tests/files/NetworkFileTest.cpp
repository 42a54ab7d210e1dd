#include "files/NetworkFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "files/TempDir.h"

namespace qv {
namespace {

using test::CrLfLines;
using test::ReadAll;
using test::TempDir;
using test::WriteAll;

SessionState Sample() {
    SessionState s;
    InitSession(s);
    ResetNetwork(s);
    s.TestFrequency = 14.2e6;
    s.Value[0][1] = 36.5;
    s.Value[0][2] = -12.25;
    s.ElementType[1] = SeriesCapacitor;
    s.Value[1][1] = 4.7e-11;
    s.Value[1][2] = 1.0 / 3;
    s.Value[1][5] = -0.5;
    s.ElementType[3] = TransmissionLine;
    s.Value[3][1] = 75;
    s.Value[3][3] = 1e15;
    s.Value[3][4] = 2.0 / 3 * 1e-7;
    s.Value[2][7] = 99;  // slots above 5 are not stored
    s.QCircleValue = 2.5f;
    s.VswrCircleValue = 1.0f / 3 + 1;
    s.SweepStart = 1e6;
    s.SweepStop = 30e6;
    s.SweepPoints = 101;
    return s;
}

std::string SampleText() { return NetworkFileText(Sample(), kNetworkFileTitle, "2024-01-02"); }

// The sample file with line `index` (0-based) replaced.
std::string Edited(int index, const char* text) {
    std::vector<std::string> lines = CrLfLines(SampleText());
    lines[index] = text;
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

struct Read {
    SessionState s = Sample();
    RecordingMessageSink sink;
    bool ok;
    explicit Read(const std::string& text) {
        std::istringstream in(text);
        ok = ReadNetworkStream(in, "net.QVF", s, sink);
    }
};

TEST(NetworkFile, WritesTheFiftyLineLayout) {
    const std::vector<std::string> lines = CrLfLines(SampleText());
    ASSERT_EQ(lines.size(), 50u);
    const std::pair<int, const char*> expected[] = {
        {0, "Quendavore network file"}, {1, "2024-01-02"}, {2, ""},
        {3, "Frequency: 14200000 "}, {4, "System impedance: 50 "}, {5, ""},
        {6, "Antenna R: 36.5 "}, {7, "Antenna X:-12.25 "}, {8, ""},
        {9, "Element type for stage 1: 1 "}, {10, "   Value(1): 4.7E-11 "},
        {11, "   Value(2): .333333333333333 "}, {14, "   Value(5):-.5 "}, {15, ""},
        {16, "Element type for stage 2: 0 "}, {26, "   Value(3): 1E+15 "},
        {43, ""}, {44, ""}, {45, "Q circle value: 2.5 "}, {46, "VSWR circle value: 1.333333 "},
        {47, "Sweep start: 1000000 "}, {48, "Sweep stop: 30000000 "},
        {49, "Number of points: 101 "}};
    for (const auto& [index, text] : expected) EXPECT_EQ(lines[index], text) << "line " << index + 1;
}

TEST(NetworkFile, RoundTripKeepsFifteenAndSevenDigitsAndDropsHigherSlots) {
    TempDir dir;
    SessionState out = Sample();
    ASSERT_TRUE(WriteNetworkFile(dir.File("net.old.txt"), out, "d"));
    EXPECT_EQ(out.TextResult, dir.File("net.QVF"));
    EXPECT_TRUE(std::filesystem::exists(dir.File("net.QVF")));

    SessionState in;
    RecordingMessageSink sink;
    ASSERT_TRUE(ReadNetworkFile(out.TextResult, in, sink));
    EXPECT_TRUE(sink.messages.empty());
    const SessionState want = Sample();
    for (int st = 0; st <= 5; ++st) {
        EXPECT_EQ(in.ElementType[st], want.ElementType[st]);
        for (int k = 1; k <= 5; ++k)
            EXPECT_NEAR(in.Value[st][k], want.Value[st][k], std::fabs(want.Value[st][k]) * 1e-14);
    }
    EXPECT_EQ(in.Value[2][7], 0);
    EXPECT_EQ(in.TestFrequency, want.TestFrequency);
    EXPECT_NEAR(in.VswrCircleValue, want.VswrCircleValue, 1e-6);
    EXPECT_EQ(in.QCircleValue, 2.5f);
    EXPECT_EQ(in.SweepPoints, 101);
    EXPECT_EQ(in.SweepStop, 30e6);

    ASSERT_TRUE(WriteLastSession(want, dir.File("last"), "d"));
    SessionState last;
    ASSERT_TRUE(ReadLastSession(last, dir.File("last")));
    EXPECT_EQ(last.Value[3][3], 1e15);
    EXPECT_EQ(CrLfLines(ReadAll(dir.File("last")))[0], "Quendavore last-session file");
}

TEST(NetworkFile, StripExtensionCutsOnlyInsideTheFileName) {
    EXPECT_EQ(StripExtension("net.qvf"), "net");
    EXPECT_EQ(StripExtension("net.a.b"), "net");
    EXPECT_EQ(StripExtension("net"), "net");
    EXPECT_EQ(StripExtension("/home/a.b/net"), "/home/a.b/net");
    EXPECT_EQ(StripExtension("/home/a.b/net.x.QVF"), "/home/a.b/net");
}

TEST(NetworkFile, EarlyEndsCommentsAndBlankLinesReadWithoutMessage) {
    // An earlier layout: nothing after stage 5.
    std::string text = SampleText();
    text.resize(text.find("Q circle"));
    Read early(text);
    EXPECT_TRUE(early.ok);
    EXPECT_TRUE(early.sink.messages.empty());
    EXPECT_EQ(early.s.ElementType[3], TransmissionLine);

    Read commented(Edited(3, "* comment\r\n\r\n*:5\r\nFrequency: 7000000"));
    EXPECT_TRUE(commented.ok);
    EXPECT_EQ(commented.s.TestFrequency, 7e6);
    EXPECT_EQ(commented.s.SweepPoints, 101);

    // Bare LF and lone CR line ends read alike.
    std::string lf = SampleText();
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.replace(p, 2, "\n");
    EXPECT_EQ(Read(lf).s.SweepPoints, 101);
}

TEST(NetworkFile, FailedChecksGiveTheMessageAndDefaults) {
    const std::string sample = SampleText();
    const std::string texts[] = {
        Edited(3, "Frequency: 5000 "),
        Edited(3, " * not a comment"),  // a value line: 0 Hz
        sample.substr(sample.find("\r\n\r\n") + 4),  // no title or date: two values late
        Edited(4, "System impedance:.5"),
        Edited(6, "Antenna R:0"),
        Edited(3, "Frequency: 1E999"),  // too large for a double
        Edited(3, "Frequency: inf"),    // no number: 0
        Edited(9, "Element type for stage 1: 70000"),
        Edited(9, "Element type for stage 1: 14"),
        Edited(16, "Element type for stage 2:-1"),
        Edited(45, "Q circle value: 1E39"),  // too large for a float
        std::string("\0\xff\r\n\x01:\x80\r\n\x02\x03zz\r\n", 15),  // binary: 0 Hz
    };
    for (const std::string& text : texts) {
        Read r(text);
        EXPECT_FALSE(r.ok) << text.substr(0, 40);
        ASSERT_EQ(r.sink.messages.size(), 1u);
        EXPECT_EQ(r.sink.messages[0], "We had a problem reading file net.QVF\n\n"
                                      "Defaults have been used but the network is empty.");
        EXPECT_EQ(r.s.TestFrequency, 1000000);
        EXPECT_EQ(r.s.SystemZ, 50);
        EXPECT_EQ(r.s.Value[0][1], 50);
        EXPECT_EQ(r.s.ElementType[1], EmptyStage);
    }
}

TEST(NetworkFile, LaterFieldsKeepWhatWasReadUpToTheFailure) {
    Read start(Edited(47, "Sweep start: 500"));
    EXPECT_FALSE(start.ok);
    EXPECT_EQ(start.s.SweepStart, 500);
    EXPECT_EQ(start.s.QCircleValue, 2.5f);

    Read q(Edited(45, "Q circle value: .05"));
    EXPECT_EQ(q.s.QCircleValue, 0.05f);

    // Counts the sweep arrays cannot hold are never stored.
    for (const char* points : {"Number of points: 2002", "Number of points: 40000",
                               "Number of points:-3"}) {
        Read r(Edited(49, points));
        EXPECT_FALSE(r.ok) << points;
        EXPECT_EQ(r.s.SweepPoints, 101) << points;
    }
    SessionState table = Sample();
    table.LoadMode = 2;
    std::istringstream in(Edited(49, "Number of points: 1001"));
    RecordingMessageSink sink;
    EXPECT_FALSE(ReadNetworkStream(in, "t", table, sink));
    EXPECT_EQ(table.SweepPoints, 101);
}

TEST(NetworkFile, MissingFilesAndNames) {
    TempDir dir;
    SessionState s = Sample();
    RecordingMessageSink sink;
    EXPECT_FALSE(ReadNetworkFile("", s, sink));
    EXPECT_EQ(sink.messages.back(), "No file was chosen;  we are exiting the file-reading routine.");
    EXPECT_EQ(s.TestFrequency, 14.2e6);  // nothing changed

    for (const std::string& name : {dir.File("none.QVF"), dir.path.string()}) {
        EXPECT_FALSE(ReadNetworkFile(name, s, sink));
        EXPECT_EQ(sink.messages.back().rfind("We had a problem reading file " + name, 0), 0u);
    }

    SessionState last = Sample();
    EXPECT_FALSE(ReadLastSession(last, dir.File("LASTSESSION.QVF")));
    EXPECT_EQ(last.ElementType[1], EmptyStage);
    // The last session has no checks: 5 kHz is kept.
    WriteAll(dir.File("last"), Edited(3, "Frequency: 5000"));
    EXPECT_TRUE(ReadLastSession(last, dir.File("last")));
    EXPECT_EQ(last.TestFrequency, 5000);
    WriteAll(dir.File("last"), Edited(49, "Number of points: 9999"));
    EXPECT_FALSE(ReadLastSession(last, dir.File("last")));
}

TEST(NetworkFile, WriterReplacesWholeFilesAndFailsCleanly) {
    TempDir dir;
    SessionState s = Sample();
    WriteAll(dir.File("net.QVF"), std::string(5000, 'x'));
    ASSERT_TRUE(WriteNetworkFile(dir.File("net.QVF"), s, "d"));
    EXPECT_EQ(ReadAll(dir.File("net.QVF")), NetworkFileText(s, kNetworkFileTitle, "d"));

    EXPECT_FALSE(WriteNetworkFile("", s, "d"));
    EXPECT_FALSE(WriteNetworkFile(dir.File("no/such/folder/net"), s, "d"));
    std::filesystem::create_directory(dir.File("taken.QVF"));
    EXPECT_FALSE(WriteNetworkFile(dir.File("taken"), s, "d"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.QVF")));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path)) ++entries;
    EXPECT_EQ(entries, 2);  // net.QVF and the folder; no temporary file left
}

}  // namespace
}  // namespace qv

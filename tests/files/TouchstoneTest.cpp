#include "files/Touchstone.h"

#include <gtest/gtest.h>

#include <sstream>

#include "files/TempDir.h"

namespace qv {
namespace {

TouchstoneRead Parse(const std::string& text, const std::string& name = "m.s1p") {
    std::istringstream in(text);
    return ParseTouchstone(in, name);
}

// Expected impedances were worked out apart from the reader, from the
// parameter definitions (multi-port: the whole S matrix, then S11).
struct Case {
    const char* text;
    double freq, r, x;
};

TEST(Touchstone, OptionLinesVersionsAndPortsGiveTheLoad) {
    const Case cases[] = {
        {"# Hz S RI R 50\n1.0E+03 +0.2 -1e-1\n", 1000, 73.07692307692308, -15.384615384615385},
        {"# kHz S MA R 75\n1 0.5 90\n", 1e3, 45, 60},
        {"# MHz S DB R 50\n2 -6 45\n", 2e6, 69.0272316001913, 65.33757795786396},
        {"#\n1.5 0.3 -30\n", 1.5e9, 79.77071508911358, -26.29803794146601},
        {"# ghz z ri r 25\n1 2 -1\n", 1e9, 50, -25},
        {"# Y RI R 50 Hz\n1 0.5 0.5\n", 1, 50, -50},
        {"# R 100 mA Z\n1 1.5 -90\n", 1e9, 0, -150},
        {"[Version] 2.0\n# Hz Z RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
         "[Network Data]\n1 30 40\n[End]\n", 1, 30, 40},
        {"[Version] 2.0\n# Hz Y RI\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
         "[Network Data]\n1 0.01 0.02\n[End]\n", 1, 20, -40},
        {"[VERSION] 2.0\n# Hz S RI R 50\n[Number of Ports] 1\n[Reference] 75\n"
         "[Number of Frequencies] 1\n[Network Data]\n1 0.2 0\n[End]\n", 1, 112.5, 0},
        // Two-port, version 1 order 11 21 12 22; then the noise parameters.
        {"# MHz Z RI R 50\n1 1 .5 .3 -.2 .3 -.2 2 1\n! noise\n1 2 .5 30 .2\n", 1e6, 49.85, 27.05},
        {"# MHz Y RI R 50\n1 1 .5 -.4 .1 -.4 .1 .8 -.3\n", 1e6, 41.00043215211755,
         -23.82238547968885},
        {"[Version] 2.0\n# Hz Z RI\n[Number of Ports] 3\n[Number of Frequencies] 1\n"
         "[Reference] 50 75\n100\n[Matrix Format] Lower\n[Network Data]\n"
         "1 40 10\n5 -3 60 20\n2 1 4 4 90 -30\n[End]\n", 1, 39.90804960401022, 10.215240761460224},
        // A four-port with its rows on lines of their own.
        {"# Hz S RI\n1 0.2 -0.1 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n"
         "0 0 0 0 0 0 0 0\n", 1, 73.07692307692308, -15.384615384615385},
    };
    for (const Case& c : cases) {
        const TouchstoneRead read = Parse(c.text);
        ASSERT_TRUE(read.ok && read.points.size() == 1) << c.text << read.message;
        EXPECT_DOUBLE_EQ(read.points[0].freq, c.freq) << c.text;
        EXPECT_LT(std::hypot(read.points[0].r - c.r, read.points[0].x - c.x), 1e-12 * std::hypot(c.r, c.x) + 1e-12) << c.text;
        EXPECT_EQ(read.message.find("S11") != std::string::npos, read.ports > 1) << c.text;
    }
}

TEST(Touchstone, RealFileQuirksReadAlike) {
    const std::string body = "! from an analyser \xE9\xB5 Latin-1\n\n  \t# Hz S RI R 50 ! options\n"
                             "# GHz Z MA R 1\n10\t0.2 -0.1 ! end of line\n\n  20 0 0  \n";
    for (const char* end : {"\n", "\r\n", "\r"}) {
        std::string text = "\xEF\xBB\xBF";
        for (char c : body) text += c == '\n' ? std::string(end) : std::string(1, c);
        const TouchstoneRead read = Parse(text, "M.S1P");
        ASSERT_TRUE(read.ok && read.message.empty() && read.points.size() == 2) << read.message;
        EXPECT_DOUBLE_EQ(read.points[0].r, 73.07692307692308);
        EXPECT_TRUE(read.points[1].freq == 20 && read.points[1].r == 50);
    }
    // The content decides; the extension only where the content cannot tell.
    struct Kind {
        const char* text;
        const char* name;
        bool touchstone;
    } kinds[] = {{"\xEF\xBB\xBF! c\n# Hz\n", "a.RJX", true},
                 {"[Version] 2.0\n", "a.txt", true},
                 {"! c\n1 2 3\n", "a.S1P", true},
                 {"", "dir.s1p/a.S12P", true},
                 {"! c\n1M,50,0\n", "a.rjx", false},
                 {"* c\n# x\n", "a.s1p.RJX", false}};
    for (const Kind& k : kinds) {
        std::istringstream in(k.text);
        EXPECT_EQ(LooksLikeTouchstone(in, k.name), k.touchstone) << k.text << k.name;
    }
}

TEST(Touchstone, RefusalsNameTheFileAndLineAndChangeNothing) {
    const std::string v2 = "[Version] 2.0\n", one = v2 + "[Number of Ports] 1\n", data = "[Network Data]\n",
                      f1 = "[Number of Frequencies] 1\n" + data;
    const std::pair<std::string, std::string> cases[] = {
        {"", "m.s1p: the file is empty"},
        {"! only\n# Hz\n", "m.s1p: the file holds no data"},
        {"# Hz S RI\n1 0.5 x\n", "m.s1p, line 2: \"x\" is not a number"},
        {"# Hz S RI\n1 0.5 nan\n", "m.s1p, line 2: \"nan\" is not a number"},
        {"# Hz S RI\n1 0 0\n2 0.5\n", "m.s1p, line 3: a frequency point starts with"},
        {"# Hz S RI\n1 0 0 0 0\n", "m.s1p, line 2: a frequency point of 5 values fits no"},
        {"# Hz S RI\n1\n", "m.s1p, line 2: a frequency point of 1 values fits no"},
        {"# Hz S RI\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0\n3 0 0 0 0 0 0 0 0\n",
         "m.s1p, line 3: the frequency point has 7 values where a 2-port point has 9"},
        {"# Hz S RI\n1 0 0\n2 0 0\n2 0 0\n", "m.s1p, line 4: frequencies must increase: 2 Hz"},
        {"# Hz Q RI\n1 0 0\n", "m.s1p, line 1: \"Q\" is not an option-line item"},
        {"# Hz H RI\n1 0 0\n", "m.s1p, line 1: H-parameters"},
        {"# Hz S RI R 0\n1 0 0\n", "m.s1p, line 1: the reference impedance R must be above 0"},
        {"1 0 0\n# Hz\n", "m.s1p, line 2: the option line must come before the data"},
        {"# Hz\n[Number of Ports] 1\n", "m.s1p, line 2: a keyword in a file without"},
        {"[Version] 3.0\n", "m.s1p, line 1: [Version] must be 2.0"},
        {v2 + f1 + "1 0 0\n[End]\n", "m.s1p, line 3: [Number of Ports] is missing"},
        {v2 + "[Number of Ports] 2\n" + f1, "m.s1p, line 4: [Two-Port Data Order] is missing"},
        {one + data, "m.s1p, line 3: [Number of Frequencies] is missing"},
        {one + "[Number of Frequencies] 1\n1 0 0\n[End]\n", "m.s1p, line 4: values outside [Network Data]"},
        {v2 + "[Number of Ports] 2\n[Reference] 50\n[Two-Port Data Order] 12_21\n" + f1,
         "m.s1p, line 3: [Reference] needs one value per port"},
        {one + "[Number of Frequencies] 2\n" + data + "1 0 0\n[End]\n",
         "m.s1p, line 6: the file holds 1 frequencies where [Number of Frequencies] says 2"},
        {one + f1 + "1 0 0\n2 0 0\n[End]\n", "m.s1p, line 6: more frequencies than [Number of Frequencies] (1)"},
        {one + f1 + "1 0 0\n", "m.s1p, line 5: the file ends without [End]"},
    };
    for (const auto& [text, message] : cases) {
        const TouchstoneRead read = Parse(text);
        EXPECT_FALSE(read.ok) << text;
        EXPECT_EQ(read.message.rfind(message, 0), 0u) << text << "\n -> " << read.message;
    }

    test::TempDir dir;
    SessionState s;
    s.SweepPoints = s.LoadRows = 2, s.LoadFreq[1] = 7;
    const SessionState before = s;
    RecordingMessageSink sink;
    test::WriteAll(dir.File("bad.s1p"), "# Hz S RI\n1 0.5 0\n2 0.5 x\n");
    EXPECT_FALSE(ReadTouchstoneLoad(dir.File("bad.s1p"), s, sink) || ReadTouchstoneLoad(dir.File("missing.s1p"), s, sink));
    EXPECT_EQ(sink.messages.size(), 2u);
    EXPECT_TRUE(s.SweepPoints == before.SweepPoints && s.LoadRows == before.LoadRows &&
                s.LoadFreq == before.LoadFreq && s.LoadR == before.LoadR);
}

TEST(Touchstone, ManyFrequenciesAreThinnedKeepingBothEnds) {
    std::string text = "# Hz S RI\n";
    for (int i = 1; i <= 2500; ++i) text += std::to_string(i) + " 0 0\n";
    test::TempDir dir;
    test::WriteAll(dir.File("long.s1p"), text);
    SessionState s;
    s.SweepPoints = 9;
    RecordingMessageSink sink;
    ASSERT_TRUE(ReadTouchstoneLoad(dir.File("long.s1p"), s, sink));
    EXPECT_EQ(std::tuple(s.SweepPoints, s.LoadRows, s.SavedSweepPoints), std::tuple(1000, 1000, 9));
    // Row 501 is round(500 x 2499 / 999) = 1251 rows on, the 1252nd.
    EXPECT_EQ(std::tuple(s.LoadFreq[1], s.LoadFreq[501], s.LoadFreq[1000], s.LoadR[1000]), std::tuple(1, 1252, 2500, 50));
    EXPECT_TRUE(sink.messages.size() == 1 && sink.messages[0].find("2500 frequencies; 1000") != std::string::npos);
}

}  // namespace
}  // namespace qv

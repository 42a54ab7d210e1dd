#include "cli/CalcTool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "files/NetworkFile.h"
#include "cli/CalcRun.h"
#include "files/TempDir.h"
#include "session/Stages.h"

namespace qv {
namespace {

using test::Numbers;
using Calc = test::CalcRun;

// The numbers of the line after the header.
std::vector<double> FirstRow(const std::string& out) { return Numbers(out.substr(out.find('\n') + 1)); }

class CalcTool : public ::testing::Test {
protected:
    void SetUp() override {
        SessionState s;
        ResetNetwork(s);
        s.TestFrequency = 14.2e6;
        s.Value[0][1] = 100;  // rho 1/3, VSWR 2 against 50 ohms
        s.QCircleValue = s.VswrCircleValue = 2;
        s.SweepStart = 1e6, s.SweepStop = 3e6, s.SweepPoints = 5;
        EXPECT_TRUE(WriteNetworkFile(net, s, "d").ok());
        test::WriteAll(load, "* f, R, X\r\n1M,25,0\r\n2M,50,0\r\n3M,100,0\r\n");
    }
    test::TempDir dir;
    std::string net = dir.File("net.QVF"), load = dir.File("ant.RJX");
};

TEST_F(CalcTool, ImpedanceAtTheTestFrequencyOrTheTablesMiddleRow) {
    Calc plain({"impedance", net});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out.rfind("frequency_hz,r_ohm,x_ohm,rho,angle_deg,vswr,return_loss_db\n"
                              "14200000,100,0,0.33333333333333331,0,", 0), 0u) << plain.out;
    EXPECT_LT(std::hypot(FirstRow(plain.out).at(5) - 2, FirstRow(plain.out).at(6) - 9.5424250943932485), 1e-12);
    EXPECT_EQ(FirstRow(Calc({"impedance", net, "--load", load}).out),
              (std::vector<double>{2e6, 50, 0, 0, 0, 1, 120}));

    SessionState s;  // 50 ohm across the 50 ohm load: 25 ohm
    ResetNetwork(s);
    test::SetStage(s, 1, ShuntResistor, 50);
    ASSERT_TRUE(WriteNetworkFile(net, s, "d").ok());
    const std::vector<double> shunt = FirstRow(Calc({"impedance", net}).out);
    EXPECT_TRUE(std::fabs(shunt.at(1) - 25) < 1e-9 && std::fabs(shunt.at(2)) < 1e-9) << shunt.at(1);
}

TEST_F(CalcTool, SweepWritesTheTableToStandardOutputOrAFile) {
    Calc given({"sweep", net, "--start", "1M", "--stop=2M", "--points", "3"});
    const std::vector<std::string> lines = test::CrLfLines(given.out);
    ASSERT_EQ(lines.size(), 10u) << given.err;
    EXPECT_TRUE(lines[1] == "Filename: -" && Numbers(lines[7])[0] == 1.5e6);
    EXPECT_EQ(lines[6], "1000000,100,0,.333333333333333,0,9.54242509439325,2");

    EXPECT_EQ(Calc({"sweep", net, "-o", dir.File("out.txt")}).status, 0);
    EXPECT_EQ(test::CrLfLines(test::ReadAll(dir.File("out.DAT"))).size(), 12u);  // 5 points

    Calc table({"sweep", net, "--load", load, "-o", "-"});
    ASSERT_EQ(test::CrLfLines(table.out).size(), 10u) << table.err;
    EXPECT_EQ(test::CrLfLines(table.out)[6], "1000000,25,0,.333333333333333,180,9.54242509439325,2");
}

TEST_F(CalcTool, TouchstoneLoadsAndResultFormatsReadBack) {
    // Port 1 of a two-port: S11 0.2 - j0.1 and -0.6 + j0.3 against 50 ohm.
    const std::string m = dir.File("m.s2p"), s1p = dir.File("r.S1P"), csv = dir.File("r.csv");
    test::WriteAll(m, "# MHz S RI R 50\n1 .2 -.1 0 0 0 0 0 0\n2 -.6 .3 0 0 0 0 0 0\n");
    Calc direct({"sweep", net, "--load", m, "--format", "csv"});
    ASSERT_EQ(direct.status, 0) << direct.err;
    EXPECT_TRUE(direct.err.rfind("quendavore-calc: " + m + " holds a 2-port network", 0) == 0 &&
                direct.err.find('\n') == direct.err.size() - 1) << direct.err;
    const std::vector<std::string> rows = test::CrLfLines(direct.out);
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<double> row1 = Numbers(rows[1]);  // R as in the reader's tests; VSWR, return loss
    EXPECT_TRUE(std::fabs(row1[1] - 73.0769230769) < 1e-9 && std::fabs(row1[5] - 1.576014) < 1e-6 &&
                std::fabs(row1[6] - 13.0103) < 1e-4) << rows[1];

    // The files the program writes, by extension, read back alike.
    ASSERT_EQ(Calc({"sweep", net, "--load", m, "-o", s1p}).status + Calc({"sweep", net, "--load", m, "-o", csv}).status, 0);
    EXPECT_EQ(test::ReadAll(csv), direct.out);
    EXPECT_EQ(test::CrLfLines(test::ReadAll(s1p))[5], "# Hz S RI R 50");
    Calc back({"sweep", net, "--load", s1p, "--format", "csv"});
    ASSERT_TRUE(back.status == 0 && back.err.empty()) << back.err;
    for (int i = 1; i <= 2; ++i)
        for (int c = 1; c < 3; ++c)
            EXPECT_NEAR(Numbers(test::CrLfLines(back.out)[i])[c], Numbers(rows[i])[c],
                        1e-12 * std::hypot(Numbers(rows[i])[1], Numbers(rows[i])[2]));
}

TEST_F(CalcTool, ProblemsGiveOneLineAndStatusTwo) {
    test::WriteAll(dir.File("empty.RJX"), "* nothing\r\n");
    test::WriteAll(dir.File("bad.QVF"), "t\r\nd\r\nFrequency: 5000\r\n");
    test::WriteAll(dir.File("bad.s1p"), "# Hz S RI\r\n1 0 0\r\n1 0 0\r\n");
    test::WriteAll(dir.File("same.RJX"), "1M,50,0\r\n1M,60,0\r\n");  // no Touchstone file can hold it
    // Network files that hold no value at all: refused, not computed as the defaults.
    test::WriteAll(dir.File("empty.QVF"), "");
    test::WriteAll(dir.File("notes.QVF"), "* only\r\n\r\n* comments\r\n");
    test::WriteAll(dir.File("nul.QVF"), std::string(40, '\0') + "\r\n" + std::string(9, '\0'));
    const std::string oddName = dir.File("odd\x01\x1b[2J\nname.QVF");
    const std::vector<std::vector<std::string>> cases = {
        {}, {"solve", net}, {"impedance"}, {"impedance", net, "extra"},
        {"impedance", net, "--points", "3"}, {"impedance", dir.File("bad.QVF")},
        {"impedance", net, "--load"}, {"impedance", net, "--load", dir.File("no.RJX")},
        {"impedance", net, "--load", dir.File("empty.RJX")},
        {"sweep", net, "--points", "1"}, {"sweep", net, "--points", "2002"},
        {"sweep", net, "--points", "3x"}, {"sweep", net, "--start", "5k"},
        {"sweep", net, "--stop", "20G"}, {"sweep", net, "--start", "1e300"},
        {"sweep", net, "--start", "1M", "--start", "2M"},
        {"sweep", net, "--load", load, "--stop", "1M"}, {"sweep", net, "-o", dir.File("no/out")},
        {"sweep", net, "--format", "xml"}, {"sweep", net, "-o", dir.File("no/out.s1p")},
        {"impedance", net, "--load", dir.File("bad.s1p")}, {"sweep", net, "--load", dir.File("same.RJX"), "--format", "s1p"},
        {"impedance", dir.File("empty.QVF")}, {"sweep", dir.File("notes.QVF")},
        {"impedance", dir.File("nul.QVF")}, {"impedance", oddName},
        // Without a picture writer (a build without Qt) the pictures are refused too.
        {"chart", net}, {"chart", net, "-o", "c.png"}, {"plot", net, "--trace", "db", "-o", "p.png"},
        {"plot", net, "--trace", "rl,rl", "-o", "p.png"}, {"chart", net, "--size", "8x8", "-o", "c.png"}};
    for (const auto& args : cases) Calc(args).ExpectRefused();
    EXPECT_NE(Calc({"impedance", dir.File("bad.QVF")}).err.find("We had a problem reading file"),
              std::string::npos);
    EXPECT_EQ(Calc({"impedance", net, "--load", dir.File("no.RJX")}).err,
              "quendavore-calc: cannot read " + dir.File("no.RJX") + ": No such file or directory\n");
    // A file name's control characters are shown escaped, never sent to the terminal.
    EXPECT_NE(Calc({"impedance", oddName}).err.find("odd\\x01\\x1B[2J\\x0Aname.QVF"),
              std::string::npos);
    EXPECT_NE(Calc({"impedance", dir.File("empty.QVF")}).err.find("holds no values"),
              std::string::npos);
    // Results that cannot be written are a failure, not a success.
    std::ofstream full("/dev/full");
    std::ostringstream err;
    EXPECT_EQ(FinishOutput(full, err, RunCalc({"impedance", net}, full, err)), 2);
    EXPECT_EQ(err.str(), "quendavore-calc: cannot write the results: No space left on device\n");
    Calc help({"sweep", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u);
}

// A 50-ohm load behind a series 562.7 nH: |gamma| = X / |100 + jX| reaches
// 1/3 where X = 100 / sqrt(8), at 10 MHz. The 2 MHz steps straddle it, so
// the edge must come from interpolation, close to 10 MHz but on neither
// point; the best point is the sweep's start.
TEST(CalcToolBandwidth, EdgesMatchTheClosedFormWithinTheStep) {
    test::TempDir dir;
    SessionState s;
    ResetNetwork(s);
    const double l = 100 / std::sqrt(8.0) / (2 * std::acos(-1.0) * 10e6);
    test::SetStage(s, 1, SeriesInductor, l);
    s.TestFrequency = 10e6, s.SweepStart = 1e6, s.SweepStop = 21e6, s.SweepPoints = 11;
    ASSERT_TRUE(WriteNetworkFile(dir.File("l.QVF"), s, "d").ok());
    Calc r({"sweep", dir.File("l.QVF"), "--bandwidth"});
    ASSERT_EQ(r.out.find('\n'), r.out.size() - 1) << r.err << r.out;
    const std::vector<double> v = Numbers(r.out);
    ASSERT_EQ(v.size(), 6u) << r.out;
    EXPECT_TRUE(v[0] == 1e6 && v[2] == 1e6 && v[4] == 1e6 && v[5] > 1) << r.out;
    EXPECT_NEAR(v[1], 10e6, 0.1e6);
    // Return loss 10 dB is VSWR 1.925: a little lower in frequency.
    EXPECT_LT(v[3], v[1]);
    EXPECT_NEAR(v[3], 10e6 * std::sqrt(1e-1 / (1 - 1e-1)) / std::sqrt(1.0 / 8), 0.1e6);
}

}  // namespace
}  // namespace qv

#include "cli/CalcTool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "files/NetworkFile.h"
#include "files/TempDir.h"

namespace qv {
namespace {

struct Calc {
    int status;
    std::string out, err;
    explicit Calc(const std::vector<std::string>& args) {
        std::ostringstream o, e;
        status = RunCalc(args, o, e);
        out = o.str();
        err = e.str();
    }
    std::vector<std::string> Lines() const { return test::CrLfLines(out); }
};

std::vector<double> Numbers(const std::string& line) {
    std::vector<double> values;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) values.push_back(std::stod(field));
    return values;
}

class CalcTool : public ::testing::Test {
protected:
    void SetUp() override {
        SessionState s;
        ResetNetwork(s);
        s.TestFrequency = 14.2e6;
        s.Value[0][1] = 100;  // rho 1/3, VSWR 2 against 50 ohms
        s.QCircleValue = s.VswrCircleValue = 2;
        s.SweepStart = 1e6;
        s.SweepStop = 3e6;
        s.SweepPoints = 5;
        WriteNetworkFile(net, s, "d");
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
    const std::vector<double> v = Numbers(plain.out.substr(plain.out.find('\n') + 1));
    EXPECT_NEAR(v.at(5), 2, 1e-12);
    EXPECT_NEAR(v.at(6), 9.5424250943932485, 1e-12);
    Calc table({"impedance", net, "--load", load});
    EXPECT_EQ(Numbers(table.out.substr(table.out.find('\n') + 1)),
              (std::vector<double>{2e6, 50, 0, 0, 0, 1, 120}));
}

TEST_F(CalcTool, SweepWritesTheTableToStandardOutputOrAFile) {
    Calc given({"sweep", net, "--start", "1M", "--stop=2M", "--points", "3"});
    ASSERT_EQ(given.Lines().size(), 10u) << given.err;
    EXPECT_EQ(given.Lines()[1], "Filename: -");
    EXPECT_EQ(given.Lines()[6], "1000000,100,0,.333333333333333,0,9.54242509439325,2");
    EXPECT_EQ(Numbers(given.Lines()[7])[0], 1.5e6);

    Calc file({"sweep", net, "-o", dir.File("out.txt")});
    EXPECT_EQ(file.status, 0);
    EXPECT_EQ(test::CrLfLines(test::ReadAll(dir.File("out.DAT"))).size(), 12u);  // 5 points

    Calc table({"sweep", net, "--load", load, "-o", "-"});
    ASSERT_EQ(table.Lines().size(), 10u) << table.err;
    EXPECT_EQ(table.Lines()[6], "1000000,25,0,.333333333333333,180,9.54242509439325,2");
}

TEST_F(CalcTool, ProblemsGiveOneLineAndStatusTwo) {
    test::WriteAll(dir.File("empty.RJX"), "* nothing\r\n");
    test::WriteAll(dir.File("bad.QVF"), "t\r\nd\r\nFrequency: 5000\r\n");
    const std::vector<std::vector<std::string>> cases = {
        {}, {"solve", net}, {"impedance"}, {"impedance", net, "extra"},
        {"impedance", net, "--points", "3"}, {"impedance", dir.File("bad.QVF")},
        {"impedance", net, "--load"}, {"impedance", net, "--load", dir.File("no.RJX")},
        {"impedance", net, "--load", dir.File("empty.RJX")},
        {"sweep", net, "--points", "1"}, {"sweep", net, "--points", "2002"},
        {"sweep", net, "--points", "3x"}, {"sweep", net, "--start", "5k"},
        {"sweep", net, "--start", "1M", "--start", "2M"},
        {"sweep", net, "--load", load, "--stop", "1M"}, {"sweep", net, "-o", dir.File("no/out")},
        // Without a picture writer (a build without Qt) the pictures are refused too.
        {"chart", net}, {"chart", net, "-o", "c.png"}, {"plot", net, "--trace", "db", "-o", "p.png"},
        {"plot", net, "--trace", "rl,rl", "-o", "p.png"}, {"chart", net, "--size", "8x8", "-o", "c.png"}};
    for (const auto& args : cases) {
        Calc r(args);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("quendavore-calc: ", 0), 0u);
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_NE(Calc({"impedance", dir.File("bad.QVF")}).err.find("We had a problem reading file"),
              std::string::npos);
    Calc help({"sweep", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// A 50-ohm load behind a series 562.7 nH: |gamma| = X / |100 + jX| reaches
// 1/3 where X = 100 / sqrt(8), at 10 MHz. The 2 MHz steps straddle it, so
// the edge must come from interpolation, close to 10 MHz but on neither
// point; the best point is the sweep's start.
TEST(CalcToolBandwidth, EdgesMatchTheClosedFormWithinTheStep) {
    test::TempDir dir;
    SessionState s;
    ResetNetwork(s);
    const double l = 100 / std::sqrt(8.0) / (2 * std::acos(-1.0) * 10e6);
    s.TestFrequency = 10e6;
    s.Value[0][1] = 50;
    s.ElementType[1] = SeriesInductor;
    s.Value[1][1] = l;
    s.SweepStart = 1e6;
    s.SweepStop = 21e6;
    s.SweepPoints = 11;
    ASSERT_TRUE(WriteNetworkFile(dir.File("l.QVF"), s, "d"));
    Calc r({"sweep", dir.File("l.QVF"), "--bandwidth"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
    const std::vector<double> v = Numbers(r.out);
    ASSERT_EQ(v.size(), 6u) << r.out;
    EXPECT_EQ(v[0], 1e6);
    EXPECT_NEAR(v[1], 10e6, 0.1e6);
    EXPECT_NE(v[1], 9e6);
    EXPECT_NE(v[1], 11e6);
    // Return loss 10 dB is VSWR 1.925: a little lower in frequency.
    EXPECT_EQ(v[2], 1e6);
    EXPECT_LT(v[3], v[1]);
    EXPECT_NEAR(v[3], 10e6 * std::sqrt(1e-1 / (1 - 1e-1)) / std::sqrt(1.0 / 8), 0.1e6);
    EXPECT_EQ(v[4], 1e6);
    EXPECT_GT(v[5], 1);

    // A match that never reaches VSWR 2 leaves the band fields empty.
    s.Value[1][1] = 100 * l;
    ASSERT_TRUE(WriteNetworkFile(dir.File("l.QVF"), s, "d"));
    const std::string none = Calc({"sweep", dir.File("l.QVF"), "--bandwidth"}).out;
    EXPECT_EQ(none.rfind(",,,,1000000,", 0), 0u) << none;
}

}  // namespace
}  // namespace qv

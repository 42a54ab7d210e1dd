#include "cli/CalcTool.h"

#include <gtest/gtest.h>

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
        InitSession(s);
        ResetNetwork(s);
        s.TestFrequency = 14.2e6;
        s.Value[0][1] = 100;  // rho 1/3, VSWR 2 against 50 ohms
        s.SweepStart = 1e6;
        s.SweepStop = 3e6;
        s.SweepPoints = 5;
        s.QCircleValue = 2;
        s.VswrCircleValue = 2;
        WriteNetworkFile(net, s, "d");
        test::WriteAll(load, "* f, R, X\r\n1M,25,0\r\n2M,50,0\r\n3M,100,0\r\n");
    }
    test::TempDir dir;
    std::string net = dir.File("net.QVF");
    std::string load = dir.File("ant.RJX");
};

TEST_F(CalcTool, ImpedanceAtTheTestFrequencyOrTheTablesMiddleRow) {
    Calc plain({"impedance", net});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out.substr(0, plain.out.find('\n')),
              "frequency_hz,r_ohm,x_ohm,rho,angle_deg,vswr,return_loss_db");
    const std::string line = plain.out.substr(plain.out.find('\n') + 1);
    EXPECT_EQ(line.rfind("14200000,100,0,0.33333333333333331,0,", 0), 0u) << line;  // 17 digits
    const std::vector<double> p = Numbers(line);
    ASSERT_EQ(p.size(), 7u);
    EXPECT_NEAR(p[5], 2, 1e-12);
    EXPECT_NEAR(p[6], 9.5424250943932485, 1e-12);

    Calc table({"impedance", net, "--load", load});
    ASSERT_EQ(table.status, 0) << table.err;
    const std::vector<double> v = Numbers(table.out.substr(table.out.find('\n') + 1));
    ASSERT_EQ(v.size(), 7u);
    EXPECT_EQ(v[0], 2e6);
    EXPECT_EQ(v[1], 50);
    EXPECT_EQ(v[3], 0);
    EXPECT_EQ(v[6], 120);
}

TEST_F(CalcTool, SweepWritesTheTableToStandardOutputOrAFile) {
    Calc given({"sweep", net, "--start", "1M", "--stop=2M", "--points", "3"});
    ASSERT_EQ(given.status, 0) << given.err;
    std::vector<std::string> lines = test::CrLfLines(given.out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], "Filename: -");
    EXPECT_EQ(lines[6], "1000000,100,0,.333333333333333,0,9.54242509439325,2");
    EXPECT_EQ(Numbers(lines[7])[0], 1.5e6);
    EXPECT_EQ(Numbers(lines[8])[0], 2e6);

    Calc fromFile({"sweep", net, "-o", dir.File("out.txt")});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, "");
    lines = test::CrLfLines(test::ReadAll(dir.File("out.DAT")));
    ASSERT_EQ(lines.size(), 12u);  // the file's 5 points
    EXPECT_EQ(Numbers(lines[10])[0], 3e6);

    Calc table({"sweep", net, "--load", load, "-o", "-"});
    ASSERT_EQ(table.status, 0) << table.err;
    lines = test::CrLfLines(table.out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[6], "1000000,25,0,.333333333333333,180,9.54242509439325,2");
}

TEST_F(CalcTool, ProblemsGiveOneLineAndStatusTwo) {
    test::WriteAll(dir.File("empty.RJX"), "* nothing\r\n");
    test::WriteAll(dir.File("bad.QVF"), "t\r\nd\r\nFrequency: 5000\r\n");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"solve", net},
        {"impedance"},
        {"impedance", net, "extra"},
        {"impedance", net, "--points", "3"},
        {"impedance", dir.File("missing.QVF")},
        {"impedance", dir.File("bad.QVF")},
        {"impedance", net, "--load"},
        {"impedance", net, "--load", dir.File("missing.RJX")},
        {"impedance", net, "--load", dir.File("empty.RJX")},
        {"sweep", net, "--points", "1"},
        {"sweep", net, "--points", "2002"},
        {"sweep", net, "--points", "3x"},
        {"sweep", net, "--start", "5k"},
        {"sweep", net, "--stop", "abc"},
        {"sweep", net, "--start", "1M", "--start", "2M"},
        {"sweep", net, "--load", load, "--start", "1M"},
        {"sweep", net, "-o", dir.File("no/folder/out")},
    };
    for (const auto& args : cases) {
        Calc r(args);
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(r.err.rfind("quendavore-calc: ", 0), 0u) << shown;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << shown << r.err;
    }
    EXPECT_NE(Calc({"impedance", dir.File("bad.QVF")}).err.find("We had a problem reading file"),
              std::string::npos);
}

TEST_F(CalcTool, HelpPrintsUsage) {
    Calc help({"sweep", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u);
    EXPECT_EQ(help.err, "");
}

}  // namespace
}  // namespace qv

#include <gtest/gtest.h>

#include "cli/CalcRun.h"
#include "files/NetworkFile.h"
#include "files/TempDir.h"

namespace qv {
namespace {

using Calc = test::CalcRun;
using test::Split;

class MatchCommand : public ::testing::Test {
protected:
    void SetUp() override {
        SessionState s;
        ResetNetwork(s);
        s.TestFrequency = 3e6, s.Value[0] = {0, 20, 60};
        s.ElementType[1] = SeriesResistor, s.Value[1][1] = 10;  // replaced by the match
        EXPECT_TRUE(WriteNetworkFile(net, s, "d").ok());
        test::WriteAll(load, "1M,25,10\r\n2M,50,30\r\n3M,200,-300\r\n");
    }
    // Frequency and VSWR that `impedance` reports for a written file.
    std::pair<double, double> Impedance(const std::string& file) {
        const std::vector<double> f = test::Numbers(Split(Calc({"impedance", file}).out, '\n').at(1));
        return {f.at(0), f.at(5)};
    }
    test::TempDir dir;
    std::string net = dir.File("net.QVF"), load = dir.File("ant.RJX");
};

TEST_F(MatchCommand, EveryWrittenSolutionMatchesAsPrinted) {
    const std::string out = dir.File("out");
    Calc all({"match", net, "--topology", "all", "--loaded-q=4", "-o", out});
    ASSERT_EQ(all.status, 0) << all.err;
    const std::vector<std::string> lines = Split(all.out, '\n');
    EXPECT_EQ(lines.at(0), "index,topology,stages,vswr,bandwidth_low_hz,bandwidth_high_hz");
    ASSERT_EQ(lines.size(), 17u);  // 4 L, 4 Pi, 4 T, 4 stubs
    for (std::size_t i = 1; i < lines.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/match-%02zu.QVF", i);
        const auto [frequency, vswr] = Impedance(out + name);
        EXPECT_TRUE(frequency == 3e6 && std::fabs(vswr - 1) < 1e-9) << lines[i];
        const std::vector<std::string> f = Split(lines[i], ',');
        EXPECT_TRUE(std::stod(f.at(4)) < 3e6 && std::stod(f.at(5)) > 3e6) << lines[i];
    }

    // Snapped values: the file holds them and shows the VSWR printed. The
    // table row nearest the network's 3 MHz is matched, not the middle one.
    Calc snapped({"match", net, "--load", load, "--series", "E12", "--q", "80", "-o", out});
    ASSERT_EQ(snapped.status, 0) << snapped.err;
    ASSERT_EQ(Split(snapped.out, '\n').size(), 3u);  // 200 - j300: two L networks
    const auto [frequency, vswr] = Impedance(out + "/match-01.QVF");
    EXPECT_TRUE(frequency == 3e6 && vswr > 1.0001) << vswr;
    EXPECT_NEAR(vswr, std::stod(Split(Split(snapped.out, '\n')[1], ',')[3]), 1e-12);
}

TEST_F(MatchCommand, ProblemsGiveOneLineAndStatusTwo) {
    test::WriteAll(dir.File("file"), "x");
    test::WriteAll(dir.File("low.RJX"), "3M,0.5,10\r\n");
    const std::vector<std::vector<std::string>> cases = {
        {"match"}, {"match", net, "--topology", "x"}, {"match", net, "--q", "0"},
        {"match", net, "--q", "5k"}, {"match", net, "--series", "E7"}, {"match", net, "--bogus"},
        {"match", net, "--topology", "pi"}, {"match", net, "--topology", "t", "--loaded-q", "1"},
        {"match", net, "--q"}, {"match", net, net}, {"match", net, "-o", dir.File("file")},
        {"match", net, "--load", dir.File("low.RJX"), "-o", dir.File("out")}};
    for (const auto& args : cases) Calc(args).ExpectRefused();
    EXPECT_EQ(Calc({"match", net, "--topology", "t", "--loaded-q", "1"}).err,
              "quendavore-calc: The loaded Q must be at least 1.225 for a T network on this load.\n");
}

}  // namespace
}  // namespace qv

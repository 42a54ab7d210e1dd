#include <gtest/gtest.h>

#include <memory>

#include "calc/Optimise.h"
#include "calc/StandardValues.h"
#include "cli/CalcRun.h"
#include "files/NetworkFile.h"
#include "files/TempDir.h"
#include "session/Stages.h"

namespace qv {
namespace {

class OptimiseCommand : public ::testing::Test {
protected:
    void SetUp() override {
        // 25 ohm through a series L (stage 1) and a shunt C (stage 5), both far
        // from the 14 MHz match (284 nH, 227 pF); a resistor on stage 3 that
        // is never tuned.
        auto s = std::make_unique<SessionState>(test::Fresh());
        s->TestFrequency = 14e6;
        s->Value[0][1] = 25;
        test::SetStage(*s, 1, SeriesInductor, 600e-9);
        test::SetStage(*s, 5, ShuntCapacitor, 100e-12);
        test::SetStage(*s, 3, SeriesResistor, 0.5);
        s->SweepStart = 13e6, s->SweepStop = 15e6, s->SweepPoints = 21;
        EXPECT_TRUE(WriteNetworkFile(net, *s, "d").ok());
        test::WriteAll(load, "13.5M,22,-5\r\n14M,25,0\r\n14.5M,28,5\r\n");
    }

    // The run, and the figures of its CSV line under the header.
    struct Run : test::CalcRun {
        std::vector<double> figures;
        explicit Run(const std::vector<std::string>& args) : CalcRun(args) {
            if (status != 0) return;
            EXPECT_EQ(test::Split(out, '\n').at(0), "worst_vswr_before,worst_vswr_after,evaluations,seconds");
            figures = test::Numbers(test::Split(out, '\n').at(1));
        }
    };
    Run Optimise(std::vector<std::string> args) {
        args.insert(args.begin(), {"optimise", net});
        return Run(args);
    }
    // The written network, read back as "Get net" reads it.
    std::unique_ptr<SessionState> Written() {
        auto s = std::make_unique<SessionState>(test::Fresh());
        RecordingMessageSink sink;
        EXPECT_TRUE(ReadNetworkFile(out, *s, sink));
        return s;
    }

    test::TempDir dir;
    std::string net = dir.File("net.QVF"), load = dir.File("ant.RJX"), out = dir.File("out.QVF");
};

TEST_F(OptimiseCommand, WritesTheOptimisedNetworkThatShowsThePrintedFigure) {
    const Run band = Optimise({"-o", out});
    ASSERT_EQ(band.status, 0) << band.err;
    ASSERT_EQ(band.figures.size(), 4u);
    EXPECT_TRUE(band.figures[0] > 3 && band.figures[1] < 1.2) << band.out;
    auto written = Written();
    EXPECT_NEAR(WorstVswr(*written), band.figures[1], 1e-9);
    EXPECT_TRUE(written->Value[3][1] == 0.5 && written->SweepPoints == 21);  // the resistor is not a tuned part

    const Run one = Optimise({"--start", "14M", "--points", "1", "--goal", "rl", "-o", out});
    ASSERT_EQ(one.status, 0) << one.err;
    written = Written();  // the file keeps its own band
    EXPECT_EQ(written->SweepStart, 13e6);
    written->SweepStart = 14e6, written->SweepPoints = 1;
    EXPECT_NEAR(WorstVswr(*written), one.figures[1], 1e-9);

    // Snapped to E24: every tuned value is a series value, and the figure is
    // that of the snapped network. Only stage 5 tuned: stage 1 keeps 600 nH.
    const Run snapped = Optimise({"--series", "E24", "--parts", "5", "-o", out});
    ASSERT_EQ(snapped.status, 0) << snapped.err;
    written = Written();
    EXPECT_EQ(written->Value[1][1], 600e-9);
    const SeriesNeighbours n = NeighboursInSeries(written->Value[5][1], kE24);
    EXPECT_EQ(n.below, n.above) << written->Value[5][1];
    EXPECT_NEAR(WorstVswr(*written), snapped.figures[1], 1e-9);

    const Run table = Optimise({"--load", load, "-o", out});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_LT(table.figures[1], table.figures[0]);

    // A budget of evaluations ends the search there, and gives the same result twice.
    const Run budget = Optimise({"--evaluations", "40", "-o", out});
    ASSERT_EQ(budget.status, 0) << budget.err;
    EXPECT_LE(budget.figures[2], 42);
    EXPECT_EQ(Optimise({"--evaluations", "40", "-o", out}).figures[1], budget.figures[1]);
}

TEST_F(OptimiseCommand, BadArgumentsGiveOneLineAndStatusTwo) {
    // Stage 3 holds a resistor, stage 4 nothing.
    const std::vector<std::vector<std::string>> cases = {
        {}, {"--goal", "best", "-o", out}, {"--series", "E7", "-o", out}, {"--parts", "3", "-o", out},
        {"--parts", "4", "-o", out}, {"--parts", "1,1", "-o", out}, {"--parts", "1,x", "-o", out},
        {"--parts", "6", "-o", out}, {"--points", "0", "-o", out}, {"--load", load, "--start", "1M", "-o", out},
        {"--evaluations", "0", "-o", out}, {"--evaluations", "1e3", "-o", out},
        {"--tolerance", "1", "-o", out}, {"-o", dir.File("no/out.QVF")}, {"-o"}};
    for (const auto& args : cases) Optimise(args).ExpectRefused();
}

}  // namespace
}  // namespace qv

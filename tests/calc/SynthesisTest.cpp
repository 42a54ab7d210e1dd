#include "calc/Synthesis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <tuple>

#include "calc/Math.h"
#include "calc/Reflection.h"
#include "calc/StandardValues.h"

namespace qv {
namespace {

SessionState Load(double r, double x, double z0 = 50) {
    SessionState s;
    InitSession(s);
    ResetNetwork(s);
    s.LoadMode = 1;
    s.Value[0][1] = r;
    s.Value[0][2] = x;
    s.SystemZ = z0;
    return s;
}

// The input impedance of the first `count` stages of a network on the
// session's load, through the program's own calculation.
std::complex<double> Through(SessionState s, const std::vector<MatchStage>& stages,
                             std::size_t count = 5) {
    ApplyMatch(s, std::vector<MatchStage>(stages.begin(), stages.begin() + std::min(count, stages.size())));
    Math(s, s.LoadPointIndex);
    return {s.CurrentR, s.CurrentX};
}

double Vswr(std::complex<double> z) { return ReflectionOf(z.real(), z.imag(), 50).vswr; }

double Mismatch(const SessionState& s, const std::vector<MatchStage>& stages) {
    return std::abs(Through(s, stages) - s.SystemZ) / s.SystemZ;
}

MatchRequest Topologies(bool l, bool pi, bool t, bool stub, double loadedQ = 0) {
    MatchRequest r;
    r.l = l, r.pi = pi, r.t = t, r.stub = stub, r.loadedQ = loadedQ;
    return r;
}

struct Element {
    int code;
    double value;
};

// L networks worked out by hand (the textbook L-section formulas) at 1 MHz
// against 50 ohms, one load in each region of the chart.
TEST(Synthesis, LNetworksInEveryRegionOfTheChart) {
    struct Case {
        double r, x;
        std::vector<std::vector<Element>> expected;
    };
    const std::vector<Case> cases = {
        // inside the unit-resistance circle: shunt part next to the load
        {100, 50, {{{ShuntCapacitor, 2.19601337483e-09}, {SeriesInductor, 9.74621001542e-06}},
                   {{ShuntInductor, 2.74501671854e-05}, {SeriesCapacitor, 2.59898933745e-09}}}},
        {200, -300, {{{ShuntCapacitor, 4.80917662745e-10}, {SeriesInductor, 2.75664447711e-05}},
                     {{ShuntInductor, 2.08397653856e-05}, {SeriesCapacitor, 9.1888149237e-10}}}},
        // inside the unit-conductance circle: series part next to the load
        {10, 10, {{{SeriesInductor, 1.59154943092e-06}, {ShuntCapacitor, 6.36619772368e-09}},
                  {{SeriesCapacitor, 5.30516476973e-09}, {ShuntInductor, 3.9788735773e-06}}}},
        // in neither circle: all four
        {20, 60, {{{ShuntCapacitor, 3.76564638493e-09}, {SeriesInductor, 1.37832223855e-05}},
                  {{ShuntCapacitor, 1.00900190782e-09}, {SeriesCapacitor, 1.83776298474e-09}},
                  {{SeriesCapacitor, 4.48259353056e-09}, {ShuntCapacitor, 3.89848400617e-09}},
                  {{SeriesCapacitor, 1.88360419312e-09}, {ShuntInductor, 6.49747334361e-06}}}},
        // near the rim
        {1, 200, {{{ShuntCapacitor, 9.08222597823e-10}, {SeriesInductor, 0.000224941175858}},
                  {{ShuntCapacitor, 6.83287045355e-10}, {SeriesCapacitor, 1.12608533382e-10}},
                  {{SeriesCapacitor, 8.24637010839e-10}, {ShuntCapacitor, 2.22816920329e-08}},
                  {{SeriesCapacitor, 7.68864459381e-10}, {ShuntInductor, 1.13682102208e-06}}}},
        // on the unit-resistance circle: one part suffices, offered once
        {50, 30, {{{ShuntCapacitor, 2.8086166428e-09}, {SeriesInductor, 4.77464829276e-06}},
                  {{SeriesCapacitor, 5.30516476973e-09}}}},
        // matched: no network at all
        {50, 0, {{}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << " + j" << c.x);
        const SessionState s = Load(c.r, c.x);
        const MatchSet set = SynthesizeMatches(s, MatchRequest{});
        ASSERT_EQ(set.solutions.size(), c.expected.size());
        for (const auto& want : c.expected) {
            const auto same = [&](const MatchSolution& sol) {
                if (sol.exact.stages.size() != want.size()) return false;
                for (std::size_t i = 0; i < want.size(); ++i)
                    if (sol.exact.stages[i].code != want[i].code ||
                        std::fabs(sol.exact.stages[i].value[1] / want[i].value - 1) > 1e-9)
                        return false;
                return true;
            };
            EXPECT_EQ(std::count_if(set.solutions.begin(), set.solutions.end(), same), 1);
        }
        for (const MatchSolution& sol : set.solutions) {
            EXPECT_LE(Mismatch(s, sol.exact.stages), 1e-9);
            EXPECT_NEAR(sol.exact.vswr, 1, 1e-8);
        }
    }
}

TEST(Synthesis, LoadsThatCannotBeMatchedAreRefused) {
    for (double r : {0.0, -10.0}) {
        const MatchSet set = SynthesizeMatches(Load(r, 50), Topologies(true, true, true, true, 5));
        EXPECT_TRUE(set.solutions.empty());
        ASSERT_EQ(set.refusals.size(), 1u);
    }
}

// The loaded Q is the larger of the two node Qs, |B| / G at the load-side
// node of a Pi and |X| / R at that of a T, read off the network itself.
TEST(Synthesis, PiAndTHoldTheLoadedQAndRefuseLess) {
    const SessionState s = Load(100, 50);  // parallel form 125 ohm
    MatchRequest request = Topologies(false, true, true, false, 0.9);
    MatchSet set = SynthesizeMatches(s, request);
    EXPECT_NEAR(set.minimumPiQ, std::sqrt(1.5), 1e-12);
    EXPECT_NEAR(set.minimumTQ, 1, 1e-12);
    ASSERT_EQ(set.refusals.size(), 2u);
    EXPECT_EQ(set.refusals[0], "The loaded Q must be at least 1.225 for a Pi network on this load.");
    EXPECT_EQ(set.refusals[1], "The loaded Q must be at least 1 for a T network on this load.");
    request.loadedQ = 1.225;  // the stated minimum is accepted
    EXPECT_TRUE(SynthesizeMatches(s, request).refusals.empty());

    request.loadedQ = 4;
    set = SynthesizeMatches(s, request);
    ASSERT_EQ(set.solutions.size(), 8u);
    for (const MatchSolution& sol : set.solutions) {
        ASSERT_EQ(sol.exact.stages.size(), 3u);
        EXPECT_LE(Mismatch(s, sol.exact.stages), 1e-9);
        const bool pi = sol.topology == MatchTopology::Pi;
        EXPECT_EQ(sol.exact.stages[0].code == ShuntCapacitor || sol.exact.stages[0].code == ShuntInductor, pi);
        const std::complex<double> z1 = Through(s, sol.exact.stages, 1);
        const std::complex<double> node = pi ? 1.0 / z1 : z1;
        const std::complex<double> z2 = Through(s, sol.exact.stages, 2);
        const std::complex<double> other = pi ? 1.0 / z2 : z2;
        const double qLoad = std::fabs(node.imag() / node.real());
        const double qGen = std::fabs(other.imag() / other.real());
        EXPECT_NEAR(std::max(qLoad, qGen), 4, 1e-6);
    }
}

// Worked by hand with the textbook single-stub formulas.
TEST(Synthesis, StubsTheTwoShortestOfEachKind) {
    const SessionState s = Load(100, 50);
    MatchRequest request = Topologies(false, false, false, true);
    MatchSet set = SynthesizeMatches(s, request);
    ASSERT_EQ(set.solutions.size(), 4u);
    const double expected[4][3] = {
        {135, ShuntOpenStub, 45}, {135, ShuntShortedStub, 135},
        {71.5650511771, ShuntOpenStub, 135}, {71.5650511771, ShuntShortedStub, 45}};
    for (int i = 0; i < 4; ++i) {
        const auto& st = set.solutions[i].exact.stages;
        ASSERT_EQ(st.size(), 2u);
        EXPECT_EQ(st[0].code, TransmissionLine);
        EXPECT_NEAR(st[0].value[1], expected[i][0], 1e-8);
        EXPECT_EQ(st[1].code, expected[i][1]);
        EXPECT_NEAR(st[1].value[1], expected[i][2], 1e-8);
        EXPECT_EQ(st[1].value[2], 1e6);
        EXPECT_EQ(st[1].value[3], 50);
        EXPECT_LE(Mismatch(s, st), 1e-9);
    }
    // Another line impedance, a load near the rim and a matched one.
    request.lineZ0 = 75;
    for (const auto& [r, x, count] : {std::tuple{100.0, 50.0, 4u}, {1.0, -200.0, 4u}, {50.0, 0.0, 1u}}) {
        set = SynthesizeMatches(Load(r, x), request);
        EXPECT_EQ(set.solutions.size(), count);
        for (const MatchSolution& sol : set.solutions) EXPECT_LE(Mismatch(Load(r, x), sol.exact.stages), 1e-9);
    }
}

TEST(Synthesis, ComponentQReSolvesOrMarksNotReachable) {
    MatchRequest request;
    request.componentQ = 50;
    const SessionState s = Load(20, 60);
    const MatchSet lossless = SynthesizeMatches(s, MatchRequest{});
    const MatchSet lossy = SynthesizeMatches(s, request);
    ASSERT_EQ(lossy.solutions.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& st = lossy.solutions[i].exact.stages;
        EXPECT_TRUE(lossy.solutions[i].reachable);
        EXPECT_LE(Mismatch(s, st), 1e-6);
        EXPECT_EQ(st[0].value[2], 50);
        EXPECT_GT(std::fabs(st[1].value[1] / lossless.solutions[i].exact.stages[1].value[1] - 1), 1e-3);
    }
    // One lossy series part cannot bring 50 + j30 to 50 ohms.
    const MatchSet one = SynthesizeMatches(Load(50, 30), request);
    ASSERT_EQ(one.solutions.size(), 2u);
    EXPECT_TRUE(one.solutions[0].reachable);
    EXPECT_FALSE(one.solutions[1].reachable);
    EXPECT_GT(one.solutions[1].exact.vswr, 1.001);
}

TEST(Synthesis, StandardValues) {
    MatchRequest request;
    request.series = kE12;
    const MatchSet set = SynthesizeMatches(Load(100, 50), request);
    for (const MatchSolution& sol : set.solutions) {
        ASSERT_TRUE(sol.snapped);
        EXPECT_NEAR(sol.exact.vswr, 1, 1e-8);
        EXPECT_GT(sol.standard.vswr, 1.001);
        EXPECT_NEAR(sol.standard.vswr, Vswr(Through(Load(100, 50), sol.standard.stages)), 1e-9);
    }
}

// Edges worked out by a separate sweep of the two L networks on 150 ohms.
TEST(Synthesis, BandwidthAroundTheTestFrequency) {
    const MatchSet set = SynthesizeMatches(Load(150, 0), MatchRequest{});
    ASSERT_EQ(set.solutions.size(), 2u);
    EXPECT_EQ(set.solutions[0].response, "low-pass");
    EXPECT_NEAR(set.solutions[0].exact.bandwidthLow, 622597.4336, 0.01);
    EXPECT_NEAR(set.solutions[0].exact.bandwidthHigh, 1269792.281, 0.01);
    EXPECT_EQ(set.solutions[1].response, "high-pass");
    EXPECT_NEAR(set.solutions[1].exact.bandwidthLow, 787530.3822, 0.01);
    EXPECT_NEAR(set.solutions[1].exact.bandwidthHigh, 1606174.305, 0.01);

    // A load table: the row nearest the test frequency, the edges between rows.
    SessionState s = Load(50, 0);
    s.LoadMode = 2;
    s.LoadRows = s.SweepPoints = 5;
    const double rows[6][3] = {{}, {0.8e6, 20, 0}, {0.9e6, 150, 0}, {1e6, 150, 0}, {1.1e6, 150, 0}, {1.2e6, 150, 0}};
    for (int i = 1; i <= 5; ++i) {
        s.LoadFreq[i] = rows[i][0];
        s.LoadR[i] = rows[i][1];
    }
    s.TestFrequency = 1.04e6;
    const MatchSet table = SynthesizeMatches(s, MatchRequest{});
    EXPECT_EQ(table.loadRow, 3);
    ASSERT_EQ(table.solutions.size(), 2u);
    EXPECT_LT(table.solutions[0].exact.bandwidthLow, 0.9e6);  // row 1 is far off
    EXPECT_GT(table.solutions[0].exact.bandwidthLow, 0.8e6);
    EXPECT_EQ(table.solutions[0].exact.bandwidthHigh, 1.2e6);  // in band to the table's end
}

}  // namespace
}  // namespace qv

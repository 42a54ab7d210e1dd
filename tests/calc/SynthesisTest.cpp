#include "calc/Synthesis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>

#include "calc/Math.h"
#include "calc/Reflection.h"
#include "calc/StandardValues.h"
#include "session/Stages.h"

namespace qv {
namespace {

using Z = std::complex<double>;

// A load at 1 MHz against 50 ohms, on the heap (the session is large).
std::unique_ptr<SessionState> Load(double r, double x) {
    auto s = std::make_unique<SessionState>(test::Fresh());
    s->Value[0][1] = r;
    s->Value[0][2] = x;
    return s;
}

// The input impedance of the first `count` stages, through Math.
Z Through(const SessionState& load, const std::vector<MatchStage>& stages, std::size_t count = 5) {
    auto s = std::make_unique<SessionState>(load);
    ApplyMatch(*s, {stages.begin(), stages.begin() + std::min(count, stages.size())});
    Math(*s, 1);
    return {s->CurrentR, s->CurrentX};
}

double Mismatch(const SessionState& s, const std::vector<MatchStage>& st) { return std::abs(Through(s, st) - 50.0) / 50; }

MatchRequest Topologies(bool l, bool pi, bool t, bool stub, double loadedQ = 0) {
    MatchRequest r;
    r.l = l, r.pi = pi, r.t = t, r.stub = stub, r.loadedQ = loadedQ;
    return r;
}

// L networks worked out by hand with the textbook L-section formulas, one
// load in each region of the chart: each must be found once, and match.
TEST(Synthesis, LNetworksInEveryRegionOfTheChart) {
    enum : int { sC = SeriesCapacitor, pC = ShuntCapacitor, sL = SeriesInductor, pL = ShuntInductor };
    struct Case {
        double r, x;
        std::vector<std::vector<std::pair<int, double>>> expected;
    };
    const std::vector<Case> cases = {
        // inside the unit-resistance circle: a shunt part next to the load
        {100, 50, {{{pC, 2.19601337483e-09}, {sL, 9.74621001542e-06}}, {{pL, 2.74501671854e-05}, {sC, 2.59898933745e-09}}}},
        {200, -300, {{{pC, 4.80917662745e-10}, {sL, 2.75664447711e-05}}, {{pL, 2.08397653856e-05}, {sC, 9.1888149237e-10}}}},
        // inside the unit-conductance circle: a series part next to the load
        {10, 10, {{{sL, 1.59154943092e-06}, {pC, 6.36619772368e-09}}, {{sC, 5.30516476973e-09}, {pL, 3.9788735773e-06}}}},
        // in neither, and near the rim: all four
        {20, 60, {{{pC, 3.76564638493e-09}, {sL, 1.37832223855e-05}}, {{pC, 1.00900190782e-09}, {sC, 1.83776298474e-09}},
                  {{sC, 4.48259353056e-09}, {pC, 3.89848400617e-09}}, {{sC, 1.88360419312e-09}, {pL, 6.49747334361e-06}}}},
        {1, 200, {{{pC, 9.08222597823e-10}, {sL, 0.000224941175858}}, {{pC, 6.83287045355e-10}, {sC, 1.12608533382e-10}},
                  {{sC, 8.24637010839e-10}, {pC, 2.22816920329e-08}}, {{sC, 7.68864459381e-10}, {pL, 1.13682102208e-06}}}},
        // on the unit-resistance circle one part suffices, offered once
        {50, 30, {{{pC, 2.8086166428e-09}, {sL, 4.77464829276e-06}}, {{sC, 5.30516476973e-09}}}},
        {50, 0, {{}}},  // matched: no network at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << " + j" << c.x);
        const auto s = Load(c.r, c.x);
        const MatchSet set = SynthesizeMatches(*s, MatchRequest{});
        ASSERT_EQ(set.solutions.size(), c.expected.size());
        for (const auto& want : c.expected) {
            EXPECT_EQ(std::count_if(set.solutions.begin(), set.solutions.end(), [&](const MatchSolution& sol) {
                          const auto& st = sol.exact.stages;
                          return st.size() == want.size() &&
                                 std::equal(want.begin(), want.end(), st.begin(), [](auto w, const MatchStage& m) {
                                     return m.code == w.first && std::fabs(m.value[1] / w.second - 1) < 1e-9;
                                 });
                      }), 1);
        }
        for (const MatchSolution& sol : set.solutions) EXPECT_LE(Mismatch(*s, sol.exact.stages), 1e-9);
    }
    // Without resistance (or with a negative one) nothing can match.
    for (double r : {0.0, -10.0}) {
        const MatchSet set = SynthesizeMatches(*Load(r, 50), Topologies(true, true, true, true, 5));
        EXPECT_TRUE(set.solutions.empty() && set.refusals.size() == 1) << r;
    }
}

// The loaded Q is the larger node Q, |B| / G after the load-side shunt part
// of a Pi, |X| / R after the series part of a T, read off the network.
TEST(Synthesis, PiAndTHoldTheLoadedQAndRefuseLess) {
    const auto s = Load(100, 50);  // 125 ohms in parallel form
    MatchRequest request = Topologies(false, true, true, false, 0.9);
    MatchSet set = SynthesizeMatches(*s, request);
    EXPECT_EQ(set.refusals, (std::vector<std::string>{
                                "The loaded Q must be at least 1.225 for a Pi network on this load.",
                                "The loaded Q must be at least 1 for a T network on this load."}));
    request.loadedQ = 1.225;  // the minimum as stated is accepted
    EXPECT_TRUE(SynthesizeMatches(*s, request).refusals.empty());

    request.loadedQ = 4;
    set = SynthesizeMatches(*s, request);
    ASSERT_EQ(set.solutions.size(), 8u);
    for (const MatchSolution& sol : set.solutions) {
        const auto& st = sol.exact.stages;
        ASSERT_EQ(st.size(), 3u);
        EXPECT_LE(Mismatch(*s, st), 1e-9);
        const bool pi = sol.topology == MatchTopology::Pi;
        EXPECT_EQ(st[0].code == ShuntCapacitor || st[0].code == ShuntInductor, pi);
        double q = 0;
        for (std::size_t n : {1, 2}) {
            const Z node = pi ? 1.0 / Through(*s, st, n) : Through(*s, st, n);
            q = std::max(q, std::fabs(node.imag() / node.real()));
        }
        EXPECT_NEAR(q, 4, 1e-6);
    }
}

// Worked by hand with the textbook single-stub formulas.
TEST(Synthesis, StubsTheTwoShortestOfEachKind) {
    const auto s = Load(100, 50);
    MatchRequest request = Topologies(false, false, false, true);
    const MatchSet set = SynthesizeMatches(*s, request);
    const double expected[4][3] = {{135, ShuntOpenStub, 45}, {135, ShuntShortedStub, 135},
                                   {71.5650511771, ShuntOpenStub, 135}, {71.5650511771, ShuntShortedStub, 45}};
    ASSERT_EQ(set.solutions.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const auto& st = set.solutions[i].exact.stages;
        ASSERT_EQ(st.size(), 2u);
        EXPECT_TRUE(st[0].code == TransmissionLine && st[1].code == expected[i][1]) << st[1].code;
        EXPECT_LT(std::hypot(st[0].value[1] - expected[i][0], st[1].value[1] - expected[i][2]), 1e-8);
        EXPECT_EQ(std::pair(st[1].value[2], st[1].value[3]), std::pair(1e6, 50.0));  // f0, Z0
    }
    // Another line impedance, a load near the rim, and a matched one.
    request.lineZ0 = 75;
    for (const auto& [r, x, count] : {std::tuple{100.0, 50.0, 4u}, {1.0, -200.0, 4u}, {50.0, 0.0, 1u}}) {
        const auto load = Load(r, x);
        const MatchSet other = SynthesizeMatches(*load, request);
        EXPECT_EQ(other.solutions.size(), count);
        for (const auto& sol : other.solutions) EXPECT_LE(Mismatch(*load, sol.exact.stages), 1e-9);
    }
}

TEST(Synthesis, ComponentQReSolvesOrMarksNotReachable) {
    MatchRequest request;
    request.componentQ = 50;
    const auto s = Load(20, 60);
    const MatchSet lossy = SynthesizeMatches(*s, request);
    ASSERT_EQ(lossy.solutions.size(), 4u);
    for (const MatchSolution& sol : lossy.solutions)  // the parts' Q, so the match holds with that loss
        EXPECT_TRUE(sol.reachable && Mismatch(*s, sol.exact.stages) <= 1e-6 && sol.exact.stages[0].value[2] == 50);
    // One lossy series part cannot bring 50 + j30 to 50 ohms.
    const MatchSet one = SynthesizeMatches(*Load(50, 30), request);
    ASSERT_EQ(one.solutions.size(), 2u);
    EXPECT_TRUE(one.solutions[0].reachable && !one.solutions[1].reachable && one.solutions[1].exact.vswr > 1.001);

    // Standard values: in the series, with the VSWR they really give.
    request = MatchRequest{};
    request.series = kE12;
    for (const MatchSolution& sol : SynthesizeMatches(*s, request).solutions) {
        ASSERT_TRUE(sol.snapped);
        for (const MatchStage& st : sol.standard.stages)
            EXPECT_EQ(SnapToSeries(st.value[1], kE12), st.value[1]);
        const Z z = Through(*s, sol.standard.stages);
        EXPECT_GT(sol.standard.vswr, 1.001);
        EXPECT_NEAR(sol.standard.vswr, ReflectionOf(z.real(), z.imag(), 50).vswr, 1e-9);
    }
}

// Edges worked out by a separate sweep of the two L networks on 150 ohms.
TEST(Synthesis, BandwidthAroundTheTestFrequency) {
    const MatchSet set = SynthesizeMatches(*Load(150, 0), MatchRequest{});
    ASSERT_EQ(set.solutions.size(), 2u);
    const MatchNetwork &low = set.solutions[0].exact, &high = set.solutions[1].exact;
    EXPECT_EQ(set.solutions[0].response + " " + set.solutions[1].response, "low-pass high-pass");
    EXPECT_LT(std::hypot(low.bandwidthLow - 622597.4336, low.bandwidthHigh - 1269792.281), 0.01);
    EXPECT_LT(std::hypot(high.bandwidthLow - 787530.3822, high.bandwidthHigh - 1606174.305), 0.01);

    // A load table: the row nearest the test frequency, edges between rows.
    const auto s = Load(50, 0);
    s->LoadMode = LoadTable, s->LoadRows = s->SweepPoints = 5;
    const double rows[5][2] = {{0.8e6, 20}, {0.9e6, 150}, {1e6, 150}, {1.1e6, 150}, {1.2e6, 150}};
    for (int i = 1; i <= 5; ++i) std::tie(s->LoadFreq[i], s->LoadR[i]) = std::tie(rows[i - 1][0], rows[i - 1][1]);
    s->TestFrequency = 1.04e6;
    const MatchSet table = SynthesizeMatches(*s, MatchRequest{});
    EXPECT_EQ(table.loadRow, 3);
    ASSERT_EQ(table.solutions.size(), 2u);
    EXPECT_TRUE(table.solutions[0].exact.bandwidthLow > 0.8e6 &&  // row 1 is far off
                table.solutions[0].exact.bandwidthLow < 0.9e6);
    EXPECT_EQ(table.solutions[0].exact.bandwidthHigh, 1.2e6);  // in band to the table's end
}

}  // namespace
}  // namespace qv

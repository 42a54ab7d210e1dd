#include "calc/Optimise.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>

#include "calc/Reflection.h"
#include "calc/StandardValues.h"
#include "session/Stages.h"

namespace qv {
namespace {

constexpr double kF0 = 14e6;
constexpr double kTwoPi = 2 * 3.14159265358979323846;
// The lossless L match of 25 ohm to 50 ohm at 14 MHz: +j25 in series, then
// +j0.02 S across.
const double kMatchL = 25 / (kTwoPi * kF0);
const double kMatchC = 0.02 / (kTwoPi * kF0);

// A 25 ohm load, a series inductor (stage 1) and a shunt capacitor (stage 2),
// lossless, the band SweepStart..SweepStop in `points` points.
std::unique_ptr<SessionState> LMatch(double l, double c, double start, double stop, int points) {
    auto s = std::make_unique<SessionState>(test::Fresh());
    s->Value[0][1] = 25;
    test::SetStage(*s, 1, SeriesInductor, l);
    test::SetStage(*s, 2, ShuntCapacitor, c);
    s->SweepStart = start, s->SweepStop = stop, s->SweepPoints = static_cast<std::int16_t>(points);
    return s;
}

OptimiseOptions AllOf(const SessionState& s) {
    OptimiseOptions o;
    for (int stage : TunableStages(s))
        for (TunedValue v : TunedValuesOf(s, stage)) o.values.push_back(v);
    o.timeLimitSeconds = 60;  // ends by convergence, however slow the build
    return o;
}

double WorstWith(const SessionState& s, const std::vector<TunedValue>& tuned,
                 const std::vector<double>& values) {
    auto work = std::make_unique<SessionState>(s);
    ApplyTunedValues(*work, tuned, values);
    return WorstVswr(*work);
}

TEST(Optimise, OneFrequencyBandReachesTheExactMatch) {
    auto s = LMatch(2 * kMatchL, 0.5 * kMatchC, kF0, kF0, 1);
    for (OptimiseGoal goal : {OptimiseGoal::Vswr, OptimiseGoal::ReturnLoss}) {
        OptimiseOptions o = AllOf(*s);
        o.goal = goal;
        const OptimiseResult r = Optimise(*s, o);
        EXPECT_TRUE(r.worstVswrBefore > 2 && r.worstVswrAfter < 1.0001 && !r.cancelled) << r.worstVswrAfter;
        EXPECT_TRUE(r.after.size() == 2 && std::fabs(r.after[0] / kMatchL - 1) < 1e-4 && std::fabs(r.after[1] / kMatchC - 1) < 1e-4);
        EXPECT_DOUBLE_EQ(r.worstVswrAfter, WorstWith(*s, o.values, r.after));
    }
}

// The best worst-case VSWR over the log box 0.1x..10x of two values, by an
// exhaustive grid refined three times around its best cell.
double GridBest(const SessionState& s, const std::vector<TunedValue>& tuned) {
    const double a0 = s.Value[tuned[0].stage][tuned[0].slot];
    const double b0 = s.Value[tuned[1].stage][tuned[1].slot];
    double lo0 = -std::log(10), hi0 = std::log(10), lo1 = lo0, hi1 = hi0;
    double best = kVswrLimit, bestU = 0, bestV = 0;
    for (int pass = 0; pass < 4; ++pass) {
        constexpr int kSteps = 24;
        for (int i = 0; i <= kSteps; ++i)
            for (int j = 0; j <= kSteps; ++j) {
                const double u = lo0 + (hi0 - lo0) * i / kSteps, v = lo1 + (hi1 - lo1) * j / kSteps;
                const double w = WorstWith(s, tuned, {a0 * std::exp(u), b0 * std::exp(v)});
                if (w < best) best = w, bestU = u, bestV = v;
            }
        const double du = 2 * (hi0 - lo0) / kSteps, dv = 2 * (hi1 - lo1) / kSteps;
        lo0 = std::max(-std::log(10), bestU - du), hi0 = std::min(std::log(10), bestU + du);
        lo1 = std::max(-std::log(10), bestV - dv), hi1 = std::min(std::log(10), bestV + dv);
    }
    return best;
}

TEST(Optimise, TwoPartBandMatchesComeWithinTwoPercentOfTheGridBest) {
    const auto check = [](const char* what, const SessionState& s) {
        SCOPED_TRACE(what);
        const OptimiseOptions o = AllOf(s);
        ASSERT_EQ(o.values.size(), 2u);
        const OptimiseResult r = Optimise(s, o);
        const double grid = GridBest(s, o.values);
        EXPECT_LE(r.worstVswrAfter - 1, 1.02 * (grid - 1) + 1e-9) << "grid best " << grid;
        EXPECT_LE(r.worstVswrAfter, r.worstVswrBefore);
    };
    check("L match over 13-15 MHz", *LMatch(kMatchL, kMatchC, 13e6, 15e6, 21));
    check("L match from far off, 12-16 MHz", *LMatch(5 * kMatchL, 0.3 * kMatchC, 12e6, 16e6, 9));

    // A line and an open shunt stub on a reactive load.
    auto stub = LMatch(0, 0, 13.5e6, 14.5e6, 11);
    stub->Value[0][2] = -30;
    test::SetStage(*stub, 1, TransmissionLine, 30, kF0, 75);
    test::SetStage(*stub, 2, ShuntOpenStub, 20, kF0, 50);
    check("line and stub", *stub);

    // A load table whose reactance swings through the band, as an antenna's.
    auto table = LMatch(kMatchL, kMatchC, 0, 0, 0);
    table->LoadMode = LoadTable, table->LoadRows = table->SweepPoints = 9;
    for (int row = 1; row <= 9; ++row) {
        const double f = 13.6e6 + 0.1e6 * (row - 1);
        table->LoadFreq[row] = f, table->LoadR[row] = 20 + 10 * (f - kF0) / 1e6, table->LoadX[row] = 60 * (f / kF0 - kF0 / f);
    }
    check("load table", *table);
}

TEST(Optimise, KeepsTheBoundsAndNeverEndsWorseThanTheStart) {
    // Held to 0.8x..1.25x of a start far above or below the match: the
    // values stay in, so both bounds are met on the way to the match.
    for (double start : {4.0, 0.25}) {
        auto far = LMatch(start * kMatchL, start * kMatchC, 13e6, 15e6, 11);
        OptimiseOptions narrow = AllOf(*far);
        narrow.lowFactor = 0.8, narrow.highFactor = 1.25;
        const OptimiseResult held = Optimise(*far, narrow);
        for (std::size_t i = 0; i < held.after.size(); ++i)
            EXPECT_TRUE(held.after[i] >= held.before[i] * 0.8 * (1 - 1e-12) &&
                        held.after[i] <= held.before[i] * 1.25 * (1 + 1e-12)) << start << ": " << held.after[i];
        EXPECT_LT(held.worstVswrAfter, held.worstVswrBefore);
    }

    // Started at the best one-frequency match, nothing better exists.
    auto exact = LMatch(kMatchL, kMatchC, kF0, kF0, 1);
    const OptimiseResult kept = Optimise(*exact, AllOf(*exact));
    EXPECT_LE(kept.worstVswrAfter, kept.worstVswrBefore);

    // No band: the start comes back untouched.
    auto noBand = LMatch(kMatchL, kMatchC, 0, 0, 0);
    const OptimiseResult none = Optimise(*noBand, AllOf(*noBand));
    EXPECT_TRUE(none.after == none.before && none.worstVswrAfter == kVswrLimit);
}

TEST(Optimise, CancellingStopsWithTheBestSoFar) {
    auto s = LMatch(3 * kMatchL, 0.4 * kMatchC, 13e6, 15e6, 201);
    std::atomic<bool> cancel{false};
    OptimiseOptions o = AllOf(*s);
    o.cancel = &cancel;
    int reports = 0;
    o.progress = [&](const OptimiseProgress& p) {
        ++reports;
        EXPECT_GE(p.bestWorstVswr, 1);
        cancel = true;
    };
    const OptimiseResult r = Optimise(*s, o);
    EXPECT_TRUE(r.cancelled && reports == 1 && r.evaluations < 5) << reports << " " << r.evaluations;
    EXPECT_LE(r.worstVswrAfter, r.worstVswrBefore);
}

TEST(Optimise, SeriesNeighboursAndSnapping) {
    struct Row {
        double v, below, above;
    } rows[] = {
        {4.7e-12, 4.7e-12, 4.7e-12},  // in the series: no choice
        {5e-12, 4.7e-12, 5.6e-12},
        {9.5e-9, 8.2e-9, 1e-8},       // up into the next decade
        {1e-11, 1e-11, 1e-11},
        {0, 0, 0},                    // nothing to snap
    };
    for (const Row& r : rows) {
        const SeriesNeighbours n = NeighboursInSeries(r.v, kE12);
        EXPECT_NEAR(n.below, r.below, r.below * 1e-12) << r.v;
        EXPECT_NEAR(n.above, r.above, r.above * 1e-12) << r.v;
    }
    EXPECT_FALSE(SeriesNamed("E7"));
    EXPECT_EQ(SeriesNamed("e96")->size(), 96u);

    // The exact match's 284 nH and 227 pF: of 270/330 nH and 220/270 pF the
    // snap takes the pair with the least worst VSWR; a line length stays.
    auto s = LMatch(kMatchL, kMatchC, 13e6, 15e6, 11);
    test::SetStage(*s, 3, TransmissionLine, 33.3, kF0, 50);
    const std::vector<TunedValue> tuned{{1, 1}, {2, 1}, {3, 1}};
    const std::vector<double> values{kMatchL, kMatchC, 33.3};
    const SnapResult snap = SnapTunedValues(*s, tuned, values, kE12);
    double best = kVswrLimit;
    for (double l : {270e-9, 330e-9})
        for (double c : {220e-12, 270e-12}) best = std::min(best, WorstWith(*s, tuned, {l, c, 33.3}));
    EXPECT_DOUBLE_EQ(snap.worstVswr, best);
    EXPECT_TRUE(snap.worstVswr == WorstWith(*s, tuned, snap.values) && snap.values[2] == 33.3);
}

}  // namespace
}  // namespace qv

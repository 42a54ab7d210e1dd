// The batched network evaluation against Math, point by point, on random
// ladders whose values include the guards' edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "calc/Ladder.h"
#include "calc/Math.h"
#include "calc/Sweep.h"
#include "session/Stages.h"

namespace qv {
namespace {

struct RandomLadders {
    std::mt19937 rng{20261207};

    double Value() {
        // Zero C, L, Q, Z0 or f0, a denormal, an open-sized value, a quarter
        // wave, or an ordinary value over fifteen decades.
        static constexpr double kEdges[] = {0, 4e-320, 1e20, 90, -3};
        std::uniform_int_distribution<int> pick(0, 9);
        const int k = pick(rng);
        if (k < 5) return kEdges[k];
        return std::pow(10.0, std::uniform_real_distribution<double>(-12, 3)(rng));
    }

    SessionState Next() {
        SessionState s = test::Fresh();
        s.TestFrequency = std::pow(10.0, std::uniform_real_distribution<double>(4, 9)(rng));
        // Loads include a short, an open and a matched load.
        static constexpr double kLoads[][2] = {{0, 0}, {1e20, 0}, {50, 0}, {12, -35}, {300, 80}};
        const auto& load = kLoads[std::uniform_int_distribution<int>(0, 4)(rng)];
        s.Value[0] = {0, load[0], load[1]};
        for (int st = kFirstStage; st <= kLastStage; ++st) {
            s.ElementType[st] = static_cast<std::int16_t>(std::uniform_int_distribution<int>(-1, 14)(rng));
            for (int slot = 1; slot <= 4; ++slot) s.Value[st][slot] = Value();
        }
        return s;
    }
};

void ExpectClose(double got, double want, const char* what, int point) {
    EXPECT_LE(std::fabs(got - want), 1e-13 * std::max(std::fabs(got), std::fabs(want)))
        << what << " at point " << point << ": " << got << " vs " << want;
}

TEST(Ladder, WalkingOneStageMatchesMathAtEveryPoint) {
    RandomLadders ladders;
    constexpr int n = 40;
    for (int trial = 0; trial < 300; ++trial) {
        SessionState s = ladders.Next();
        const int stage = 1 + trial % 5;
        std::vector<double> v1(n), v3(n), R(n), X(n);
        for (int i = 0; i < n; ++i) v1[i] = ladders.Value(), v3[i] = ladders.Value();
        const LadderStart start = StartOf(s, 1);
        WalkStage(s, stage, v1.data(), v3.data(), start.f, start.z, R.data(), X.data(), n);
        for (int i = 0; i < n; ++i) {
            s.Value[stage][1] = v1[i], s.Value[stage][3] = v3[i];
            const Impedance z = Math(s, 1);
            ExpectClose(R[i], z.R, "R", i);
            ExpectClose(X[i], z.X, "X", i);
        }
    }
}

// The sweep as it was computed before batching: Math at every point, which
// keeps the previous result where a point has no frequency.
void SweepByMath(SessionState& s, int n, std::vector<double>& R, std::vector<double>& X) {
    for (int k = 0; k < n; ++k) {
        if (s.LoadMode == LoadTable)
            s.TestFrequency = s.LoadFreq[k + 1], s.CurrentR = s.LoadR[k + 1], s.CurrentX = s.LoadX[k + 1];
        else
            s.TestFrequency = s.SweepStart + (s.SweepStop - s.SweepStart) * k / (n - 1);
        const Impedance z = Math(s, static_cast<std::int16_t>(k + 1));
        R.push_back(z.R);
        X.push_back(z.X);
    }
}

TEST(Ladder, SweepMatchesMathAtEveryFrequencyAndRow) {
    RandomLadders ladders;
    for (int trial = 0; trial < 200; ++trial) {
        SessionState s = ladders.Next();
        const bool table = trial % 2 == 1;
        s.SweepPoints = 50;
        // Sweeps that start at or below 0 Hz, and table rows without
        // frequency, load or with a load that is not a number.
        s.SweepStart = trial % 7 == 0 ? -1e6 : 1e5;
        s.SweepStop = 3e8;
        if (table) {
            s.LoadMode = LoadTable, s.LoadRows = 50;
            for (int row = 1; row <= 50; ++row) {
                s.LoadFreq[row] = row % 9 == 0 ? 0 : 1e5 * row * row;
                s.LoadR[row] = row % 11 == 0 ? NAN : ladders.Value();
                s.LoadX[row] = -ladders.Value();
            }
        }
        s.CurrentR = 7, s.CurrentX = 8;
        SessionState reference = s;
        std::vector<double> R, X;
        SweepByMath(reference, 50, R, X);
        ASSERT_EQ(ComputeSweep(s), 50);
        for (int k = 0; k < 50; ++k) {
            ExpectClose(s.SweepR[k], R[k], "R", k);
            ExpectClose(s.SweepX[k], X[k], "X", k);
        }
        ExpectClose(s.CurrentR, reference.CurrentR, "last R", 49);
        EXPECT_EQ(s.VelocityFactor, reference.VelocityFactor);
    }
}

}  // namespace
}  // namespace qv

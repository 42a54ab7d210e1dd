#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "calc/Math.h"
#include "calc/Reflection.h"
#include "calc/Sweep.h"
#include "calc/Transforms.h"
#include "session/Stages.h"

namespace qv {
namespace {

namespace tf = transforms;
using Z = std::complex<double>;
const Z j{0, 1};
const double kTwoPi = 2 * std::numbers::pi;

void ExpectNear(Impedance got, Z want, double rel = 1e-9) {
    const double tol = rel * std::max(1.0, std::abs(want));
    EXPECT_NEAR(got.R, want.real(), tol);
    EXPECT_NEAR(got.X, want.imag(), tol);
}
Z Parallel(Z a, Z b) { return 1.0 / (1.0 / a + 1.0 / b); }

SessionState Network() {
    SessionState s = test::Fresh();
    s.Value[0] = {0, 30, -20};
    for (int i = 0; i <= kMaxLoadPoints; ++i) s.LoadFreq[i] = 1e6 * i, s.LoadR[i] = i, s.LoadX[i] = -i;
    return s;
}

TEST(CalcTransforms, AgreeWithTheTextbookCircuits) {
    for (Z load : {Z{50, 0}, Z{12, -35}, Z{220, 90}}) {
        for (double f : {3.7e6, 144e6}) {
            const double w = kTwoPi * f, C = 47e-12, L = 0.8e-6, QC = 400, QL = 90;
            const Z zC{1 / (w * C) / QC, -1 / (w * C)}, zL{w * L / QL, w * L};  // with series loss
            const double R = load.real(), X = load.imag();
            ExpectNear(tf::SeriesCapacitor(C, QC, f, R, X), load + zC);
            ExpectNear(tf::ShuntCapacitor(C, QC, f, R, X), Parallel(load, zC));
            ExpectNear(tf::SeriesInductor(L, QL, f, R, X), load + zL);
            ExpectNear(tf::ShuntInductor(L, QL, f, R, X), Parallel(load, zL));
            ExpectNear(tf::ShuntLCPair(L, QL, C, QC, f, R, X), Parallel(load, zL + zC));
            ExpectNear(tf::SeriesLCPair(L, QL, C, QC, f, R, X), load + Parallel(zL, zC));
            ExpectNear(tf::ShuntResistor(33, R, X), Parallel(load, 33.0));

            const double Z0 = 75, deg = 37, f0 = 10e6, T = std::tan(kTwoPi * deg / 360 * f / f0);
            ExpectNear(tf::TransmissionLine(f, Z0, deg, f0, R, X), Z0 * (load + j * Z0 * T) / (Z0 + j * load * T));
            ExpectNear(tf::SeriesShortedStub(f, Z0, deg, f0, R, X), load + j * Z0 * T);
            ExpectNear(tf::SeriesOpenStub(f, Z0, deg, f0, R, X), load - j * Z0 / T);
            ExpectNear(tf::ShuntShortedStub(f, Z0, deg, f0, R, X), Parallel(load, j * Z0 * T));
            ExpectNear(tf::ShuntOpenStub(f, Z0, deg, f0, R, X), Parallel(load, -j * Z0 / T));
        }
    }
}

TEST(CalcTransforms, DegenerateValuesGiveTheirLimits) {
    const double f = 1e6, w1 = 1 / kTwoPi;  // omega = 1 exactly at w1
    EXPECT_EQ(tf::SeriesCapacitor(0, 100, f, 50, 0).X, -kOpenOhms);     // C = 0 is an open
    ExpectNear(tf::ShuntCapacitor(0, 100, f, 50, 10), Z{50, 10});
    ExpectNear(tf::ShuntInductor(0, 50, f, 50, 10), 0.0, 1e-15);         // L = 0 is a short
    EXPECT_EQ(tf::SeriesInductor(1e-6, 0, f, 50, 0).R + tf::SeriesCapacitor(1e-9, 0, f, 50, 0).R, 100);  // Q = 0 lossless
    ExpectNear(tf::TransmissionLine(f, 75, 30, 0, 20, 5), Z{20, 5});     // no f0: zero length
    ExpectNear(tf::TransmissionLine(f, 0, 30, 1e6, 20, 5), Z{20, 5});    // no Z0: no line
    ExpectNear(tf::SeriesOpenStub(f, 50, 30, 0, 0, 0), Z{50 * kOpenOhms, 0});
    ExpectNear(tf::ShuntShortedStub(f, 50, 0, 1e6, 50, 0), 0.0, 1e-15);
    ExpectNear(tf::ShuntCapacitor(1e-9, 100, f, 0, 0), 0.0);             // into a short
    ExpectNear(tf::ShuntResistor(0, 50, 30), 0.0, 1e-15);                // R = 0 is a short
    EXPECT_EQ(tf::ShuntInductor(1, 0, w1, 0, -1).R, kOpenOhms);          // lossless parallel resonance
    EXPECT_EQ(tf::SeriesLCPair(1, 0, 1, 0, w1, 5, 7).R, 5 + kOpenOhms);
}

TEST(CalcMath, ShuntResistorHalvesAMatchedLoad) {
    SessionState s = Network();
    s.Value[0] = {0, 50, 0};
    test::SetStage(s, 2, ShuntResistor, 50);
    const Impedance z = Math(s, 1);
    EXPECT_TRUE(std::fabs(z.R - 25) < 1e-12 && std::fabs(z.X) < 1e-12) << z.R << " " << z.X;
}

// The calculation promises these bits; any reordering of the arithmetic
// shows here even when the value stays close. Codes outside 1..13 and stage
// 6 are no part of the network; a line or stub leaves the velocity factor 1.
TEST(CalcMath, GoldenValuesBitForBit) {
    SessionState s = Network();
    s.ElementType = {0, TransmissionLine, SeriesLCPair, ShuntCapacitor, ShuntShortedStub, ShuntResistor, SeriesResistor};
    s.Value[1] = {0, 30, 2e6, 75};
    s.Value[2] = {0, 1e-6, 150, 100e-12, 500};
    s.Value[3] = {0, 200e-12, 300};
    s.Value[4] = {0, 60, 3e6, 50};
    s.Value[5] = {0, 470};
    s.Value[6] = {0, 1000};
    s.VelocityFactor = 0.66;
    const Impedance z = Math(s, 1);
    EXPECT_TRUE(z.R == 0x1.f38232cfeef7ep+2 && z.X == 0x1.8400ff982916ep+3) << std::hexfloat << z.R << " " << z.X;
    EXPECT_TRUE(s.CurrentR == z.R && s.CurrentX == z.X && s.VelocityFactor == 1);
    for (const std::int16_t odd : {14, -3}) {
        s.ElementType[3] = odd;
        const Impedance skipped = Math(s, 1);
        s.ElementType[3] = EmptyStage;
        EXPECT_TRUE(skipped.R == Math(s, 1).R && skipped.X == s.CurrentX) << odd;
    }
    s.ElementType[1] = s.ElementType[4] = SeriesCapacitor;
    s.VelocityFactor = 0.66;
    Math(s, 1);
    EXPECT_EQ(s.VelocityFactor, 0.66);
}

TEST(CalcMath, TakesLoadAndFrequencyFromTheTableUnlessLoadModeIsOne) {
    SessionState s = Network();
    for (std::uint16_t mode : {0, 2, 7}) {
        s.LoadMode = mode;
        Math(s, 3);
        EXPECT_TRUE(s.TestFrequency == 3e6 && s.CurrentR == 3);
        Math(s, 5000);  // clamped to the last row
        EXPECT_EQ(s.CurrentX, -kMaxLoadPoints);
    }
    s.TestFrequency = 0, s.CurrentR = 123;  // no frequency at entry: not even the table is read
    Math(s, 3);
    EXPECT_TRUE(s.CurrentR == 123 && s.TestFrequency == 0);
}

// The batch form computes what Math computes (a table row at its own
// frequency) and leaves the session as it was.
TEST(CalcMath, InputImpedanceIsMathWithoutItsWrites) {
    SessionState s = Network();
    s.LoadMode = LoadTable, s.TestFrequency = 5e6, s.VelocityFactor = 0.66;
    test::SetStage(s, 1, TransmissionLine, 30, 2e6, 75);
    const std::optional<Impedance> z = InputImpedance(s, 3);
    const Impedance at = InputImpedanceAt(s, 3e6, {3, -3});
    EXPECT_TRUE(s.TestFrequency == 5e6 && s.VelocityFactor == 0.66 && s.CurrentR == 0);
    const Impedance m = Math(s, 3);
    EXPECT_TRUE(z && z->R == m.R && z->X == m.X && at.R == m.R && at.X == m.X);
    s.TestFrequency = 0;
    EXPECT_FALSE(InputImpedance(s, 3).has_value());
}

TEST(CalcMath, ZeroAndTinyValuesStayFiniteForEveryElement) {
    for (int code = SeriesCapacitor; code <= ShuntResistor; ++code)
        for (double load : {0.0, 50.0})
            for (double v : {0.0, 1e-320}) {
                SessionState s = Network();
                s.Value[0] = {0, load, 0};
                s.ElementType[1] = s.ElementType[2] = static_cast<std::int16_t>(code);
                s.Value[1] = {0, v, v, v, v};
                s.Value[2] = {0, 0, 1e6, 50, 0};  // zero length at a real f0
                Math(s, 1);
                EXPECT_TRUE(std::isfinite(s.CurrentR) && std::fabs(s.CurrentX) <= 1E+20) << code;
            }
}

TEST(CalcReflection, ReadsTheChartAndStaysFinite) {
    EXPECT_TRUE(ReflectionOf(50, 0, 50).returnLossDb == kReturnLossCapDb && ReturnLossOf(1e-300) == kReturnLossCapDb);
    EXPECT_NEAR(ReturnLossOf(2), -6.0206, 5e-5);
    EXPECT_NEAR(ReflectionOf(100, 0, 50).vswr, 2, 1e-12);
    EXPECT_TRUE(ReflectionOf(0, -0.0, 50).angleDeg == 180 && std::fabs(ReflectionOf(0, -50, 50).angleDeg + 90) < 1e-12);  // never -180
    EXPECT_NEAR(ReflectionOf(0, 100, 50).angleDeg, 53.130102354156, 1e-9);  // j2: (3 + j4) / 5
    for (const Reflection& g : {ReflectionOf(0, 50, 50), ReflectionOf(1e20, 1e20, 50), ReflectionOf(50, 0, 0),
                                ReflectionOf(-50, 0, 50), ReflectionOf(NAN, 0, 50), ReflectionOf(-10, 5, 50)}) {
        EXPECT_TRUE(std::isfinite(g.rho) && std::isfinite(g.angleDeg) && std::isfinite(g.returnLossDb));
        EXPECT_TRUE(g.rho < 1 || g.vswr == kVswrLimit);
    }
}

TEST(CalcSweep, SingleLoadPointsAndTableRows) {
    SessionState s = Network();
    s.SweepStart = 1e6, s.SweepStop = 2e6;
    // LoadMode, SweepPoints, LoadRows: the points computed, the last one's frequency.
    const struct { std::uint16_t mode; std::int16_t points, rows; int n; double last; } cases[] = {
        {SingleLoad, 3, 0, 3, 2e6}, {SingleLoad, 1, 0, 1, 1e6},  // one point: no spacing to divide by
        {SingleLoad, 30000, 0, kSweepCapacity, 2e6}, {SingleLoad, -2, 0, 0, 0},
        {LoadTable, 5, 3, 3, 3e6},  // a network file raised SweepPoints after a 3-row table
        {LoadTable, 2001, kMaxLoadPoints, kMaxLoadPoints, 1e9}, {0, 5, 5, 0, 0}};
    for (const auto& c : cases) {
        s.LoadMode = c.mode, s.SweepPoints = c.points, s.LoadRows = c.rows;
        EXPECT_EQ(ComputeSweep(s), c.n) << c.points;
        EXPECT_TRUE(s.SweepPoints == c.points && s.TestFrequency == 1e6) << c.points;
        EXPECT_EQ(c.n > 0 ? s.SweepFreq[c.n - 1] : 0, c.last) << c.points;
    }
    s.SweepPoints = s.LoadRows = 5, s.LoadMode = LoadTable;
    ComputeSweep(s);
    for (int k = 0; k < 5; ++k) EXPECT_TRUE(s.SweepFreq[k] == 1e6 * (k + 1) && s.SweepR[k] == k + 1);
    s.LoadMode = SingleLoad;
    s.Value[0] = {0, 0, 0};  // rho = 1 everywhere
    ComputeSweep(s);
    EXPECT_TRUE(s.SweepFreq[1] == 1.25e6 && s.SweepVswr[3] == kVswrLimit);
}

}  // namespace
}  // namespace qv

#include "calc/Bandwidth.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

struct BandCase {
    const char* name;
    std::vector<double> vswr;  // at 1, 2, 3 ... MHz; return loss is 30 dB / vswr
    double vswrLow, vswrHigh;  // 0: no band
    bool openLow, openHigh;
    double rlLow, rlHigh;      // 0: not checked
};

// The edges lie where the straight line between the neighbouring points
// crosses the limit, not at either point; the band is the one around the
// best point even when another dip exists.
const BandCase kBands[] = {
    {"InsideTheSweep", {3, 1.5, 1.2, 1.8, 4}, 2 - 0.5 / 1.5, 4 + 0.2 / 2.2, false, false,
     // rl 10, 20, 25, 16.7, 7.5: 10 dB exactly at 1 MHz, then (16.7-10)/(16.7-7.5) past 4
     1, 4 + (30 / 1.8 - 10) / (30 / 1.8 - 7.5)},
    {"RunsOffBothEnds", {1.9, 1.1, 1.9}, 1, 3, true, true, 1, 3},
    {"AroundTheBestOfTwoDips", {1.8, 2.4, 1.05, 1.5, 3}, 3 - 0.95 / 1.35, 4 + 0.5 / 1.5, false,
     false, 1, 5},
    {"NoBandAtAll", {2.5, 2.2, 3}, 0, 0, false, false, 0, 0},
};

TEST(Bandwidth, EdgesAreInterpolatedAroundTheBestPoint) {
    for (const BandCase& c : kBands) {
        SCOPED_TRACE(c.name);
        std::vector<SweepSample> p;
        for (std::size_t k = 0; k < c.vswr.size(); ++k)
            p.push_back({(k + 1) * 1e6, (c.vswr[k] - 1) / (c.vswr[k] + 1), c.vswr[k], 30 / c.vswr[k]});
        const Bandwidth b = FindBandwidth(p);
        ASSERT_TRUE(b.any);
        if (c.vswrLow == 0) {
            EXPECT_TRUE(!b.vswr2 && b.bestVswr == 2.2 && b.bestFrequency == 2e6);
        } else {
            ASSERT_TRUE(b.vswr2);
            EXPECT_LT(std::hypot(b.vswr2->low - c.vswrLow * 1e6, b.vswr2->high - c.vswrHigh * 1e6), 1e-3);
            EXPECT_EQ(std::pair(b.vswr2->openLow, b.vswr2->openHigh), std::pair(c.openLow, c.openHigh));
        }
        if (c.rlLow != 0) {
            ASSERT_TRUE(b.rl10);
            EXPECT_LT(std::hypot(b.rl10->low - c.rlLow * 1e6, b.rl10->high - c.rlHigh * 1e6), 1e-3);
        }
    }
}

TEST(Bandwidth, SamplesComeSortedByFrequencyAndThePercentIsOfTheCentre) {
    SessionState s;
    const double f[] = {3e6, 1e6, NAN, 2e6};
    for (int k = 0; k < 4; ++k) s.SweepFreq[k] = f[k], s.SweepRho[k] = 0.1 * k, s.SweepVswr[k] = 1 + k;
    const std::vector<SweepSample> p = SweepSamples(s, 4);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_TRUE(p[0].frequency == 1e6 && p[1].vswr == 4 && p[2].vswr == 1 && std::fabs(p[0].returnLossDb - 20) < 1e-12);
    EXPECT_TRUE(SweepSamples(s, -3).empty() && !FindBandwidth({}).any);
    EXPECT_DOUBLE_EQ((Band{9e6, 11e6}.Percent()), 20);
}

}  // namespace
}  // namespace qv

#include "numbers/Format.h"
#include "numbers/Parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

using Cases = std::vector<std::pair<double, const char*>>;

void ExpectAll(std::string (*format)(double), const Cases& cases) {
    for (const auto& [value, text] : cases) EXPECT_EQ(format(value), text) << "value " << value;
}

TEST(FormatGeneral, SignedBandsAndShortTextForm) {
    ExpectAll(FormatGeneral, {
        {1000000, " 1 M"}, {14200000, " 14.2 M"}, {0.0005, " .5 m"}, {1e9, " 1 G"},
        {1000, " 1 k"}, {1, " 1 "}, {0.999, " 999 m"}, {3.5e12, " 3500 G"},
        // Zero is special; negatives ignore the bands and land in milli.
        {0, "0.0 "}, {-5, "-5000 m"}, {-0.0004, "-.4 m"},
        // Rounded away to nothing is not the zero text; tiny survivors need
        // the exponent form.
        {1e-9, " 0 m"}, {-1e-9, " 0 m"}, {1e-8, " 1E-05 m"},
        // Decimals from the scaled value: 2, 3, 4, then 5.
        {123456789, " 123.46 M"}, {12345678.9, " 12.346 M"}, {1234567.89, " 1.2346 M"},
        {0.000123456, " .12346 m"},
        // Halves as shown round away from zero, and may carry out of the band.
        {100.005, " 100.01 "}, {100.0049, " 100 "}, {999.9999, " 1000 "},
        {9999.99, " 10 k"}, {-0.000999999, "-1 m"},
    });
}

TEST(FormatCapacitance, BandsDecimalsAndEmptyBelow) {
    ExpectAll(FormatCapacitance, {
        {4.7e-11, "47 pF"}, {4.7e-9, "4700 pF"}, {1.5e-7, "0.15 uF"}, {1e-8, "0.01 uF"},
        {9.99e-9, "9990 pF"}, {9.9999995e-9, "10000 pF"}, {1e-14, "0.01 pF"},
        {9.9e-15, ""}, {0, ""}, {-2.2e-10, "-220 pF"},
        {0.01, "10 mF"}, {1, "1 F"}, {10, "0.01 KF"}, {1e4, "0.01 MF"}, {1e7, "0.01 GF"},
        {1.2345675e-9, "1234.57 pF"}, {1.2345675e-10, "123.457 pF"},
        {1.00005e-12, "1.00005 pF"}, {1.000005e-12, "1.00001 pF"},
        {-1.000005e-12, "-1.00001 pF"}, {1.2345675e-13, "0.123457 pF"},
    });
}

TEST(FormatInductance, BandsAndEmptyBelow) {
    ExpectAll(FormatInductance, {
        {2.2e-7, "220 nH"}, {1e-10, "0.1 nH"}, {5e-11, ""}, {0, ""},
        {1e-6, "1 uH"}, {0.0025, "2.5 mH"}, {1e9, "1 GH"},
    });
}

TEST(FormatResistance, BandsOwnDecimalsAndZero) {
    ExpectAll(FormatResistance, {
        {50, "50 "}, {-12.3456, "-12.346 "}, {1500, "1.5 k"}, {0, "0 "},
        {0.001, "0 "}, {-0.001, "0 "}, {0.0010001, "0.001 "}, {0.5, "0.5 "},
        {123.456, "123.46 "}, {1234.5678, "1.235 k"}, {1.23455, "1.2346 "},
        {99.9996, "100 "}, {999.996, "1000 "}, {2.5e6, "2.5 M"}, {-4.75e9, "-4.75 G"},
        // Wide G-band values keep seven significant digits, never an exponent.
        {1.23456789e15, "1234568 G"}, {1e20, "100000000000 G"},
    });
}

TEST(FormatImpedance, FullPrefixRange) {
    ExpectAll(FormatImpedance, {
        {50, "50 "}, {75000, "75 k"}, {0.02, "20 m"}, {3e-6, "3 u"}, {1e-9, "1 n"},
        {1e-14, "0.01 p"}, {5e-15, ""}, {0, ""}, {-1.2e6, "-1.2 M"},
    });
}

TEST(NumberText, ShortestFormNoLeadingZeroExponentAtTheEdges) {
    const Cases cases = {
        {0, " 0"}, {-0.0, " 0"}, {0.5, " .5"}, {-0.25, "-.25"}, {1000000, " 1000000"},
        {14200000, " 14200000"}, {1.0 / 3, " .333333333333333"}, {0.1 + 0.2, " .3"},
        {0.0001, " .0001"}, {1e15, " 1E+15"}, {999999999999999.0, " 999999999999999"},
        {9999999999999999.0, " 1E+16"}, {1e-10, " 1E-10"}, {1e-9, " 1E-09"}, {1e-5, " 1E-05"},
        {-1.5e-7, "-1.5E-07"}, {2.5e100, " 2.5E+100"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << value;

    // Single-precision values read back as the same float.
    for (const auto& [value, text] : Cases{{0.1f, " .1"}, {1.0f / 3, " .3333333"}, {9999999.0f, " 9999999"},
                                            {10000000.0f, " 1E+07"}, {16777217.0, " 1.677722E+07"}})
        EXPECT_EQ(NumberText(value, 7), text) << value;
    EXPECT_EQ(NumberText(-1e300, 7), "-Inf");  // beyond the single's range
    // Subnormal doubles keep their shortest text; without the plus blank for
    // the data files' fields.
    std::string fields;
    AppendNumberText(fields, 4.9406564584124654e-324, 15, false);
    EXPECT_EQ(fields, "5E-324");
}

TEST(ParseValue, PrefixesAndTheCharacterWalk) {
    const std::pair<const char*, double> cases[] = {
        {"", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"-e5", 0},
        {"1.5 MHz", 1.5e6}, {"1 GHz", 1e9}, {"1 g", 1e9}, {"47pF", 4.7e-11},
        {"100 nH", 1e-7}, {"2.2u", 2.2e-6}, {"3K", 3000}, {"-.5u", -5e-7},
        {"50 ohm", 0.05}, {"50 Ohms", 0.05},  // the m of ohm is milli
        {"1.2.3", 1.23}, {"5-3", 53}, {"1 2", 12}, {"--5", -5}, {"+5", 5},
        {"1e3k", 1000},    // no prefix after an exponent
        {"2k2", 2000},     // no digits after a prefix
        {"k5", 5},         // no prefix before the number starts
        {"1e.5", 1e5},     // no point after the exponent
        {"2e-1e1", 2e-11}, // a second e is skipped
        {"1E", 1}, {"1E-", 1}, {"1E-3", 0.001}, {"1E+3", 1000},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(ParseValueOf(text), value) << text;
    EXPECT_FALSE(std::signbit(ParseValueOf("-0")));
}

TEST(ParseValue, BoundsAndOverflow) {
    // An overflow's substitute ignores the sign.
    for (const auto& [text, value] : {std::pair{"1E10", 1e10}, {"-99999999999", -1e10}, {"-9E307G", -1e10},
                                      {"1E999", 1e10}, {"-1E999", 1e10}, {"1E-999", 0.0}})
        EXPECT_EQ(ParseValueOf(text), value) << text;
}

TEST(ParseValue, TrimsAndCutsTheCallersText) {
    std::string text = "  1234567890123  ";
    EXPECT_TRUE(ParseValue(text) == 1e10 && text == "123456789012") << text;
    text = "   ";
    EXPECT_TRUE(ParseValue(text) == 0 && text.empty()) << text;

    // The cut counts characters, not bytes.
    text = "1.5\xC2\xB5" "F 123456789";
    ParseValue(text);
    EXPECT_EQ(text, "1.5\xC2\xB5" "F 123456");
    EXPECT_DOUBLE_EQ(ParseValueOf("1.2345678901k"), 1.2345678901);
}

TEST(ParseValue, SaysWhenTheBoundWasApplied) {
    struct Case { const char* text; double value; bool bounded; };
    for (const Case c : {Case{"10G", 1e10, false}, Case{"20G", 1e10, true},
                         Case{"-20G", -1e10, true}, Case{"1E999", 1e10, true}}) {
        std::string text = c.text;
        bool bounded = !c.bounded;
        EXPECT_EQ(ParseValue(text, bounded), c.value) << c.text;
        EXPECT_EQ(bounded, c.bounded) << c.text;
    }
}

}  // namespace
}  // namespace qv

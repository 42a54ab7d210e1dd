#include "numbers/Parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace qv {
namespace {

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
    EXPECT_EQ(ParseValue(text), 1e10);
    EXPECT_EQ(text, "123456789012");

    text = "   ";
    EXPECT_EQ(ParseValue(text), 0);
    EXPECT_EQ(text, "");

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

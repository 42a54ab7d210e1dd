#include "numbers/Parse.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

namespace qv {
namespace {

constexpr std::size_t kKeptCharacters = 12;
constexpr std::size_t kAcceptedDigitsLimit = 16;
constexpr double kLimit = 1e10;

// Blanks only: a tab typed into a box is the user's, not padding.
void Trim(std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    const auto last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
}

// Cuts after `count` characters; counts UTF-8 sequences so that a typed "µ"
// or "Ω" is never split into half a character.
void KeepCharacters(std::string& text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;  // continuation byte
        if (chars == count) {
            text.resize(i);
            return;
        }
        ++chars;
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The prefix letter as it is kept in the accepted text, and its multiplier.
bool PrefixLetter(char c, char& kept, double& multiplier) {
    switch (c) {
        case 'P': case 'p': kept = 'p'; multiplier = 1e-12; return true;
        case 'N': case 'n': kept = 'n'; multiplier = 1e-9; return true;
        case 'U': case 'u': kept = 'u'; multiplier = 1e-6; return true;
        case 'm': kept = 'm'; multiplier = 1e-3; return true;
        case 'K': case 'k': kept = 'k'; multiplier = 1e3; return true;
        case 'M': kept = 'M'; multiplier = 1e6; return true;
        case 'G': case 'g': kept = 'G'; multiplier = 1e9; return true;
        default: return false;
    }
}

struct Leading {
    double value = 0;
    bool overflow = false;
};

// Reads the leading number of the accepted text: sign, digits with at most
// one point, then an exponent only when it has digits. Anything else ends it.
Leading ReadLeadingNumber(const std::string& a) {
    std::size_t i = 0;
    bool negative = false;
    if (i < a.size() && (a[i] == '+' || a[i] == '-')) negative = a[i++] == '-';
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < a.size(); ++i) {
        if (IsDigit(a[i])) {
            ++digits;
        } else if (a[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return {};
    std::size_t end = i;
    bool negativeExponent = false;
    if (i < a.size() && a[i] == 'E') {
        std::size_t j = i + 1;
        if (j < a.size() && (a[j] == '+' || a[j] == '-')) negativeExponent = a[j++] == '-';
        const std::size_t exponentDigits = j;
        while (j < a.size() && IsDigit(a[j])) ++j;
        if (j > exponentDigits) end = j;
    }
    // from_chars takes no '+' anywhere but in the exponent, so the sign is
    // applied here.
    std::string number = a.substr(mantissaStart, end - mantissaStart);
    Leading result;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), result.value,
                                   std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Twelve characters leave the mantissa far from either end of the
        // range, so the exponent's sign tells overflow from underflow.
        if (!negativeExponent) {
            result.overflow = true;
            return result;
        }
        result.value = 0;
    }
    if (negative) result.value = -result.value;
    return result;
}

}  // namespace

double ParseValue(std::string& text) {
    bool bounded = false;
    return ParseValue(text, bounded);
}

double ParseValue(std::string& text, bool& bounded) {
    bounded = false;
    Trim(text);
    KeepCharacters(text, kKeptCharacters);

    std::string accepted;
    bool prefixFound = false;
    bool pointSeen = false;
    bool exponentSeen = false;
    double multiplier = 1;

    for (const char c : text) {
        if (accepted.size() < kAcceptedDigitsLimit && !prefixFound && IsDigit(c)) accepted += c;
        if (c == '.' && !prefixFound && !pointSeen) {
            pointSeen = true;
            accepted += c;
        }
        if ((c == '-' || c == '+') && (accepted.empty() || accepted.back() == 'E')) accepted += c;
        if (accepted.empty()) continue;
        if ((c == 'e' || c == 'E') && !prefixFound) {
            if (exponentSeen) continue;
            exponentSeen = true;
            accepted += 'E';
            pointSeen = true;
        }
        char kept = 0;
        double m = 1;
        if (!exponentSeen && !prefixFound && PrefixLetter(c, kept, m)) {
            accepted += kept;
            prefixFound = true;
            multiplier = m;
        }
    }

    const Leading leading = ReadLeadingNumber(accepted);
    if (leading.overflow) {
        bounded = true;
        return kLimit;
    }
    // The prefix never follows an exponent, so the product stays finite.
    double v = leading.value * multiplier;
    bounded = v > kLimit || v < -kLimit;
    if (v > kLimit) v = kLimit;
    if (v < -kLimit) v = -kLimit;
    return v + 0.0;  // no negative zero for "-0"
}

double ParseValueOf(std::string text) { return ParseValue(text); }

}  // namespace qv

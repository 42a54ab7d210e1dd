#include "numbers/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <type_traits>

namespace qv {
namespace {

// A finite decimal: value = d1.d2d3... x 10^exp, digits without trailing
// zeros ("0" with exp 0 for zero).
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    int exp = 0;
    bool IsZero() const { return digits == "0"; }
};

// The same decimal in a fixed buffer: the files' writers format thousands
// of numbers per file, and this keeps NumberText free of allocations.
struct Digits {
    bool negative = false;
    char d[24] = {'0'};
    int n = 1;
    int exp = 0;
    bool IsZero() const { return n == 1 && d[0] == '0'; }
};

// Splits to_chars scientific output ("-1.25e+03": sign, one digit, maybe a
// point and more digits, then the exponent) into Digits.
Digits FromScientific(const char* first, const char* last) {
    Digits d;
    const char* p = first;
    d.negative = *p == '-';
    p += d.negative;
    const char* e = static_cast<const char*>(std::memchr(p, 'e', static_cast<std::size_t>(last - p)));
    if (e == nullptr) e = last;
    d.d[0] = *p;
    d.n = 1;
    if (p + 1 < e) {  // "d.ddd"
        const int more = std::min(static_cast<int>(e - p - 2), static_cast<int>(sizeof d.d) - 1);
        std::memcpy(d.d + 1, p + 2, static_cast<std::size_t>(more));
        d.n += more;
    }
    int exp = 0;
    if (e != last) {  // "e+03", "e-308": sign and at least two digits
        const bool negativeExp = e[1] == '-';
        for (const char* q = e + 2; q < last; ++q) exp = exp * 10 + (*q - '0');
        if (negativeExp) exp = -exp;
    }
    d.exp = exp;
    while (d.n > 1 && d.d[d.n - 1] == '0') --d.n;
    if (d.IsZero()) {
        d.negative = false;
        d.exp = 0;
    }
    return d;
}

// The fewest significant digits (at most maxDigits) that read back to the
// same value; when none do, the value correctly rounded to maxDigits. Values
// that live in single precision are compared as floats, so 0.1f gives "1"
// rather than the nine digits of its exact double.
template <typename T>
Digits ShortestDigits(T value, int maxDigits) {
    char buf[64];
    // For a normal double and at most 15 digits the rounded text, without
    // its trailing zeros, is already the shortest one: the shortest text is
    // within half a unit of the double's last place of the value, closer
    // than any other decimal of 15 digits. One conversion instead of two.
    if constexpr (std::is_same_v<T, double>) {
        if (maxDigits <= 15 && std::fabs(value) >= std::numeric_limits<double>::min()) {
            const auto r = std::to_chars(buf, buf + sizeof buf, value,
                                         std::chars_format::scientific, maxDigits - 1);
            return FromScientific(buf, r.ptr);
        }
    }
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    Digits d = FromScientific(buf, r.ptr);
    if (d.n > maxDigits) {
        r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, maxDigits - 1);
        d = FromScientific(buf, r.ptr);
    }
    return d;
}

template <typename T>
Decimal ShortestDecimal(T value, int maxDigits) {
    const Digits g = ShortestDigits(value, maxDigits);
    Decimal d;
    d.negative = g.negative;
    d.digits.assign(g.d, static_cast<std::size_t>(g.n));
    d.exp = g.exp;
    return d;
}

// Rounds to `decimals` places after the point, halves away from zero. Works
// on the decimal digits the value shows, not on its binary expansion, so a
// single that reads 1.00005 rounds up as the user expects.
Decimal RoundDecimals(Decimal d, int decimals) {
    if (d.IsZero()) return d;
    const int keep = d.exp + decimals + 1;  // digits at places >= 10^-decimals
    if (keep >= static_cast<int>(d.digits.size())) return d;
    if (keep < 0) return Decimal{};
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exp;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) return Decimal{};
    return d;
}

float ToFloat(const Decimal& d) {
    std::string s = d.negative ? "-" : "";
    s += d.digits.substr(0, 1);
    if (d.digits.size() > 1) s += "." + d.digits.substr(1);
    s += "e" + std::to_string(d.exp);
    float f = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), f);
    // Rounding up the largest single can step past the single range.
    if (r.ec == std::errc::result_out_of_range) f = d.negative ? -HUGE_VALF : HUGE_VALF;
    return f;
}

// Digits in positional notation without a sign; leadingZero puts "0" before
// the point of a fraction.
std::string Positional(const Decimal& d, bool leadingZero) {
    std::string s;
    if (d.exp < 0) {
        if (leadingZero) s += '0';
        s += '.';
        s.append(static_cast<std::size_t>(-d.exp - 1), '0');
        s += d.digits;
        return s;
    }
    const std::size_t whole = static_cast<std::size_t>(d.exp) + 1;
    if (d.digits.size() <= whole) {
        s = d.digits;
        s.append(whole - d.digits.size(), '0');
    } else {
        s = d.digits.substr(0, whole) + "." + d.digits.substr(whole);
    }
    return s;
}

std::string NonFinite(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// Blank or minus, then the %G-style text without a zero before the point,
// into `out` (room for kNumberTextCapacity characters); returns the end.
char* SignedShortChars(char* out, const Digits& d, int precision) {
    char* p = out;
    *p++ = d.negative ? '-' : ' ';
    if (d.IsZero()) {
        *p++ = '0';
        return p;
    }
    const auto copy = [&p](const char* from, int count) {
        std::memcpy(p, from, static_cast<std::size_t>(count));
        p += count;
    };
    if (d.exp < -4 || d.exp >= precision) {
        *p++ = d.d[0];
        if (d.n > 1) {
            *p++ = '.';
            copy(d.d + 1, d.n - 1);
        }
        const int e = d.exp < 0 ? -d.exp : d.exp;
        *p++ = 'E';
        *p++ = d.exp < 0 ? '-' : '+';
        if (e < 10) *p++ = '0';
        return std::to_chars(p, p + 4, e).ptr;
    }
    if (d.exp < 0) {
        *p++ = '.';
        std::memset(p, '0', static_cast<std::size_t>(-d.exp - 1));
        p += -d.exp - 1;
        copy(d.d, d.n);
        return p;
    }
    const int whole = d.exp + 1;
    if (d.n <= whole) {
        copy(d.d, d.n);
        std::memset(p, '0', static_cast<std::size_t>(whole - d.n));
        p += whole - d.n;
    } else {
        copy(d.d, whole);
        *p++ = '.';
        copy(d.d + whole, d.n - whole);
    }
    return p;
}

// S rounded to `decimals`, narrowed to single precision again.
float RoundScaled(float s, int decimals) {
    if (!std::isfinite(s)) return s;
    return ToFloat(RoundDecimals(ShortestDecimal(s, 7), decimals));
}

// Minus for negatives, zero before the point, at most seven significant
// digits, never an exponent.
std::string PlainText(float value) {
    if (!std::isfinite(value)) return NonFinite(value);
    const Decimal d = ShortestDecimal(value, 7);
    return (d.negative ? "-" : "") + Positional(d, true);
}

struct Band {
    double threshold;
    double divisor;
    const char* suffix;
};

int DecimalsOfMagnitude(float s) {
    const float a = std::fabs(s);
    if (a > 1000) return 2;
    if (a > 100) return 3;
    if (a > 10) return 4;
    if (a > 1) return 5;
    return 6;
}

// Capacitance, inductance and impedance: bands on |value|; nothing below the
// last band, and zero shows as empty text.
template <std::size_t N>
std::string FormatBanded(double value, const Band (&bands)[N]) {
    const double magnitude = std::fabs(value);
    for (const Band& b : bands) {
        if (magnitude >= b.threshold || std::isnan(value)) {
            const float s = static_cast<float>(value / b.divisor);
            if (s == 0) return "";
            return PlainText(RoundScaled(s, DecimalsOfMagnitude(s))) + b.suffix;
        }
    }
    return "";
}

}  // namespace

double Formattable(double v) {
    if (std::isnan(v)) return 0;
    if (v > kFormattableLimit) return kFormattableLimit;
    if (v < -kFormattableLimit) return -kFormattableLimit;
    return v;
}

char* NumberChars(char* out, double value, int digits, bool plusBlank) {
    if (digits < 1) digits = 1;
    if (digits > 17) digits = 17;
    // Up to 7 digits the value is written as a single; one beyond its range
    // is the single's infinity.
    if (digits <= 7 && std::isfinite(value) && !std::isfinite(static_cast<float>(value)))
        value = static_cast<float>(value);
    if (!std::isfinite(value)) {
        if (!(value < 0) && plusBlank) *out++ = ' ';
        const std::string text = NonFinite(value);
        return std::copy(text.begin(), text.end(), out);
    }
    const Digits d = digits <= 7 ? ShortestDigits(static_cast<float>(value), digits)
                                 : ShortestDigits(value, digits);
    char* end = SignedShortChars(out, d, digits);
    if (out[0] != ' ' || plusBlank) return end;
    std::memmove(out, out + 1, static_cast<std::size_t>(end - out - 1));
    return end - 1;
}

void AppendNumberText(std::string& out, double value, int digits, bool plusBlank) {
    char text[kNumberTextCapacity];
    out.append(text, static_cast<std::size_t>(NumberChars(text, value, digits, plusBlank) - text));
}

std::string NumberText(double value, int digits) {
    std::string out;
    AppendNumberText(out, value, digits);
    return out;
}

std::string FormatGeneral(double value) {
    // Bands on the signed value: anything below 1, negatives included, is
    // shown in milli.
    static const Band bands[] = {
        {1e9, 1e9, " G"}, {1e6, 1e6, " M"}, {1e3, 1e3, " k"}, {1, 1, " "}};
    Band band{0, 0.001, " m"};
    for (const Band& b : bands) {
        if (value >= b.threshold) {
            band = b;
            break;
        }
    }
    const float s = static_cast<float>(value / band.divisor);
    if (s == 0) return "0.0 ";
    const int decimals = s > 100 ? 2 : s > 10 ? 3 : s > 1 ? 4 : 5;
    return NumberText(RoundScaled(s, decimals), 7) + band.suffix;
}

std::string FormatCapacitance(double value) {
    static const Band bands[] = {
        {1e7, 1e9, " GF"},   {1e4, 1e6, " MF"},   {10, 1e3, " KF"},
        {1, 1, " F"},        {0.01, 1e-3, " mF"}, {1e-8, 1e-6, " uF"},
        {1e-14, 1e-12, " pF"}};
    return FormatBanded(value, bands);
}

std::string FormatInductance(double value) {
    static const Band bands[] = {
        {1e9, 1e9, " GH"},   {1e6, 1e6, " MH"},   {1e3, 1e3, " KH"},
        {1, 1, " H"},        {1e-3, 1e-3, " mH"}, {1e-6, 1e-6, " uH"},
        {1e-10, 1e-9, " nH"}};
    return FormatBanded(value, bands);
}

std::string FormatImpedance(double value) {
    static const Band bands[] = {
        {1e9, 1e9, " G"},    {1e6, 1e6, " M"},    {1e3, 1e3, " k"},
        {1, 1, " "},         {1e-3, 1e-3, " m"},  {1e-6, 1e-6, " u"},
        {1e-9, 1e-9, " n"},  {1e-14, 1e-12, " p"}};
    return FormatBanded(value, bands);
}

std::string FormatResistance(double value) {
    struct ResistanceBand {
        double threshold;
        double divisor;
        int decimals;
        const char* suffix;
    };
    static const ResistanceBand bands[] = {
        {1e9, 1e9, 3, " G"}, {1e6, 1e6, 3, " M"}, {1e3, 1e3, 3, " k"},
        {100, 1, 2, " "},    {10, 1, 3, " "},     {1, 1, 4, " "}};
    const double magnitude = std::fabs(value);
    ResistanceBand band{0, 1, 5, " "};
    for (const ResistanceBand& b : bands) {
        if (magnitude >= b.threshold) {
            band = b;
            break;
        }
    }
    if (!(magnitude > 0.001) && !std::isnan(value)) return "0 ";
    const float s = static_cast<float>(value / band.divisor);
    if (std::fabs(s) <= 0.001f) return "0 ";
    return PlainText(RoundScaled(s, band.decimals)) + band.suffix;
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace qv

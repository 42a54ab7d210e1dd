// The standard component series (E6 to E96): the values capacitors and
// inductors are sold in, one decade's mantissas each. Used to turn a
// calculated value into one a builder can buy.
#pragma once

#include <cmath>
#include <optional>
#include <span>
#include <string_view>

namespace qv {

// The series mantissas from 1 up to (not including) 10.
inline constexpr double kE6[] = {1.0, 1.5, 2.2, 3.3, 4.7, 6.8};
inline constexpr double kE12[] = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
inline constexpr double kE24[] = {1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0, 2.2, 2.4, 2.7, 3.0,
                                  3.3, 3.6, 3.9, 4.3, 4.7, 5.1, 5.6, 6.2, 6.8, 7.5, 8.2, 9.1};
inline constexpr double kE48[] = {
    1.00, 1.05, 1.10, 1.15, 1.21, 1.27, 1.33, 1.40, 1.47, 1.54, 1.62, 1.69,
    1.78, 1.87, 1.96, 2.05, 2.15, 2.26, 2.37, 2.49, 2.61, 2.74, 2.87, 3.01,
    3.16, 3.32, 3.48, 3.65, 3.83, 4.02, 4.22, 4.42, 4.64, 4.87, 5.11, 5.36,
    5.62, 5.90, 6.19, 6.49, 6.81, 7.15, 7.50, 7.87, 8.25, 8.66, 9.09, 9.53};
inline constexpr double kE96[] = {
    1.00, 1.02, 1.05, 1.07, 1.10, 1.13, 1.15, 1.18, 1.21, 1.24, 1.27, 1.30,
    1.33, 1.37, 1.40, 1.43, 1.47, 1.50, 1.54, 1.58, 1.62, 1.65, 1.69, 1.74,
    1.78, 1.82, 1.87, 1.91, 1.96, 2.00, 2.05, 2.10, 2.15, 2.21, 2.26, 2.32,
    2.37, 2.43, 2.49, 2.55, 2.61, 2.67, 2.74, 2.80, 2.87, 2.94, 3.01, 3.09,
    3.16, 3.24, 3.32, 3.40, 3.48, 3.57, 3.65, 3.74, 3.83, 3.92, 4.02, 4.12,
    4.22, 4.32, 4.42, 4.53, 4.64, 4.75, 4.87, 4.99, 5.11, 5.23, 5.36, 5.49,
    5.62, 5.76, 5.90, 6.04, 6.19, 6.34, 6.49, 6.65, 6.81, 6.98, 7.15, 7.32,
    7.50, 7.68, 7.87, 8.06, 8.25, 8.45, 8.66, 8.87, 9.09, 9.31, 9.53, 9.76};

// The series named "E6", "E12", "E24", "E48" or "E96" (also in lower case);
// nothing for any other name.
inline std::optional<std::span<const double>> SeriesNamed(std::string_view name) {
    if (name.size() < 2 || (name[0] != 'E' && name[0] != 'e')) return std::nullopt;
    const std::string_view n = name.substr(1);
    if (n == "6") return std::span<const double>(kE6);
    if (n == "12") return std::span<const double>(kE12);
    if (n == "24") return std::span<const double>(kE24);
    if (n == "48") return std::span<const double>(kE48);
    if (n == "96") return std::span<const double>(kE96);
    return std::nullopt;
}

// The series values next to v: the largest at or below it and the smallest
// at or above it (the same value twice when v is in the series). For v not
// above 0, or not finite, both are v: there is nothing to snap to.
struct SeriesNeighbours {
    double below = 0, above = 0;
};

inline SeriesNeighbours NeighboursInSeries(double v, std::span<const double> series) {
    if (!(v > 0) || !std::isfinite(v) || series.empty()) return {v, v};
    double decade = std::pow(10.0, std::floor(std::log10(v)));
    double m = v / decade;
    // log10 may land a hair off a whole number; the mantissa must be 1..10.
    if (m < 1) decade /= 10, m *= 10;
    if (m >= 10) decade *= 10, m /= 10;
    // Compared with a little slack, so that 4.7E-12 held as a double counts
    // as the series value 4.7 however its last bit fell.
    constexpr double kSlack = 1e-9;
    double below = series.front() * decade;
    double above = 10 * decade;
    for (double e : series) {
        if (e <= m * (1 + kSlack)) below = e * decade;
        if (e >= m * (1 - kSlack)) {
            above = e * decade;
            break;
        }
    }
    if (std::fabs(below - v) <= v * kSlack) above = below;
    if (std::fabs(above - v) <= v * kSlack) below = above;
    return {below, above};
}

// The series value nearest to v on a logarithmic scale (the smaller ratio),
// which is how a value's error is felt in a reactance.
inline double SnapToSeries(double v, std::span<const double> series) {
    const SeriesNeighbours n = NeighboursInSeries(v, series);
    if (n.below == n.above) return n.below;
    return v / n.below <= n.above / v ? n.below : n.above;
}

}  // namespace qv

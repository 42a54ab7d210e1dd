// How far from the page's origin a coordinate may lie, in the page's logical
// units (twips, or a sheet's units). Three nested limits, each with its own
// job; every layer uses these names, so they agree on what "off the page" is.
#pragma once

namespace qv {

// What the chart hands a surface: every point, line end and label of the
// chart lies within +-kPageLimit (segments are clipped to the box, shapes
// near the chart clamped into it). Far beyond any page or window (the
// largest page is a few tens of thousands of units), it keeps a chart
// dragged off the page or a point near z = -1 from reaching the painter,
// which turns coordinates into integers.
inline constexpr double kPageLimit = 1.0e6;

// The recording surface's clamp on whatever any caller draws, the last line
// of defence: a NaN or an infinity would reach the painter as an undefined
// integer. Wider than kPageLimit so that it never moves what the chart drew.
inline constexpr double kSurfaceLimit = 1.0e9;

// How far from the chart's centre a mapped point may lie before it is
// pulled in along its own direction (the direction changes by less than
// 1E-6 rad seen from the page): far enough out that the pull never moves a
// point inside the page box, near enough that clipping a segment between two
// such points never subtracts overflowing numbers.
inline constexpr double kFarLimit = 1.0e12;

static_assert(kPageLimit < kSurfaceLimit && kSurfaceLimit < kFarLimit);

}  // namespace qv

#include "chart/SweepTrace.h"

#include <cmath>

#include "calc/Sweep.h"
#include "chart/Overlays.h"
#include "numbers/Format.h"

namespace qv {
namespace {

bool Placeable(const PagePoint& p) {
    return p.valid && InPageBox(p.x, p.y);
}

bool InBand(double f) { return f >= kSweepMinFrequency && f <= kSweepMaxFrequency; }

// The mark centred on the dot, in the surface's font made smaller where its
// whole text box would otherwise reach the ring (a page font's line is
// taller than the ring); the font is then put back for the labels.
void WriteInRing(Surface& surf, const PagePoint& dot, const std::string& mark) {
    const FontSpec font = surf.Font();
    constexpr double kRoom = kEndRingRadius - 10;  // inside the ring's line
    for (int tries = 0; tries < 3; ++tries) {
        const double halfDiagonal = std::hypot(surf.TextWidth(mark), surf.TextHeight()) / 2;
        if (!(halfDiagonal > kRoom)) break;
        FontSpec smaller = surf.Font();
        smaller.sizePt *= 0.98 * kRoom / halfDiagonal;
        surf.SetFont(smaller);
    }
    surf.Text(PageCoord(dot.x - surf.TextWidth(mark) / 2), PageCoord(dot.y - surf.TextHeight() / 2),
              mark);
    surf.SetFont(font);
}

}  // namespace

std::string CheckSweepEntry(const SweepEntry& e) {
    if (!InBand(e.start)) return kSweepStartMessage;
    if (!InBand(e.stop)) return kSweepStopMessage;
    if (!(e.stop > e.start)) return kSweepOrderMessage;
    if (e.points != std::floor(e.points) || e.points < kSweepMinPoints || e.points > kSweepMaxPoints)
        return kSweepPointsMessage;
    return {};
}

bool SweepReady(const SessionState& s) {
    if (s.LoadMode == LoadTable) return LoadTableRows(s) >= 1;
    return CheckSweepEntry({s.SweepStart, s.SweepStop, static_cast<double>(s.SweepPoints)}).empty();
}

bool TabulateEnabled(const SessionState& s) {
    return s.SweepStart > 10000 && s.SweepPoints > 2 && s.SweepStop > 10100;
}

PagePoint DrawDot(Surface& surf, const ChartGeometry& g, double systemZ, double r, double x,
                  int kind, Colour colour) {
    const PagePoint p = ToPage(g, systemZ, r, x);
    if (!Placeable(p)) return p;
    surf.SetLineWidth(1);
    surf.SetColour(colour);
    if (kind == kSmallDot) {
        surf.Circle(p.x, p.y, 10, 0, 0, 1);
        surf.Circle(p.x, p.y, 20, 0, 0, 1);
    } else if (kind > kSmallDot) {
        surf.Circle(p.x, p.y, 30, 0, 0, 1);
    }
    return p;
}

void LabelSweepEnd(Surface& surf, const ChartGeometry& g, const PagePoint& dot,
                   const std::string& mark, double frequency) {
    surf.SetLineWidth(1);
    surf.SetTextColour(kBlack);
    if (Placeable(dot)) {
        // The surface has no filled circle; rings one twip apart fill the
        // disc at every scale, since the pen grows with the scale.
        surf.SetColour(kWhite);
        for (int r = 1; r <= kEndRingRadius; ++r) surf.Circle(dot.x, dot.y, r, 0, 0, 1);
        surf.SetColour(kBlack);
        surf.Circle(dot.x, dot.y, kEndRingRadius, 0, 0, 1);
        WriteInRing(surf, dot, mark);
    }
    const double rise = mark == "S" ? kStartLabelRise : kFinishLabelRise;
    const double left = PageCoord(g.centerX - g.radius);
    const double top = PageCoord(g.centerY + g.radius - rise);
    surf.SetColour(kWhite);
    surf.FillBox(left, top, PageCoord(left + kLabelBoxWidth), PageCoord(top + kLabelBoxHeight));
    surf.Text(left, top, "'" + mark + "'=" + FormatGeneral(frequency) + "Hz");
}

SweepDrawn DrawSweep(SessionState& s, Surface& surf, const ChartGeometry& g) {
    SweepDrawn out;
    if (s.SweepOn == 0) return out;
    out.ran = true;
    out.tabulateEnabled = TabulateEnabled(s);
    out.points = ComputeSweep(s);
    for (int k = 0; k < out.points; ++k) {
        const PagePoint p =
            DrawDot(surf, g, s.SystemZ, s.SweepR[k], s.SweepX[k], kDot, kSweepDotColour);
        // A single point is both ends: its "F" ring covers its "S" ring, and
        // both frequency labels read the same.
        if (k == 0) LabelSweepEnd(surf, g, p, "S", s.SweepFreq[k]);
        if (k == out.points - 1) LabelSweepEnd(surf, g, p, "F", s.SweepFreq[k]);
    }
    return out;
}

bool ToggleSweep(SessionState& s) {
    s.SweepOn = s.SweepOn == 0 ? 1 : 0;
    return s.SweepOn == 1;
}

}  // namespace qv

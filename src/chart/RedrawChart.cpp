#include "chart/RedrawChart.h"

#include <cmath>

#include "chart/ChartGrids.h"
#include "chart/ElementArcs.h"
#include "chart/Overlays.h"
#include "chart/SweepTrace.h"
#include "numbers/Format.h"

namespace qv {

std::string ChartCaption(double systemZ) {
    return "Chart normalized to " + TrimBlanks(NumberText(systemZ)) + " ohms";
}

void DrawChartFrame(const SessionState& s, Surface& surf, const ChartGeometry& g,
                    Colour frameColour) {
    const double cx = g.centerX, cy = g.centerY, rc = g.radius;
    surf.SetColour(frameColour);
    surf.SetLineWidth(1);
    surf.Line(PageCoord(cx - rc), PageCoord(cy), PageCoord(cx + rc), PageCoord(cy));
    surf.SetLineWidth(2);
    double lastX = 0, lastY = 0;
    for (int deg = 0; deg <= 360; deg += 3) {
        const double a = deg * s.Pi / 180;
        const double x = PageCoord(cx + rc * std::cos(a));
        const double y = PageCoord(cy + rc * std::sin(a));
        surf.Line(deg == 0 ? x : lastX, deg == 0 ? y : lastY, x, y);
        lastX = x;
        lastY = y;
    }
    surf.SetLineWidth(1);
    surf.SetTextColour(kBlack);
    surf.Text(PageCoord(cx - rc), PageCoord(cy + rc), ChartCaption(s.SystemZ));
}

ChartBackdrop SetGridColours(SessionState& s) {
    const GridScheme scheme = GridSchemeFor(s.GridType);
    // A grid type that leaves a colour unset keeps the previous one, which
    // the printed chart then inherits.
    if (scheme.drawAdmittance) s.AdmittanceGridColour = scheme.admittanceColour;
    if (scheme.drawImpedance) s.ImpedanceGridColour = scheme.impedanceColour;
    return {s.ChartCenterX,          s.ChartCenterY,         s.ChartRadius, s.GridType, s.SystemZ,
            s.AdmittanceGridColour, s.ImpedanceGridColour, s.Pi};
}

void DrawChartBackdrop(SessionState& s, Surface& surf) {
    surf.SetLineWidth(1);
    const ChartGeometry g = ScreenGeometry(s);
    ClipToChartArea(surf);
    SetGridColours(s);
    const GridScheme scheme = GridSchemeFor(s.GridType);
    if (scheme.admittanceFirst) {
        DrawAdmittanceGrid(s, surf, g);
        DrawImpedanceGrid(s, surf, g);
    } else {
        if (scheme.drawImpedance) DrawImpedanceGrid(s, surf, g);
        if (scheme.drawAdmittance) DrawAdmittanceGrid(s, surf, g);
    }
    DrawChartFrame(s, surf, g, scheme.frameColour);
    surf.Unclip();
}

void DrawChartForeground(SessionState& s, Surface& surf, const ChartHooks& hooks) {
    // The pen as the backdrop leaves it, also on a surface of its own.
    surf.SetLineWidth(1);
    surf.SetColour(GridSchemeFor(s.GridType).frameColour);
    surf.SetTextColour(kBlack);
    const ChartGeometry g = ScreenGeometry(s);
    if (hooks.networkPanel) hooks.networkPanel(surf);
    ClipToChartArea(surf);
    DrawElementArcs(s, surf, g);
    if (hooks.overlays) {
        hooks.overlays(surf);
    } else {
        DrawQArcs(s, surf, g);
        DrawVswrCircle(s, surf, g);
    }
    if (hooks.sweepTrace) {
        hooks.sweepTrace(surf);
    } else {
        const SweepDrawn sweep = DrawSweep(s, surf, g);
        if (sweep.ran && hooks.tabulateEnabled) hooks.tabulateEnabled(sweep.tabulateEnabled);
    }
    surf.Unclip();
}

void RedrawChart(SessionState& s, Surface& surf, const ChartHooks& hooks) {
    surf.Clear();
    DrawChartBackdrop(s, surf);
    DrawChartForeground(s, surf, hooks);
}

}  // namespace qv

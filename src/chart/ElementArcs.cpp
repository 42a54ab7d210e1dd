#include "chart/ElementArcs.h"

#include <algorithm>
#include <cmath>

#include "calc/Math.h"

namespace qv {
namespace {

using ValueTable = std::array<std::array<double, kValueSlots>, kStageSlots>;

// Where the last drawn point of the current arc lies, so that the next one
// can be joined to it. Kept here rather than as the surface's last point
// because skipped and clipped points must not leave a pen position behind.
struct ArcPen {
    bool start = true;     // the next point begins a stage's arc
    bool havePrev = false;  // a previous point exists to join to
    double x = 0, y = 0;
};

bool InsideBox(double x, double y) {
    return std::fabs(x) <= kPageLimit && std::fabs(y) <= kPageLimit;
}

void PlotArcPoint(SessionState& s, Surface& surf, const ChartGeometry& g,
                  const ArcStyle& style, ArcPen& pen) {
    Math(s, s.LoadPointIndex);
    const PagePoint p = ToPage(g, s.SystemZ, s.CurrentR, s.CurrentX, &s.PointRho);
    surf.SetLineWidth(style.arcWidth);
    surf.SetColour(s.ArcColour);
    if (!p.valid) {
        pen.havePrev = false;
    } else if (pen.start || !pen.havePrev) {
        if (InsideBox(p.x, p.y)) {
            if (pen.start) {
                for (double r : {15.0, 30.0, 45.0}) surf.Circle(p.x, p.y, r, 0, 0, 1);
            }
            surf.Line(p.x, p.y, p.x, p.y);
        }
        pen.havePrev = true;
    } else {
        double x1 = pen.x, y1 = pen.y, x2 = p.x, y2 = p.y;
        if (ClipSegment(x1, y1, x2, y2)) surf.Line(x1, y1, x2, y2);
    }
    if (p.valid) {
        pen.x = p.x;
        pen.y = p.y;
    }
    pen.start = false;
    surf.SetLineWidth(style.restWidth);
}

bool InRange(int code) { return code >= 1 && code <= 13; }

}  // namespace

std::int16_t ArcLoadRow(const SessionState& s) {
    if (s.LoadMode != 2) return 1;
    const int rows = LoadTableRows(s);
    if (rows < 1) return 1;
    return static_cast<std::int16_t>(std::clamp(s.SweepPoints / 2 + 1, 1, rows));
}

void SetNeutralValues(SessionState& s) {
    for (int st = kFirstStage; st <= kLastStage; ++st) {
        auto& v = s.Value[st];
        switch (s.ElementType[st]) {
            case SeriesCapacitor:
            case ShuntInductor:
            case ShuntResistor:
                v[1] *= 1000;
                break;
            case ShuntCapacitor:
            case SeriesInductor:
            case TransmissionLine:
            case SeriesShortedStub:
            case ShuntOpenStub:
            case SeriesResistor:
                v[1] /= 1000;
                break;
            case SeriesOpenStub:
            case ShuntShortedStub:
                v[1] = 90;  // a quarter wave: open stub in series, shorted in shunt
                break;
            case ShuntLCPair:
                v[1] *= 1000;
                v[3] /= 1000;
                break;
            case SeriesLCPair:
                v[1] /= 1000;
                v[3] *= 1000;
                break;
            default:
                break;
        }
    }
}

void SetArcStep(SessionState& s, int stage, float t, const ValueTable& saved) {
    auto& v = s.Value[stage];
    const auto& sv = saved[stage];
    switch (s.ElementType[stage]) {
        case SeriesCapacitor:
        case ShuntInductor:
        case ShuntResistor:
            v[1] = sv[1] / t;
            break;
        case ShuntCapacitor:
        case SeriesInductor:
        case SeriesResistor:
        case TransmissionLine:
        case SeriesShortedStub:
        case ShuntOpenStub:
            v[1] = t * sv[1];
            break;
        case SeriesOpenStub:
        case ShuntShortedStub:
            v[1] = 90 + (sv[1] - 90) * t;
            break;
        case ShuntLCPair:
            v[1] = sv[1] / t;
            v[3] = t * sv[3];
            break;
        case SeriesLCPair:
            v[1] = t * sv[1];
            v[3] = sv[3] / t;
            break;
        default:
            break;
    }
}

void DrawElementArcs(SessionState& s, Surface& surf, const ChartGeometry& g,
                     const ArcStyle& style) {
    if (s.ArcsSwitch == kArcsOff) return;
    const ValueTable saved = s.Value;
    SetNeutralValues(s);
    s.LoadPointIndex = ArcLoadRow(s);

    for (int st = kFirstStage; st <= kLastStage; ++st) {
        ArcPen pen;
        const bool walks = InRange(s.ElementType[st]);
        // A 32-bit t advanced by repeated addition gives exactly 1000 steps
        // ending at 0.99999, a hair short of the actual value.
        for (float t = 0.001f; t <= 1.0f; t += 0.001f) {
            if (walks) SetArcStep(s, st, t, saved);
            s.ArcColour = style.colours[st];
            PlotArcPoint(s, surf, g, style, pen);
        }
    }

    s.Value = saved;
    DrawStageColourKey(s, surf);
}

void DrawStageColourKey(const SessionState& s, Surface& surf) {
    if (s.ArcsSwitch != kArcsOn) return;
    for (int st = kFirstStage; st <= kLastStage; ++st) {
        if (s.ElementType[st] <= 0) continue;
        surf.SetColour(kStageColours[st]);
        surf.FillBox(s.PanelEdge[st - 1], 15, s.PanelEdge[st], 45);
    }
}

bool ToggleArcs(SessionState& s) {
    s.ArcsSwitch = static_cast<std::int16_t>(s.ArcsSwitch + 1 > kArcsOn ? kArcsOff : s.ArcsSwitch + 1);
    return s.ArcsSwitch == kArcsOn;
}

}  // namespace qv

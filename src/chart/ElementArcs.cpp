#include "chart/ElementArcs.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "calc/Ladder.h"
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

void PlotArcPoint(SessionState& s, Surface& surf, const ChartGeometry& g,
                  const ArcStyle& style, ArcPen& pen, double R, double X) {
    const PagePoint p = ToPage(g, s.SystemZ, R, X, &s.PointRho);
    surf.SetLineWidth(style.arcWidth);
    surf.SetColour(s.ArcColour);
    if (!p.valid) {
        pen.havePrev = false;
    } else if (pen.start || !pen.havePrev) {
        if (InPageBox(p.x, p.y)) {
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

// The values of t along an arc: a 32-bit t advanced by repeated addition
// gives exactly 1000 steps ending at 0.99999, a hair short of the actual
// value.
const std::array<float, kArcSteps>& ArcSteps() {
    static const std::array<float, kArcSteps> steps = [] {
        std::array<float, kArcSteps> t{};
        float v = 0.001f;
        for (int i = 0; i < kArcSteps && v <= 1.0f; ++i, v += 0.001f) t[i] = v;
        return t;
    }();
    return steps;
}

struct ArcSlots {
    double v1, v3;
};

// Slots 1 and 3 of a stage at step t of its walk, from its saved values
// `sv`; `now` holds what a slot keeps when the element does not walk it.
ArcSlots ArcStepSlots(int code, float t, const std::array<double, kValueSlots>& sv,
                      const std::array<double, kValueSlots>& now) {
    switch (code) {
        case SeriesCapacitor:
        case ShuntInductor:
        case ShuntResistor:
            return {sv[1] / t, now[3]};
        case ShuntCapacitor:
        case SeriesInductor:
        case SeriesResistor:
        case TransmissionLine:
        case SeriesShortedStub:
        case ShuntOpenStub:
            return {t * sv[1], now[3]};
        case SeriesOpenStub:
        case ShuntShortedStub:
            return {90 + (sv[1] - 90) * t, now[3]};
        case ShuntLCPair:
            return {sv[1] / t, t * sv[3]};
        case SeriesLCPair:
            return {t * sv[1], sv[3] / t};
        default:
            return {now[1], now[3]};
    }
}

// The input impedance at every step of stage `stage`'s arc, the stages
// before it at their last step and those after it neutral. Leaves the stage
// at its last step, and CurrentR, CurrentX, VelocityFactor (and in table mode
// TestFrequency) as Math leaves them at the last point.
void ArcImpedances(SessionState& s, int stage, const ValueTable& saved,
                   std::array<double, kArcSteps>& R, std::array<double, kArcSteps>& X) {
    const auto& steps = ArcSteps();
    const int code = s.ElementType[stage];
    const LadderStart start = StartOf(s, s.LoadPointIndex);
    if (!start.computes || !(start.f > 0)) {
        // Math computes nothing at all, or (a table row without frequency)
        // nothing after its first call: left to Math point by point.
        for (int i = 0; i < kArcSteps; ++i) {
            if (InRange(code)) SetArcStep(s, stage, steps[i], saved);
            Math(s, s.LoadPointIndex);
            R[i] = s.CurrentR;
            X[i] = s.CurrentX;
        }
        return;
    }
    std::array<double, kArcSteps> v1, v3;
    for (int i = 0; i < kArcSteps; ++i) {
        const ArcSlots a = ArcStepSlots(code, steps[i], saved[stage], s.Value[stage]);
        v1[i] = a.v1;
        v3[i] = a.v3;
    }
    WalkStage(s, stage, v1.data(), v3.data(), start.f, start.z, R.data(), X.data(), kArcSteps);
    if (InRange(code)) SetArcStep(s, stage, steps.back(), saved);
    s.TestFrequency = start.f;
    LeaveAsMath(s, {R.back(), X.back()}, true);
}

}  // namespace

std::int16_t ArcLoadRow(const SessionState& s) {
    if (s.LoadMode != LoadTable) return 1;
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
    const ArcSlots a = ArcStepSlots(s.ElementType[stage], t, saved[stage], s.Value[stage]);
    s.Value[stage][1] = a.v1;
    s.Value[stage][3] = a.v3;
}

void ComputeElementArcs(SessionState& s, ArcPoints& points) {
    const ValueTable saved = s.Value;
    SetNeutralValues(s);
    s.LoadPointIndex = ArcLoadRow(s);
    for (int st = kFirstStage; st <= kLastStage; ++st) ArcImpedances(s, st, saved, points.R[st], points.X[st]);
    s.Value = saved;
}

void DrawElementArcs(SessionState& s, Surface& surf, const ChartGeometry& g,
                     const ArcStyle& style) {
    if (s.ArcsSwitch == kArcsOff) return;
    const auto points = std::make_unique<ArcPoints>();
    ComputeElementArcs(s, *points);
    for (int st = kFirstStage; st <= kLastStage; ++st) {
        ArcPen pen;
        s.ArcColour = style.colours[st];
        for (int i = 0; i < kArcSteps; ++i)
            PlotArcPoint(s, surf, g, style, pen, points->R[st][i], points->X[st][i]);
    }
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

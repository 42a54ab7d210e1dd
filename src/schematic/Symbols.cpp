#include "schematic/Symbols.h"

#include <cmath>
#include <limits>

namespace qv {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRail = 1040;  // return rail below the signal rail, unscaled
// A lying cable's end is an ellipse 80 high with aspect 1.5; its centre
// conductor leaves from the rim, so that no gap shows at large scales.
constexpr double kEndHalfWidth = 80 / 1.5;

// Draws one symbol body in the Design page's units, relative to where the
// pen stood when the body began, scaled to the surface. Wire segments are
// not bodies: their length is a surface parameter of its own, so a symbol is
// wire segments around a body and the two are laid out one after the other.
class Body {
public:
    Body(const SessionState& s, Surface& g, const SymbolStyle& style)
        : g_(g), x_(s.PenX), y_(s.PenY), k_(style.scale) {}

    void Line(double ax, double ay, double bx, double by) {
        g_.Line(x_ + k_ * ax, y_ + k_ * ay, x_ + k_ * bx, y_ + k_ * by);
    }
    // A path through the given points.
    void Path(std::initializer_list<std::pair<double, double>> points) {
        const std::pair<double, double>* prev = nullptr;
        for (const auto& p : points) {
            if (prev) Line(prev->first, prev->second, p.first, p.second);
            prev = &p;
        }
    }
    void Arc(double cx, double cy, double r, double a0, double a1, double aspect = 1.0) {
        g_.Circle(x_ + k_ * cx, y_ + k_ * cy, k_ * r, a0, a1, aspect);
    }
    // Both rails between two offsets; for bodies that own the return rail.
    void ReturnRail(double from, double to) { Line(from, kRail, to, kRail); }

private:
    Surface& g_;
    double x_, y_, k_;
};

void Wires(SessionState& s, Surface& g, const SymbolStyle& style, int count) {
    for (int i = 0; i < count; ++i) DrawWireSegment(s, g, style);
}

void Advance(SessionState& s, const SymbolStyle& style, double bodyWidth) {
    s.PenX += style.scale * bodyWidth;
}

// Each element symbol is: wires before, a body of a given width, wires after.
struct Layout {
    int before;
    double body;
    int after;
};

Layout LayoutOf(int code) {
    switch (code) {
    case SeriesCapacitor: return {2, 360, 2};
    case ShuntCapacitor: return {3, 0, 3};
    case SeriesInductor: return {1, 900, 0};
    case ShuntInductor: return {3, 0, 3};
    case TransmissionLine: return {2, 800, 0};
    case SeriesShortedStub: return {0, 640, 1};
    case SeriesOpenStub: return {1, 640, 1};
    case ShuntShortedStub: return {1, 720, 1};
    case ShuntOpenStub: return {1, 720, 1};
    case ShuntLCPair: return {2, 0, 2};
    case SeriesLCPair: return {1, 640, 1};
    case SeriesResistor: return {0, 880, 0};
    case ShuntResistor: return {2, 0, 2};
    default: return {6, 0, 0};
    }
}

// Three half-turns of a coil lying along the signal rail, bulging upwards.
void CoilAlong(Body& b, double firstCentre, double y) {
    for (int i = 0; i < 3; ++i) b.Arc(firstCentre + 160 * i, y, 80, 0, kPi);
}
// Three half-turns of a coil standing between the rails, bulging right.
void CoilDown(Body& b, double x, double firstCentre) {
    for (int i = 0; i < 3; ++i) b.Arc(x, firstCentre + 160 * i, 80, 1.5 * kPi, 0.5 * kPi);
}
// Two plates of a capacitor lying across a vertical lead.
void PlatesAcross(Body& b, double x, double y1, double y2) {
    b.Line(x - 120, y1, x + 120, y1);
    b.Line(x - 120, y2, x + 120, y2);
}

void BodySeriesCapacitor(Body& b) {
    b.Line(0, 0, 160, 0);
    b.Line(160, -120, 160, 120);
    b.Line(224, -120, 224, 120);
    b.Line(224, 0, 360, 0);
    b.ReturnRail(0, 360);
}

void BranchShuntCapacitor(Body& b) {
    b.Line(0, 0, 0, 480);
    PlatesAcross(b, 0, 480, 540);
    b.Line(0, 540, 0, kRail);
}

void BodySeriesInductor(Body& b) {
    b.Line(0, 0, 160, 0);
    CoilAlong(b, 240, 0);
    b.Line(640, 0, 900, 0);
    b.ReturnRail(0, 900);
}

void BranchShuntInductor(Body& b) {
    b.Line(0, 0, 0, 280);
    CoilDown(b, 0, 360);
    b.Line(0, 760, 0, kRail);
}

// A coaxial cable along the signal rail: its near end seen face-on, its far
// end as a half ellipse, the shield tied to the return rail at both ends.
void BodyTransmissionLine(Body& b) {
    b.Arc(0, 0, 80, 0, 0, 1.5);
    b.Arc(320, 0, 80, 1.5 * kPi, 0.5 * kPi, 1.5);
    b.Line(0, -80, 320, -80);
    b.Line(0, 80, 320, 80);
    b.Line(0, 80, 0, kRail);
    b.Line(320, 80, 320, kRail);
    b.Line(320 + kEndHalfWidth, 0, 800, 0);
    b.ReturnRail(0, 800);
}

// A stub hanging from the signal rail in series: the rail enters the centre
// conductor, the shield carries on along the rail.
void BodySeriesStub(Body& b, bool shorted) {
    b.Path({{0, 0}, {320, 0}, {320, 160}});
    b.Arc(320, 160, 80, 0, 0, 0.6);
    b.Arc(320, 460, 80, kPi, 2 * kPi, 0.6);
    b.Line(240, 160, 240, 460);
    b.Line(400, 160, 400, 460);
    if (shorted)
        b.Path({{320, 510}, {320, 600}, {480, 600}, {480, 480}, {400, 480}});
    else
        b.Line(320, 510, 320, 640);
    b.Path({{400, 160}, {480, 160}, {480, 0}, {640, 0}});
    b.ReturnRail(0, 640);
}

// A stub between the rails: centre conductor from the signal rail, shield to
// the return rail, the far end shorted back to the shield or left open.
void BodyShuntStub(Body& b, bool shorted) {
    b.Line(0, 0, 720, 0);
    b.Path({{80, 0}, {80, 380}, {200, 380}});
    b.Arc(200, 380, 80, 0, 0, 1.5);
    b.Arc(520, 380, 80, 1.5 * kPi, 0.5 * kPi, 1.5);
    b.Line(200, 300, 520, 300);
    b.Line(200, 460, 520, 460);
    b.Path({{200, 460}, {200, 580}, {80, 580}, {80, kRail}});
    if (shorted)
        b.Path({{520 + kEndHalfWidth, 380}, {640, 380}, {640, 580}, {520, 580}, {520, 460}});
    else
        b.Line(520 + kEndHalfWidth, 380, 680, 380);
    b.ReturnRail(0, 720);
}

// Inductor and capacitor in series in one branch between the rails.
void BranchShuntLCPair(Body& b) {
    b.Line(0, 0, 0, 160);
    CoilDown(b, 0, 240);
    b.Line(0, 640, 0, 800);
    PlatesAcross(b, 0, 800, 864);
    b.Line(0, 864, 0, kRail);
}

// Inductor along the rail with a capacitor looped round below it, in parallel.
void BodySeriesLCPair(Body& b) {
    b.Line(0, 0, 80, 0);
    CoilAlong(b, 160, 0);
    b.Line(560, 0, 640, 0);
    b.Path({{80, 0}, {80, 240}, {304, 240}});
    b.Line(304, 120, 304, 360);
    b.Line(360, 120, 360, 360);
    b.Path({{360, 240}, {560, 240}, {560, 0}});
    b.ReturnRail(0, 640);
}

void BodySeriesResistor(Body& b) {
    b.Path({{0, 0},
            {260, 0},
            {290, -60},
            {350, 60},
            {410, -60},
            {470, 60},
            {530, -60},
            {590, 60},
            {620, 0},
            {880, 0}});
    b.ReturnRail(0, 880);
}

}  // namespace

SymbolStyle DesignPageStyle() { return SymbolStyle{}; }

SymbolStyle NetworkPanelStyle() {
    SymbolStyle st;
    st.penStartX = 400;
    st.penStartY = 180;
    st.wire = 300 * 0.9;
    st.scale = 0.9;
    st.colourRule = SymbolColourRule::MarkPicked;
    st.firstTextRow = 1000;
    st.wireCaption = false;
    st.loadTextInset = 600;
    st.loadWireSegments = 2;
    st.edgeMargin = 0;
    return st;
}

SymbolStyle PrintedPageStyle(double printScale) {
    SymbolStyle st;
    st.penStartX = 1500;
    st.penStartY = 1000;
    st.wire = 300 * printScale;
    st.scale = printScale;
    st.colourRule = SymbolColourRule::Black;
    st.firstTextRow = 1400;
    st.wireCaption = false;
    st.loadCaption = false;
    st.loadTextInset = 800;
    st.loadComplexInset = 1600;
    st.loadCharWidth = 0;
    st.edgeMargin = 0;
    return st;
}

SymbolStyle OpeningPageStyle() {
    SymbolStyle st;
    st.wire = 100;
    st.colourRule = SymbolColourRule::AsSet;
    st.wireCaption = false;
    st.loadCaption = false;
    st.edgeMargin = 0;
    return st;
}

double SymbolWidth(int code, const SymbolStyle& style) {
    const Layout l = LayoutOf(code);
    return (l.before + l.after) * style.wire + l.body * style.scale;
}

void DrawWireSegment(SessionState& s, Surface& g, const SymbolStyle& style) {
    g.SetColour(s.SymbolColour);
    const double x = s.PenX, y = s.PenY;
    g.Line(x, y, x + style.wire, y);
    g.Line(x, y + style.scale * kRail, x + style.wire, y + style.scale * kRail);
    s.PenX += style.wire;
}

void DrawStageBoundary(SessionState& s, Surface& g, const SymbolStyle& style) {
    DrawWireSegment(s, g, style);
    g.SetColour(kStageBoundaryColour);
    g.Line(s.PenX, s.PenY - 400 * style.scale, s.PenX, s.PenY + 1440 * style.scale);
    DrawWireSegment(s, g, style);
}

void DrawVerticalResistor(SessionState& s, Surface& g, const SymbolStyle& style) {
    g.SetColour(s.SymbolColour);
    Body b(s, g, style);
    b.Path({{0, 0},
            {0, 320},
            {60, 350},
            {-60, 410},
            {60, 470},
            {-60, 530},
            {60, 590},
            {-60, 650},
            {0, 680},
            {0, kRail}});
}

void DrawElementSymbol(SessionState& s, Surface& g, const SymbolStyle& style, int code) {
    const Layout l = LayoutOf(code);
    Wires(s, g, style, l.before);
    g.SetColour(s.SymbolColour);
    Body b(s, g, style);
    switch (code) {
    case SeriesCapacitor: BodySeriesCapacitor(b); break;
    case ShuntCapacitor: BranchShuntCapacitor(b); break;
    case SeriesInductor: BodySeriesInductor(b); break;
    case ShuntInductor: BranchShuntInductor(b); break;
    case TransmissionLine: BodyTransmissionLine(b); break;
    case SeriesShortedStub: BodySeriesStub(b, true); break;
    case SeriesOpenStub: BodySeriesStub(b, false); break;
    case ShuntShortedStub: BodyShuntStub(b, true); break;
    case ShuntOpenStub: BodyShuntStub(b, false); break;
    case ShuntLCPair: BranchShuntLCPair(b); break;
    case SeriesLCPair: BodySeriesLCPair(b); break;
    case SeriesResistor: BodySeriesResistor(b); break;
    case ShuntResistor: DrawVerticalResistor(s, g, style); break;
    default: break;  // the empty stage is wire only
    }
    Advance(s, style, l.body);
    Wires(s, g, style, l.after);
}

void DrawLoadSymbol(SessionState& s, Surface& g, const SymbolStyle& style, double reactance) {
    DrawVerticalResistor(s, g, style);
    if (reactance > 0)
        DrawElementSymbol(s, g, style, SeriesInductor);
    else if (reactance < 0)
        DrawElementSymbol(s, g, style, SeriesCapacitor);
    else
        Wires(s, g, style, style.loadWireSegments);
}

void DrawGenerator(SessionState& s, Surface& g, const SymbolStyle& style) {
    g.SetColour(kBlack);
    Body b(s, g, style);
    // Source resistance, then the source itself between the rails.
    b.Path({{0, 0},
            {120, 0},
            {150, -60},
            {210, 60},
            {270, -60},
            {330, 60},
            {390, -60},
            {450, 60},
            {480, 0},
            {680, 0},
            {680, 290}});
    b.Arc(680, 480, 190, 0, 0);
    b.Arc(620, 480, 60, 0, kPi);
    b.Arc(740, 480, 60, kPi, 2 * kPi);
    b.Line(680, 670, 680, kRail);
    b.ReturnRail(0, 680);
    g.SetColour(s.SymbolColour);
}

std::int16_t EdgeFromPen(double x) {
    if (std::isnan(x)) return 0;
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    if (x <= lo) return std::numeric_limits<std::int16_t>::min();
    if (x >= hi) return std::numeric_limits<std::int16_t>::max();
    double r = std::round(x);  // halves away from zero ...
    if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0)
        r -= std::copysign(1.0, x);  // ... but a tie goes to the even neighbour
    return static_cast<std::int16_t>(r);
}

}  // namespace qv

#include "schematic/Schematic.h"

#include <cmath>

#include "numbers/Format.h"

namespace qv {
namespace {

double V(const SessionState& s, int stage, int slot) { return s.Value[stage][slot]; }

std::string Length(double degrees) { return FormatResistance(degrees) + " deg"; }
std::string Ohms(double z) { return FormatResistance(z) + " ohms"; }
std::string Quality(double q) { return "Q: " + FormatResistance(q); }

bool IsElement(int code) { return code >= SeriesCapacitor && code <= ShuntResistor; }

// Stage 0 is the load, which has no validity of its own to show.
void SetStageColour(SessionState& s, const SymbolStyle& style, int stage) {
    switch (style.colourRule) {
    case SymbolColourRule::MarkInvalid:
        s.SymbolColour =
            stage == 0 || StageValuesValid(s, stage) ? kBlack : kInvalidSymbolColour;
        break;
    case SymbolColourRule::MarkPicked:
        s.SymbolColour = stage == s.TuneStage ? 2 : kBlack;
        break;
    case SymbolColourRule::Black: s.SymbolColour = kBlack; break;
    case SymbolColourRule::AsSet: break;
    }
}

}  // namespace

std::vector<std::string> StageValueTexts(const SessionState& s, int stage,
                                         const SymbolStyle& style) {
    const int code = s.ElementType[stage];
    const double v1 = V(s, stage, 1), v2 = V(s, stage, 2), v3 = V(s, stage, 3),
                 v4 = V(s, stage, 4);
    switch (code) {
    case SeriesCapacitor:
    case ShuntCapacitor:
        if (v1 > 0 && v2 > 0) return {FormatCapacitance(v1), Quality(v2)};
        return {};
    case SeriesInductor:
    case ShuntInductor:
        if (v1 > 0 && v2 > 0) return {FormatInductance(v1), Quality(v2)};
        return {};
    case TransmissionLine:
        // A line's length is quoted at the frequency being analysed.
        if (v1 > 0 && v2 > 0 && v3 > 0)
            return {Length(v1), "@ " + FormatGeneral(s.TestFrequency), Ohms(v3)};
        return {};
    case SeriesShortedStub:
    case SeriesOpenStub:
    case ShuntShortedStub:
    case ShuntOpenStub:
        if (v1 > 0 && v2 > 0 && v3 > 0)
            return {Length(v1), "@ " + FormatGeneral(v2), Ohms(v3)};
        return {};
    case ShuntLCPair:
    case SeriesLCPair:
        if (v1 > 0 && v3 > 0)
            return {FormatInductance(v1), Quality(v2), FormatCapacitance(v3), Quality(v4)};
        return {};
    case SeriesResistor:
    case ShuntResistor:
        if (v1 > 0) return {FormatResistance(v1)};
        return {};
    default:
        if (style.wireCaption) return {"(Wire)"};
        return {};
    }
}

void DrawLoad(SessionState& s, Surface& g, const SymbolStyle& style) {
    const double r = V(s, 0, 1), x = V(s, 0, 2);
    DrawLoadSymbol(s, g, style, x);
    const std::string rt = FormatResistance(r);
    const double y = s.PenY + style.firstTextRow;
    if (x > 0 || x < 0) {
        const std::string xt = FormatResistance(std::fabs(x));
        const double chars = static_cast<double>(rt.size() + xt.size());
        g.Text(s.PenX - style.loadComplexInset - style.loadCharWidth * chars, y,
               rt + (x > 0 ? " +j" : " -j") + xt);
    } else {
        g.Text(s.PenX - style.loadTextInset, y, rt);
    }
}

void DrawLadder(SessionState& s, Surface& g, const SymbolStyle& style, StageEdges& edges) {
    s.PenX = style.penStartX;
    s.PenY = style.penStartY;
    g.SetTextColour(kBlack);
    const Colour asSet = s.SymbolColour;
    const auto restore = [&] {
        s.SymbolColour = style.colourRule == SymbolColourRule::AsSet ? asSet : kBlack;
    };
    SetStageColour(s, style, 0);

    DrawLoad(s, g, style);
    if (style.loadCaption)
        g.Text(s.PenX - 700, s.PenY + style.firstTextRow + style.textRowStep, "LOAD");
    edges[0] = EdgeFromPen(s.PenX + style.edgeMargin);
    restore();

    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        DrawStageBoundary(s, g, style);
        const auto texts = StageValueTexts(s, stage, style);
        for (std::size_t row = 0; row < texts.size(); ++row)
            g.Text(s.PenX, s.PenY + style.firstTextRow + style.textRowStep * row, texts[row]);
        SetStageColour(s, style, stage);
        const int code = s.ElementType[stage];
        DrawElementSymbol(s, g, style, IsElement(code) ? code : EmptyStage);
        restore();
        edges[stage] = EdgeFromPen(s.PenX + style.edgeMargin);
    }

    DrawStageBoundary(s, g, style);
    DrawGenerator(s, g, style);
    g.Text(s.PenX + 250, s.PenY + style.firstTextRow, FormatImpedance(s.SystemZ));
    g.Text(s.PenX + 250, s.PenY + style.firstTextRow + style.textRowStep, "GEN");
}

void RedrawSchematic(SessionState& s, Surface& g, StageEdges& stageRightEdge) {
    g.Clear();
    DrawLadder(s, g, DesignPageStyle(), stageRightEdge);
}

}  // namespace qv

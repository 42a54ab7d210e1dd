#include "schematic/NetworkPanel.h"

#include <cmath>

#include "numbers/Format.h"
#include "schematic/Schematic.h"
#include "schematic/Symbols.h"

namespace qv {
namespace {

// The part being tuned is drawn in this colour; it reads as black, and
// asks for the green frame.
constexpr Colour kPickedColour = 2;

bool IsElement(int code) { return code >= SeriesCapacitor && code <= ShuntResistor; }

// A reactance carries its own sign, a positive one a "+" (a part with a
// negative value from a file must not read "+-6.4998").
void AddReactance(std::vector<std::string>& rows, double x) {
    if (!std::isfinite(x)) return;
    rows.push_back((x > 0 ? "+" : "") + FormatResistance(x));
}

}  // namespace

Colour StageArcColour(int stage) {
    switch (stage) {
    case 1: return 0xFF1111;
    case 2: return 0x1111DD;
    case 3: return 0xBBBB11;
    case 4: return 0x1199EE;
    case 5: return 0x11BB11;
    default: return kBlack;
    }
}

FontSpec PanelFont(double screenHeightTwips, const std::string& name) {
    FontSpec f;
    f.name = name;
    f.sizePt = 0.0008 * screenHeightTwips;
    return f;
}

std::vector<std::string> PanelValueTexts(const SessionState& s, int stage) {
    const double w = 2 * (4 * std::atan(1.0)) * s.TestFrequency;
    const double v1 = s.Value[stage][1], v2 = s.Value[stage][2], v3 = s.Value[stage][3];
    std::vector<std::string> rows;
    switch (s.ElementType[stage]) {
    case SeriesCapacitor:
    case ShuntCapacitor:
        rows.push_back(FormatCapacitance(v1));
        AddReactance(rows, -1 / (w * v1));
        break;
    case SeriesInductor:
    case ShuntInductor:
        rows.push_back(FormatInductance(v1));
        AddReactance(rows, w * v1);
        break;
    case TransmissionLine:
        rows = {FormatResistance(v1) + " deg", "@ " + FormatGeneral(s.TestFrequency),
                FormatResistance(v3) + " ohms"};
        break;
    case SeriesShortedStub:
    case SeriesOpenStub:
    case ShuntShortedStub:
    case ShuntOpenStub:
        rows = {FormatResistance(v1) + " deg", "@ " + FormatGeneral(v2),
                FormatResistance(v3) + " ohms"};
        break;
    case ShuntLCPair:
        rows = {FormatInductance(v1), FormatCapacitance(v3)};
        AddReactance(rows, w * v1 - 1 / (w * v3));
        break;
    case SeriesLCPair:
        rows = {FormatInductance(v1), FormatCapacitance(v3)};
        AddReactance(rows, 1 / (1 / (w * v1) - w * v3));
        break;
    case SeriesResistor:
    case ShuntResistor: rows.push_back(FormatResistance(v1)); break;
    default: break;
    }
    return rows;
}

void DrawNetworkPanel(SessionState& s, Surface& g, const FontSpec& font) {
    if (!(s.TestFrequency > 0)) return;
    const SymbolStyle style = NetworkPanelStyle();

    // The previous drawing's right edge bounds what there is to wipe.
    g.SetColour(kWhite);
    g.FillBox(1, 1, s.PanelEdge[5] + 30, kPanelBottom);
    g.SetFont(font);
    g.SetTextColour(kBlack);
    s.PenX = style.penStartX;
    s.PenY = style.penStartY;
    const double y = s.PenY;
    const double height = 1040 * style.scale;

    // The load is never framed: its tuning rows already say it is picked.
    s.SymbolColour = s.TuneStage == 0 ? kPickedColour : kBlack;
    DrawLoad(s, g, style);
    s.PanelEdge[0] = EdgeFromPen(s.PenX);
    g.Text(s.PanelEdge[0] - 700, 1400, "LOAD");
    s.SymbolColour = kBlack;

    for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
        const bool picked = stage == s.TuneStage;
        if (picked) s.SymbolColour = kPickedColour;
        g.SetColour(kPanelSeparatorColour);
        g.Line(s.PenX, y - 400, s.PenX, y + 1440);

        const int code = s.ElementType[stage];
        if (IsElement(code)) {
            const auto rows = PanelValueTexts(s, stage);
            for (std::size_t row = 0; row < rows.size(); ++row)
                g.Text(s.PenX, y + style.firstTextRow + style.textRowStep * row, rows[row]);
            const double left = s.PenX;
            DrawElementSymbol(s, g, style, code);
            if (picked) {
                // A series capacitor has nothing low down to clear, so its
                // frame sits a little tighter.
                const double bottom = y + height + (code == SeriesCapacitor ? 30 : 45);
                g.SetColour(kPanelFrameColour);
                g.Box(left + 30, y - 165, s.PenX - 30, bottom);
            }
        }
        s.SymbolColour = kBlack;
        s.PanelEdge[stage] = EdgeFromPen(s.PenX);
    }

    DrawGenerator(s, g, style);
    g.Text(s.PenX + 250, y + style.firstTextRow, FormatImpedance(s.SystemZ));
    g.Text(s.PenX + 250, y + style.firstTextRow + style.textRowStep, "GEN");

    if (s.ArcsSwitch == 2) {
        for (int stage = kFirstStage; stage <= kLastStage; ++stage) {
            if (!IsElement(s.ElementType[stage])) continue;
            g.SetColour(StageArcColour(stage));
            g.FillBox(s.PanelEdge[stage - 1], 15, s.PanelEdge[stage], 45);
        }
    }
}

}  // namespace qv

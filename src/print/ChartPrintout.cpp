#include "print/ChartPrintout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "calc/Math.h"
#include "chart/ChartGrids.h"
#include "chart/ElementArcs.h"
#include "chart/Overlays.h"
#include "chart/SweepTrace.h"
#include "chart/RedrawChart.h"
#include "numbers/Format.h"
#include "schematic/Schematic.h"
#include "schematic/Symbols.h"

namespace qv {
namespace {

constexpr Colour kRed = Rgb(255, 17, 17);
constexpr Colour kPink = Rgb(255, 204, 204);
constexpr Colour kGreen = Rgb(17, 136, 17);
constexpr Colour kPaleGreen = Rgb(153, 255, 153);

constexpr double kLeft = 1500;  // left edge of every text column on the sheet
// The ladder's lines end here at the latest, leaving room for the
// generator's texts to its right.
constexpr double kLadderRightLimit = 10600;

// The printed chart's own box: the chart at zoom 1 with its labels, below
// the frequency line and above the date. A zoomed chart is cut to it, and
// the labels at its bottom-left corner are printed on white over it.
constexpr double kChartBoxHalf = kRadiusPerZoom + 400;
constexpr double kChartBoxBottom = 11290;

struct SheetLabel {
    double top;
    std::string text;
};

// Where the ladder's drawing ends on the right at a print scale.
double LadderRight(SessionState& s, double scale) {
    RecordingSurface scratch;
    StageEdges edges{};
    DrawLadder(s, scratch, PrintedPageStyle(scale), edges);
    double right = 0;
    for (const DrawOp& op : scratch.Ops())
        if (op.kind == DrawOp::Line) right = std::max({right, op.x1, op.x2});
    return right;
}

// At the print scale a ladder of five stages is wider than the sheet and
// its right end, the generator, would be lost off the paper. Such a ladder
// is drawn smaller, just wide enough to end within the sheet.
float FittingPrintScale(SessionState& s) {
    const double start = PrintedPageStyle(kPrintScale).penStartX;
    const double room = kLadderRightLimit - start;
    const double width = LadderRight(s, kPrintScale) - start;
    if (!(width > room)) return kPrintScale;
    return static_cast<float>(kPrintScale * room / width);
}

void DrawSchematic(SessionState& s, Surface& surf) {
    s.PrintScale = FittingPrintScale(s);
    s.SymbolColour = kBlack;
    surf.SetLineWidth(8);
    surf.SetFont(FontSpec{"Arial", 8, false});
    StageEdges edges{};
    DrawLadder(s, surf, PrintedPageStyle(s.PrintScale), edges);

    if (s.ArcsSwitch == kArcsOn) {
        for (int st = kFirstStage; st <= kLastStage; ++st) {
            if (s.ElementType[st] <= 0) continue;
            surf.SetColour(kPrintedStageColours[st]);
            surf.FillBox(edges[st - 1], 780, edges[st], 750);
        }
    }

    surf.SetLineWidth(1);
    surf.Text(kLeft, 3000, "Frequency: " + FormatGeneral(s.TestFrequency));
    surf.SetFont(FontSpec{"Arial", 10, false});
}

void DrawGrids(SessionState& s, Surface& surf, const ChartGeometry& g, const PrintedGridPlan& plan) {
    for (int i = 0; i < plan.count; ++i) {
        const PrintedGrid& grid = plan.grids[i];
        if (grid.admittance) {
            s.AdmittanceGridColour = grid.colour;
            DrawAdmittanceGrid(s, surf, g, grid.width);
        } else {
            s.ImpedanceGridColour = grid.colour;
            DrawImpedanceGrid(s, surf, g, grid.width);
        }
    }
    surf.SetLineWidth(1);
}

void DrawFrame(const SessionState& s, Surface& surf, const ChartGeometry& g, Colour colour) {
    const double cx = g.centerX, cy = g.centerY, r = g.radius;
    surf.SetColour(colour);
    surf.SetLineWidth(2);
    surf.Line(PageCoord(cx - r), PageCoord(cy), PageCoord(cx + r), PageCoord(cy));
    surf.SetLineWidth(8);
    for (int deg = 0; deg <= 360; deg += 3) {
        const double a = deg * s.Pi / 180;
        const double x = PageCoord(cx + r * std::cos(a)), y = PageCoord(cy + r * std::sin(a));
        if (deg == 0)
            surf.Line(x, y, x, y);
        else
            surf.LineTo(x, y);
    }
    surf.SetLineWidth(1);
}

void DrawInputPoint(SessionState& s, Surface& surf, const ChartGeometry& g) {
    s.LoadPointIndex = ArcLoadRow(s);
    const Impedance z = Math(s, s.LoadPointIndex);
    const PagePoint p = ToPage(g, s.SystemZ, z.R, z.X);
    if (!p.valid) return;
    // A one-unit dot would vanish on paper; it is as wide as the arcs.
    surf.SetColour(kBlack);
    surf.SetLineWidth(8);
    surf.Line(PageCoord(p.x), PageCoord(p.y), PageCoord(p.x), PageCoord(p.y));
    surf.SetLineWidth(1);
}

// All boxes first, then all texts: a label's box never covers the
// descenders of the label above it.
void DrawLabels(Surface& surf, const std::vector<SheetLabel>& labels) {
    surf.SetColour(kWhite);
    for (const SheetLabel& l : labels)
        surf.FillBox(kLeft, l.top, std::max(3000.0, kLeft + surf.TextWidth(l.text)), l.top + 200);
    surf.SetTextColour(kBlack);
    for (const SheetLabel& l : labels) surf.Text(kLeft, l.top, l.text);
}

// The screen's overlays drawn onto the sheet: their value labels, which on
// the screen sit at the chart's bottom-left corner, are left out (the sheet
// prints its own at fixed places), and the line width can be held at the
// width the paper wants whatever the overlay asks for.
class PaperOverlay : public Surface {
public:
    PaperOverlay(Surface& sheet, const ChartGeometry& g, double fixedWidth = 0)
        : sheet_(sheet), labelLeft_(PageCoord(g.centerX - g.radius)), fixedWidth_(fixedWidth) {
        for (double rise : {kStartLabelRise, kFinishLabelRise, kQLabelRise, kVswrLabelRise})
            labelTops_.push_back(PageCoord(g.centerY + g.radius - rise));
        if (fixedWidth_ > 0) sheet_.SetLineWidth(fixedWidth_);
    }

    void Clear() override {}
    void Line(double x1, double y1, double x2, double y2) override { sheet_.Line(x1, y1, x2, y2); }
    void LineTo(double x, double y) override { sheet_.LineTo(x, y); }
    void Box(double x1, double y1, double x2, double y2) override { sheet_.Box(x1, y1, x2, y2); }
    void Clip(double x1, double y1, double x2, double y2) override { sheet_.Clip(x1, y1, x2, y2); }
    void Unclip() override { sheet_.Unclip(); }
    void FillBox(double x1, double y1, double x2, double y2) override {
        if (!IsLabel(x1, y1)) sheet_.FillBox(x1, y1, x2, y2);
    }
    void Circle(double cx, double cy, double r, double a0, double a1, double aspect) override {
        sheet_.Circle(cx, cy, r, a0, a1, aspect);
    }
    void SetLineWidth(double width) override {
        sheet_.SetLineWidth(fixedWidth_ > 0 ? fixedWidth_ : width);
    }
    void SetColour(Colour c) override { sheet_.SetColour(c); }
    void SetTextColour(Colour c) override { sheet_.SetTextColour(c); }
    void SetFont(const FontSpec& font) override { sheet_.SetFont(font); }
    const FontSpec& Font() const override { return sheet_.Font(); }
    void Text(double x, double y, const std::string& text) override {
        if (!IsLabel(x, y)) sheet_.Text(x, y, text);
    }
    double TextWidth(const std::string& text) const override { return sheet_.TextWidth(text); }
    double TextHeight() const override { return sheet_.TextHeight(); }

private:
    bool IsLabel(double x, double y) const {
        return x == labelLeft_ && std::find(labelTops_.begin(), labelTops_.end(), y) != labelTops_.end();
    }

    Surface& sheet_;
    double labelLeft_;
    std::vector<double> labelTops_;
    double fixedWidth_;
};

// Draws the overlays and returns their labels for the column beside the
// chart.
std::vector<SheetLabel> DrawOverlays(SessionState& s, Surface& surf, const ChartGeometry& g) {
    if (s.ArcsSwitch == kArcsOn) {
        ArcStyle style;
        style.arcWidth = 8;
        style.restWidth = 1;
        for (int st = 0; st < 6; ++st) style.colours[st] = kPrintedStageColours[st];
        // The arcs' own colour key belongs to the screen's network panel;
        // with the switch at 0 the arcs are drawn without it. The printed
        // key sits under the printed schematic instead.
        s.ArcsSwitch = 0;
        DrawElementArcs(s, surf, g, style);
        s.ArcsSwitch = kArcsOn;
        surf.SetLineWidth(1);
    }
    std::vector<SheetLabel> labels;
    if (s.QArcsOn == 1) {
        PaperOverlay paper(surf, g, 6);
        DrawQArcs(s, paper, g);
        surf.SetLineWidth(1);
        labels.push_back({10400, "Q=" + ShortestText(s.QCircleValue)});
    }
    if (s.VswrCircleOn == 1) {
        PaperOverlay paper(surf, g, 6);
        DrawVswrCircle(s, paper, g);
        surf.SetLineWidth(1);
        labels.push_back({10600, "VSWR=" + ShortestText(s.VswrCircleValue)});
    }
    if (s.SweepOn > 0) {
        PaperOverlay paper(surf, g);
        const SweepDrawn sweep = DrawSweep(s, paper, g);
        surf.SetLineWidth(1);
        if (sweep.points > 0) {
            labels.push_back({10000, "'S'=" + FormatGeneral(s.SweepFreq[0]) + "Hz"});
            labels.push_back({10200, "'F'=" + FormatGeneral(s.SweepFreq[sweep.points - 1]) + "Hz"});
        }
    }
    return labels;
}

}  // namespace

PrintedGridPlan PrintedGridsFor(int gridType) {
    PrintedGridPlan plan;
    const auto add = [&plan](bool admittance, Colour colour, double width) {
        plan.grids[plan.count++] = PrintedGrid{admittance, colour, width};
    };
    switch (gridType) {
        case 1:
            add(false, kRed, 3);
            plan.frameColour = kRed;
            break;
        case 2:
            add(true, kPaleGreen, 1);
            add(false, kRed, 3);
            plan.frameColour = kBlack;
            break;
        case 3:
            add(true, kGreen, 3);
            add(false, kRed, 3);
            plan.frameColour = kBlack;
            break;
        case 4:
            add(false, kPink, 1);
            add(true, kGreen, 3);
            plan.frameColour = kBlack;
            break;
        case 5:
            add(true, kGreen, 3);
            plan.frameColour = kGreen;
            break;
        default:  // 6, and anything the screen also draws as 6
            plan.frameColour = kRed;
            break;
    }
    return plan;
}

ChartGeometry PrintedGeometry(const SessionState& s) {
    // Before the Analysis page has opened there is no radius yet; the zoom
    // gives the one it would have.
    double radius = s.ChartRadius;
    if (!(radius > 0)) radius = kRadiusPerZoom * (s.ChartZoom > 1 ? s.ChartZoom : 1.0);
    return ChartGeometry{kPrintCenterX, kPrintCenterY, radius};
}

SheetLayout ChartSheetLayout() {
    SheetLayout layout;
    layout.mapping = SheetLayout::FitToPaper;
    layout.width = kChartSheetWidth;
    layout.height = kChartSheetHeight;
    return layout;
}

void DrawChartSheet(SessionState& s, PrintSurface& surf, const std::string& dateTime) {
    surf.SetTextColour(kBlack);
    surf.SetFont(FontSpec{"Arial", 10, false});
    s.PrintCenterX = static_cast<float>(kPrintCenterX);
    s.PrintCenterY = static_cast<float>(kPrintCenterY);
    const ChartGeometry g = PrintedGeometry(s);

    DrawSchematic(s, surf);
    surf.Clip(kPrintCenterX - kChartBoxHalf, kPrintCenterY - kChartBoxHalf,
              kPrintCenterX + kChartBoxHalf, kChartBoxBottom);
    const PrintedGridPlan plan = PrintedGridsFor(s.GridType);
    DrawGrids(s, surf, g, plan);
    DrawFrame(s, surf, g, plan.frameColour);
    DrawInputPoint(s, surf, g);
    std::vector<SheetLabel> labels = DrawOverlays(s, surf, g);
    surf.Unclip();
    labels.push_back({10800, ChartCaption(s.SystemZ)});
    DrawLabels(surf, labels);

    surf.SetTextColour(kBlack);
    surf.SetFont(FontSpec{"Arial", 6, false});
    surf.Text(kLeft, 11300, dateTime);
    surf.Text(kLeft, 11500, FooterProgramLine(s.VersionText));
    surf.EndDoc();
}

void PrintChartAndNetwork(SessionState& s, PrintHost& host) {
    if (!host.ChoosePrinter("Print chart and network")) return;
    SheetRecording document(ChartSheetLayout().unitsPerPoint);
    DrawChartSheet(s, document, host.DateTimeText());
    if (const std::string problem = host.Send(document, ChartSheetLayout()); !problem.empty()) {
        host.Beep();
        host.ShowMessage({}, ChartPrintErrorText(problem));
    }
}

std::string ChartPrintErrorText(const std::string& problem) {
    return std::string(kChartPrintError) + "\n\n" + problem;
}

}  // namespace qv

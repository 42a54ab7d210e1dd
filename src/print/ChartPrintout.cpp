#include "print/ChartPrintout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "calc/Math.h"
#include "chart/ChartGrids.h"
#include "chart/ElementArcs.h"
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
    Math(s, s.LoadPointIndex);
    const PagePoint p = ToPage(g, s.SystemZ, s.CurrentR, s.CurrentX);
    if (!p.valid) return;
    // A one-unit dot would vanish on paper; it is as wide as the arcs.
    surf.SetColour(kBlack);
    surf.SetLineWidth(8);
    surf.Line(PageCoord(p.x), PageCoord(p.y), PageCoord(p.x), PageCoord(p.y));
    surf.SetLineWidth(1);
}

void LabelInWhiteBox(Surface& surf, double top, const std::string& text) {
    surf.SetColour(kWhite);
    surf.FillBox(kLeft, top, 3000, top + 200);
    surf.SetTextColour(kBlack);
    surf.Text(kLeft, top, text);
}

void DrawOverlays(SessionState& s, Surface& surf, const ChartGeometry& g,
                  const PrintedOverlays& overlays) {
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
    if (s.QArcsOn == 1) {
        surf.SetLineWidth(6);
        if (overlays.qArcs) overlays.qArcs(s, surf, g);
        surf.SetLineWidth(1);
        LabelInWhiteBox(surf, 10400, "Q=" + OverlayValueText(s.QCircleValue));
    }
    if (s.VswrCircleOn == 1) {
        surf.SetLineWidth(6);
        if (overlays.vswrCircle) overlays.vswrCircle(s, surf, g);
        surf.SetLineWidth(1);
        LabelInWhiteBox(surf, 10600, "VSWR=" + OverlayValueText(s.VswrCircleValue));
    }
    if (s.SweepOn > 0) {
        if (overlays.sweepTrace) overlays.sweepTrace(s, surf, g);
        surf.SetLineWidth(1);
        const int n = std::min<int>(s.SweepPoints, kSweepCapacity);
        if (n > 0) {
            surf.SetTextColour(kBlack);
            surf.Text(kLeft, 10000, "'S'=" + FormatGeneral(s.SweepFreq[0]) + "Hz");
            surf.Text(kLeft, 10200, "'F'=" + FormatGeneral(s.SweepFreq[n - 1]) + "Hz");
        }
    }
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

std::string OverlayValueText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

SheetLayout ChartSheetLayout() {
    SheetLayout layout;
    layout.mapping = SheetLayout::FitToPaper;
    layout.width = kChartSheetWidth;
    layout.height = kChartSheetHeight;
    return layout;
}

void DrawChartSheet(SessionState& s, PrintSurface& surf, const std::string& dateTime,
                    const PrintedOverlays& overlays) {
    surf.SetTextColour(kBlack);
    surf.SetFont(FontSpec{"Arial", 10, false});
    s.PrintCenterX = static_cast<float>(kPrintCenterX);
    s.PrintCenterY = static_cast<float>(kPrintCenterY);
    const ChartGeometry g = PrintedGeometry(s);

    DrawSchematic(s, surf);
    const PrintedGridPlan plan = PrintedGridsFor(s.GridType);
    DrawGrids(s, surf, g, plan);
    DrawFrame(s, surf, g, plan.frameColour);
    DrawInputPoint(s, surf, g);
    surf.SetTextColour(kBlack);
    surf.Text(kLeft, 10800, ChartCaption(s.SystemZ));
    DrawOverlays(s, surf, g, overlays);

    surf.SetTextColour(kBlack);
    surf.SetFont(FontSpec{"Arial", 6, false});
    surf.Text(kLeft, 11300, dateTime);
    surf.Text(kLeft, 11500, FooterProgramLine(s.VersionText));
    surf.EndDoc();
}

void PrintChartAndNetwork(SessionState& s, PrintHost& host, const PrintedOverlays& overlays) {
    if (!host.ChoosePrinter("Print chart and network")) return;
    SheetRecording document(ChartSheetLayout().unitsPerPoint);
    DrawChartSheet(s, document, host.DateTimeText(), overlays);
    if (!host.Send(document, ChartSheetLayout()).empty()) {
        host.Beep();
        host.ShowMessage({}, kChartPrintError);
    }
}

}  // namespace qv

// The chart and network printout: one sheet with the network schematic and
// its values across the top, the test frequency, the chart with the grids of
// the current grid type, the network's input point, the arcs and overlays
// that are switched on, and a footer.
#pragma once

#include <array>
#include <string>

#include "chart/ChartGeometry.h"
#include "drawing/PrintSurface.h"
#include "print/PrintHost.h"
#include "session/SessionState.h"

namespace qv {

// The sheet's logical size; it is fitted to whatever paper is chosen.
inline constexpr double kChartSheetWidth = 11500;
inline constexpr double kChartSheetHeight = 15200;
inline constexpr double kPrintCenterX = 6000;
inline constexpr double kPrintCenterY = 7500;
inline constexpr float kPrintScale = 1.2f;

// Stage colours on paper (index 0 unused), for the arcs and the colour key.
inline constexpr std::array<Colour, 6> kPrintedStageColours = {
    kBlack,           Rgb(17, 17, 255),  Rgb(221, 17, 17),
    Rgb(17, 187, 187), Rgb(238, 238, 17), Rgb(17, 187, 17),
};

// The grids of one grid type on paper, in drawing order. Pale grids print
// thin so that the strong one over them stays readable.
struct PrintedGrid {
    bool admittance = false;  // else impedance
    Colour colour = 0;
    double width = 1;
};
struct PrintedGridPlan {
    int count = 0;
    std::array<PrintedGrid, 2> grids{};
    Colour frameColour = 0;
};
PrintedGridPlan PrintedGridsFor(int gridType);

// The printed chart: centre (6000, 7500), the screen's radius, cut to the
// box the chart and its labels take at zoom 1.
ChartGeometry PrintedGeometry(const SessionState& s);

// Composes the sheet and ends the document. Sets PrintCenterX/Y,
// PrintScale (1.2, or less for a ladder that would otherwise run off the
// sheet's right edge), the grid colours (as the screen's redraw does for the grid
// type), PenX/PenY, the sweep result arrays when the sweep is on, and
// whatever Math and the arcs leave (CurrentR/X, LoadPointIndex ...); Value
// is left as it was. The Q arcs, VSWR circle and sweep trace are the
// screen's, drawn about the printed centre with their value labels moved to
// fixed places at the sheet's bottom left.
void DrawChartSheet(SessionState& s, PrintSurface& surf, const std::string& dateTime);

SheetLayout ChartSheetLayout();

// The Analysis page's "Print": print dialog, the sheet, and on a printer
// error the beep and "We had a problem driving the printer.", with what went
// wrong under it. A cancelled dialog ends quietly with nothing printed.
void PrintChartAndNetwork(SessionState& s, PrintHost& host);
inline constexpr char kChartPrintError[] = "We had a problem driving the printer.";
// kChartPrintError, two line breaks and the problem (for a PDF file, its
// name and the system's reason), so the user learns which file and why.
std::string ChartPrintErrorText(const std::string& problem);

}  // namespace qv

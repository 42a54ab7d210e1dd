// The pictures the program writes and prints besides the chart sheet: the
// Analysis page's drawing as the command line composes it, and the plot on
// a printed sheet.
#pragma once

#include <string>
#include <vector>

#include "chart/ChartGeometry.h"
#include "drawing/PrintSurface.h"
#include "plot/Plot.h"
#include "print/PrintHost.h"
#include "session/SessionState.h"

namespace qv {

// The Analysis page's drawing area and font (twips, points).
inline constexpr double kChartPictureWidth = kChartPageWidth;
inline constexpr double kChartPictureHeight = kChartPageHeight;
inline constexpr double kChartPictureFontPt = 8.5;

// Opens the chart view as the Analysis page does when it opens (chart at
// its start place, radius from the zoom, arcs on unless switched off) and
// draws what the page draws: the network panel, then the chart with its
// arcs and the overlays that are on.
void DrawChartPicture(SessionState& s, Surface& surf);

// The plot on paper: the plot, then the date and the program's line.
inline constexpr double kPlotSheetWidth = kPlotWidth;
inline constexpr double kPlotSheetHeight = kPlotHeight + 700;
SheetLayout PlotSheetLayout();
void DrawPlotSheet(const PlotData& data, const std::vector<PlotTrace>& traces,
                   const std::string& versionText, const std::string& dateTime,
                   PrintSurface& surf);

// The plot page's "Print": the print dialog, the sheet, and on a printer
// error the beep and the chart printout's message. A cancelled dialog ends
// quietly.
void PrintPlot(SessionState& s, const std::vector<PlotTrace>& traces, PrintHost& host);

}  // namespace qv

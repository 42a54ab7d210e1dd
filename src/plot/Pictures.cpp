#include "plot/Pictures.h"

#include "chart/ChartView.h"
#include "chart/RedrawChart.h"
#include "print/ChartPrintout.h"
#include "schematic/NetworkPanel.h"

namespace qv {

void DrawChartPicture(SessionState& s, Surface& surf) {
    ChartPage page;
    OpenChartView(s, page);
    FontSpec font;
    font.sizePt = kChartPictureFontPt;
    ChartHooks hooks;
    hooks.networkPanel = [&s](Surface& g) { DrawNetworkPanel(s, g, PanelFont()); };
    surf.SetFont(font);
    RedrawChart(s, surf, hooks);
}

SheetLayout PlotSheetLayout() {
    SheetLayout layout;
    layout.mapping = SheetLayout::FitToPaper;
    layout.width = kPlotSheetWidth;
    layout.height = kPlotSheetHeight;
    return layout;
}

void DrawPlotSheet(const PlotData& data, const std::vector<PlotTrace>& traces,
                   const std::string& versionText, const std::string& dateTime,
                   PrintSurface& surf) {
    DrawPlot(surf, data, traces, {0, 0, kPlotWidth, kPlotHeight});
    FontSpec small;
    small.sizePt = 6;
    surf.SetFont(small);
    surf.SetTextColour(kBlack);
    surf.Text(kPlotBoxLeft, kPlotHeight + 100, dateTime);
    surf.Text(kPlotBoxLeft, kPlotHeight + 300, FooterProgramLine(versionText));
    surf.EndDoc();
}

void PrintPlot(SessionState& s, const std::vector<PlotTrace>& traces, PrintHost& host) {
    if (!host.ChoosePrinter("Print plot")) return;
    SheetRecording document(PlotSheetLayout().unitsPerPoint);
    DrawPlotSheet(CollectPlotData(s), traces, s.VersionText, host.DateTimeText(), document);
    if (const std::string problem = host.Send(document, PlotSheetLayout()); !problem.empty()) {
        host.Beep();
        host.ShowMessage({}, ChartPrintErrorText(problem));
    }
}

}  // namespace qv

// A hand-edited network file may hold any 16-bit element code. The program
// treats every code it does not know as an empty stage; no picture of the
// network may misbehave on one (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include "chart/OpenedChart.h"
#include "chart/RedrawChart.h"
#include "drawing/Ops.h"
#include "drawing/PrintSurface.h"
#include "print/ChartPrintout.h"
#include "schematic/NetworkPanel.h"
#include "schematic/Schematic.h"

namespace qv {
namespace {

TEST(OddElementCodes, DrawAsEmptyStagesOnEverySurface) {
    for (const int code : {-1, 14, -32768, 32767}) {
        SessionState s = test::OpenedChart();
        s.ArcsSwitch = 2;
        for (int st = 1; st <= 5; ++st) test::SetStage(s, st, code, 1e-9, 2e-9, 3e-9, 4e-9, 5e-9);
        test::SetStage(s, 3, SeriesInductor, 1e-6, 100);  // Math passes the others by (CalcMath, Ladder)

        RecordingSurface screen;
        StageEdges edges{};
        RedrawSchematic(s, screen, edges);
        DrawNetworkPanel(s, screen);
        RedrawChart(s, screen);
        EXPECT_TRUE(test::OnThePage(screen.Ops()));

        SheetRecording sheet;
        DrawChartSheet(s, sheet, "date");
        EXPECT_FALSE(sheet.Sheets().empty());
    }
}

}  // namespace
}  // namespace qv

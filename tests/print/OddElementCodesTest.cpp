// A hand-edited network file may hold any 16-bit element code. The program
// treats every code it does not know as an empty stage; no picture of the
// network may misbehave on one (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "chart/RedrawChart.h"
#include "drawing/PrintSurface.h"
#include "drawing/RecordingSurface.h"
#include "print/ChartPrintout.h"
#include "schematic/NetworkPanel.h"
#include "schematic/Schematic.h"
#include "session/SessionState.h"
#include "session/Stages.h"

namespace qv {
namespace {

void ExpectFinite(const std::vector<DrawOp>& ops) {
    for (const DrawOp& op : ops)
        ASSERT_TRUE(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) &&
                    std::isfinite(op.y2));
}

TEST(OddElementCodes, DrawAsEmptyStagesOnEverySurface) {
    for (std::int16_t code : {std::int16_t{-1}, std::int16_t{14}, std::int16_t{-32768},
                              std::int16_t{32767}}) {
        SessionState s;
        InitSession(s);
        ResetNetwork(s);
        s.ChartCenterX = 8000;
        s.ChartCenterY = 5000;
        s.ChartRadius = 3500;
        s.ArcsSwitch = 2;
        for (int st = 1; st <= 5; ++st) {
            s.ElementType[st] = code;
            for (int slot = 1; slot <= 5; ++slot) s.Value[st][slot] = 1e-9 * slot;
        }
        test::SetStage(s, 3, SeriesInductor, 1e-6, 100);
        // Math passes them by: the calculation tests' (CalcMath, Ladder).

        RecordingSurface screen;
        StageEdges edges{};
        RedrawSchematic(s, screen, edges);
        DrawNetworkPanel(s, screen);
        RedrawChart(s, screen);
        ExpectFinite(screen.Ops());

        SheetRecording sheet;
        DrawChartSheet(s, sheet, "date");
        EXPECT_FALSE(sheet.Sheets().empty());
    }
}

}  // namespace
}  // namespace qv

#include "schematic/Symbols.h"

#include <gtest/gtest.h>

#include <utility>

#include "drawing/Ops.h"

namespace qv {
namespace {

// True when the horizontal lines at height y cover [from, to] without a gap.
bool RailCovers(const RecordingSurface& g, double y, double from, double to) {
    std::vector<std::pair<double, double>> spans;
    for (const auto& op : test::OpsOf(g, DrawOp::Line))
        if (std::abs(op.y1 - y) < 1e-6 && std::abs(op.y2 - y) < 1e-6)
            spans.emplace_back(std::min(op.x1, op.x2), std::max(op.x1, op.x2));
    std::sort(spans.begin(), spans.end());
    double reach = from;
    for (const auto& [a, b] : spans)
        if (a <= reach + 1e-6) reach = std::max(reach, b);
    return reach >= to - 1e-6;
}

TEST(Symbols, PenAdvancesByTheSymbolWidth) {
    const double widths[14] = {960, 1000, 960, 1060, 960, 1120, 800,
                               960, 1040, 1040, 640, 960, 880, 640};
    for (int code = 0; code <= 13; ++code) {
        SessionState s;
        s.PenX = 2000;
        RecordingSurface g;
        DrawElementSymbol(s, g, DesignPageStyle(), code);
        EXPECT_DOUBLE_EQ(s.PenX - 2000, widths[code]) << "code " << code;
        EXPECT_DOUBLE_EQ(SymbolWidth(code, DesignPageStyle()), widths[code]);
    }
    for (const auto& [x, width] : {std::pair{0.0, 480.0}, {10.0, 1060.0}, {-10.0, 1000.0}}) {
        SessionState s;
        RecordingSurface g;
        DrawLoadSymbol(s, g, DesignPageStyle(), x);
        EXPECT_DOUBLE_EQ(s.PenX, width) << "load X " << x;
    }
}

TEST(Symbols, EverySymbolJoinsTheLadderOnEverySurface) {
    for (const SymbolStyle& st :
         {DesignPageStyle(), NetworkPanelStyle(), PrintedPageStyle(1.2), OpeningPageStyle()}) {
        for (int code = 0; code <= 13; ++code) {
            SessionState s;
            s.PenX = 500;
            s.PenY = 700;
            RecordingSurface g;
            DrawElementSymbol(s, g, st, code);
            // The bottom rail all along, the top one at both ends, nothing outside.
            const double bottom = 700 + 1040 * st.scale;
            EXPECT_TRUE(RailCovers(g, bottom, 500, s.PenX) && RailCovers(g, 700, 500, 501) &&
                        RailCovers(g, 700, s.PenX - 1, s.PenX)) << "code " << code;
            for (const auto& op : test::OpsOf(g, DrawOp::Line))
                EXPECT_TRUE(std::min(op.x1, op.x2) >= 500 - 1e-6 && std::max(op.x1, op.x2) <= s.PenX + 1e-6 &&
                            std::max(op.y1, op.y2) <= bottom + 1e-6) << "code " << code;
        }
    }
}

TEST(Symbols, ColoursAndPensThatStayPut) {
    SessionState s;
    s.SymbolColour = kInvalidSymbolColour;
    RecordingSurface g;
    DrawVerticalResistor(s, g, DesignPageStyle());
    DrawStageBoundary(s, g, DesignPageStyle());
    DrawGenerator(s, g, DesignPageStyle());
    EXPECT_DOUBLE_EQ(s.PenX, 320);  // only the boundary moved the pen
    EXPECT_TRUE(test::StrokesIn(g, kInvalidSymbolColour, -100, 320) > 0 && test::StrokesIn(g, kStageBoundaryColour, 160, 161) == 1);
    EXPECT_EQ(g.Ops().back().colour, kBlack);  // the generator is always black
}

TEST(Symbols, EdgesRoundHalfToEvenAndClamp) {
    for (const auto& [pen, edge] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {40000.0, 32767}})
        EXPECT_EQ(EdgeFromPen(pen), edge) << pen;
}

}  // namespace
}  // namespace qv

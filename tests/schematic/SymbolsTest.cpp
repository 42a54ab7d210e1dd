#include "schematic/Symbols.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "Ops.h"

namespace qv {
namespace {

using test::OpsOf;

std::vector<SymbolStyle> AllStyles() {
    return {DesignPageStyle(), NetworkPanelStyle(), PrintedPageStyle(1.2), OpeningPageStyle()};
}

// True when the horizontal lines at height y cover [from, to] without a gap.
bool RailCovers(const RecordingSurface& g, double y, double from, double to) {
    std::vector<std::pair<double, double>> spans;
    for (const auto& op : OpsOf(g, DrawOp::Line))
        if (std::abs(op.y1 - y) < 1e-6 && std::abs(op.y2 - y) < 1e-6)
            spans.emplace_back(std::min(op.x1, op.x2), std::max(op.x1, op.x2));
    std::sort(spans.begin(), spans.end());
    double reach = from;
    for (const auto& [a, b] : spans)
        if (a <= reach + 1e-6) reach = std::max(reach, b);
    return reach >= to - 1e-6;
}

TEST(Symbols, DesignPageWidthsAreTheLadderPitch) {
    const double widths[14] = {960, 1000, 960, 1060, 960, 1120, 800,
                               960, 1040, 1040, 640, 960, 880, 640};
    const SymbolStyle st = DesignPageStyle();
    for (int code = 0; code <= 13; ++code) {
        SessionState s;
        s.PenX = 2000;
        s.PenY = 1000;
        RecordingSurface g;
        DrawElementSymbol(s, g, st, code);
        EXPECT_DOUBLE_EQ(s.PenX - 2000, widths[code]) << "code " << code;
        EXPECT_DOUBLE_EQ(SymbolWidth(code, st), widths[code]) << "code " << code;
        EXPECT_EQ(s.PenY, 1000);
    }
    EXPECT_DOUBLE_EQ(SymbolWidth(42, st), 960);  // unknown codes draw as wire
}

TEST(Symbols, OtherSurfacesScaleBodiesButNotWires) {
    // Panel: wire 270, bodies x 0.9. Series capacitor = 4 wires + 360 body.
    EXPECT_DOUBLE_EQ(SymbolWidth(SeriesCapacitor, NetworkPanelStyle()), 4 * 270 + 0.9 * 360);
    EXPECT_DOUBLE_EQ(SymbolWidth(SeriesResistor, NetworkPanelStyle()), 0.9 * 880);
    EXPECT_DOUBLE_EQ(SymbolWidth(ShuntCapacitor, PrintedPageStyle(1.2)), 6 * 360);
    EXPECT_DOUBLE_EQ(SymbolWidth(EmptyStage, OpeningPageStyle()), 600);
}

TEST(Symbols, EverySymbolJoinsBothRailsOnEverySurface) {
    for (const SymbolStyle& st : AllStyles()) {
        for (int code = 0; code <= 13; ++code) {
            SessionState s;
            s.PenX = 500;
            s.PenY = 700;
            RecordingSurface g;
            DrawElementSymbol(s, g, st, code);
            const double bottom = 700 + 1040 * st.scale;
            EXPECT_TRUE(RailCovers(g, bottom, 500, s.PenX)) << "code " << code;
            // The signal rail reaches both ends, where neighbours join on.
            EXPECT_TRUE(RailCovers(g, 700, 500, 500 + 1)) << "code " << code;
            EXPECT_TRUE(RailCovers(g, 700, s.PenX - 1, s.PenX)) << "code " << code;
            // No line strays outside the symbol's own box.
            for (const auto& op : OpsOf(g, DrawOp::Line)) {
                EXPECT_GE(std::min(op.x1, op.x2), 500 - 1e-6) << "code " << code;
                EXPECT_LE(std::max(op.x1, op.x2), s.PenX + 1e-6) << "code " << code;
                EXPECT_LE(std::max(op.y1, op.y2), bottom + 1e-6) << "code " << code;
            }
        }
    }
}

TEST(Symbols, ColoursAndFixedPens) {
    SessionState s;
    s.PenX = 1000;
    s.SymbolColour = kInvalidSymbolColour;
    RecordingSurface g;
    DrawElementSymbol(s, g, DesignPageStyle(), ShuntLCPair);
    for (const auto& op : g.Ops()) EXPECT_EQ(op.colour, kInvalidSymbolColour);

    g.Reset();
    const double x = s.PenX;
    DrawVerticalResistor(s, g, DesignPageStyle());
    DrawGenerator(s, g, DesignPageStyle());
    EXPECT_EQ(s.PenX, x);
    ASSERT_FALSE(g.Ops().empty());
    EXPECT_EQ(g.Ops().back().colour, kBlack);  // the generator ignores the symbol colour

    g.Reset();
    DrawStageBoundary(s, g, DesignPageStyle());
    EXPECT_DOUBLE_EQ(s.PenX, x + 320);
    const auto lines = OpsOf(g, DrawOp::Line);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].colour, kStageBoundaryColour);
    EXPECT_DOUBLE_EQ(lines[2].x1, x + 160);
    EXPECT_DOUBLE_EQ(lines[2].y1, s.PenY - 400);
    EXPECT_DOUBLE_EQ(lines[2].y2, s.PenY + 1440);
}

TEST(Symbols, LoadSymbolFollowsTheReactanceSign) {
    const SymbolStyle st = DesignPageStyle();
    const std::pair<double, double> cases[] = {{0, 480}, {10, 1060}, {-10, 1000}};
    for (const auto& [x, width] : cases) {
        SessionState s;
        RecordingSurface g;
        DrawLoadSymbol(s, g, st, x);
        EXPECT_DOUBLE_EQ(s.PenX, width) << "X = " << x;
    }
    SessionState s;
    RecordingSurface g;
    DrawLoadSymbol(s, g, NetworkPanelStyle(), 0);
    EXPECT_DOUBLE_EQ(s.PenX, 2 * 270);
}

TEST(Symbols, EdgesRoundHalfToEvenAndClamp) {
    EXPECT_EQ(EdgeFromPen(2.5), 2);
    EXPECT_EQ(EdgeFromPen(3.5), 4);
    EXPECT_EQ(EdgeFromPen(-2.5), -2);
    EXPECT_EQ(EdgeFromPen(1234.6), 1235);
    EXPECT_EQ(EdgeFromPen(40000), 32767);
    EXPECT_EQ(EdgeFromPen(-40000), -32768);
}

}  // namespace
}  // namespace qv

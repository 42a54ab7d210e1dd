// The chart and network sheet, read back from its display list.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "chart/ChartGrids.h"
#include "print/ChartPrintout.h"
#include "print/FakePrintHost.h"

namespace qv {
namespace {

using test::FakePrintHost;

std::unique_ptr<SessionState> Opened() {
    auto s = std::make_unique<SessionState>();
    InitSession(*s);
    ResetNetwork(*s);
    s->LoadMode = 1;
    s->ChartZoom = 1;
    s->ChartRadius = 3500;
    s->ArcsSwitch = 1;
    return s;
}

std::vector<DrawOp> Sheet(SessionState& s, const PrintedOverlays& overlays = {}) {
    SheetRecording doc;
    DrawChartSheet(s, doc, "01/02/2024 12:00:00", overlays);
    EXPECT_TRUE(doc.Ended());
    const auto sheets = doc.Sheets();
    EXPECT_EQ(sheets.size(), 1u);
    return sheets.at(0);
}

const DrawOp* FindText(const std::vector<DrawOp>& ops, const std::string& text) {
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text && op.text == text) return &op;
    return nullptr;
}

// The rim: the width-8 lines in the frame colour, below `top` (the
// schematic above is black and as wide).
struct Extent {
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
};
Extent RimExtent(const std::vector<DrawOp>& ops, Colour frame, double top = -1e9) {
    Extent e;
    for (const DrawOp& op : ops) {
        if (op.kind != DrawOp::Line || op.width != 8 || op.colour != frame || op.y2 < top) continue;
        e.left = std::min(e.left, op.x2);
        e.right = std::max(e.right, op.x2);
        e.top = std::min(e.top, op.y2);
        e.bottom = std::max(e.bottom, op.y2);
    }
    return e;
}

TEST(ChartPrintout, GridsByTypeWithPrintedColoursAndWidths) {
    constexpr Colour kRed = Rgb(255, 17, 17), kGreen = Rgb(17, 136, 17);
    using Pen = std::pair<Colour, double>;
    struct Case {
        int type;
        std::set<Pen> gridPens;
        Colour frame;
    };
    const Case cases[] = {
        {1, {{kRed, 3}}, kRed},
        {2, {{Rgb(153, 255, 153), 1}, {kRed, 3}}, kBlack},
        {3, {{kGreen, 3}, {kRed, 3}}, kBlack},
        {4, {{Rgb(255, 204, 204), 1}, {kGreen, 3}}, kBlack},
        {5, {{kGreen, 3}}, kGreen},
        {6, {}, kRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto s = Opened();
        s->GridType = static_cast<std::int16_t>(c.type);
        const auto ops = Sheet(*s);
        std::set<Pen> pens;
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Line && op.y1 > 3000 && op.colour != kBlack &&
                op.colour != c.frame)
                pens.insert({op.colour, op.width});
        if (c.frame != kBlack) {
            // The frame colour is also a grid colour for types 1 and 5.
            for (const Pen& p : c.gridPens)
                if (p.first == c.frame) pens.insert(p);
        }
        EXPECT_EQ(pens, c.gridPens);
        const Extent rim = RimExtent(ops, c.frame, 3500);
        EXPECT_NEAR(rim.right, 9500, 1);

        // The grid colours are left as the screen's redraw leaves them.
        const GridScheme screen = GridSchemeFor(c.type);
        if (screen.drawImpedance) EXPECT_EQ(s->ImpedanceGridColour, screen.impedanceColour);
        if (screen.drawAdmittance) EXPECT_EQ(s->AdmittanceGridColour, screen.admittanceColour);
    }
}

TEST(ChartPrintout, ChartIsAsLargeAsTheZoomedScreenChart) {
    for (const auto& [radius, left, right, top, bottom] :
         {std::tuple{3500.0f, 2500.0, 9500.0, 4000.0, 11000.0},
          std::tuple{7000.0f, -1000.0, 13000.0, 500.0, 14500.0}}) {
        auto s = Opened();
        s->ChartRadius = radius;
        const Extent rim = RimExtent(Sheet(*s), Rgb(255, 17, 17));
        EXPECT_NEAR(rim.left, left, 1);
        EXPECT_NEAR(rim.right, right, 1);
        EXPECT_NEAR(rim.top, top, 1);
        EXPECT_NEAR(rim.bottom, bottom, 1);
    }
}

TEST(ChartPrintout, ColourKeyOnlyForFilledStagesAndOnlyWithArcsOn) {
    auto s = Opened();
    s->ElementType[1] = SeriesCapacitor;
    s->Value[1][1] = 100e-12;
    s->Value[1][2] = 1000;
    s->ElementType[3] = ShuntInductor;
    s->Value[3][1] = 1e-6;
    s->Value[3][2] = 100;
    s->ArcsSwitch = 2;
    const auto ops = Sheet(*s);
    std::vector<const DrawOp*> bars;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::FillBox && op.y1 == 780 && op.y2 == 750) bars.push_back(&op);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0]->colour, Rgb(17, 17, 255));
    EXPECT_EQ(bars[1]->colour, Rgb(17, 187, 187));
    // Stage 3's bar starts where the empty stage 2 ends.
    EXPECT_GT(bars[1]->x1, bars[0]->x2);
    // The arcs are drawn in the stage colours at width 8; no screen key at
    // the top of the sheet.
    bool arcs = false;
    for (const DrawOp& op : ops) {
        arcs |= op.kind == DrawOp::Line && op.colour == Rgb(17, 17, 255) && op.width == 8;
        EXPECT_FALSE(op.kind == DrawOp::FillBox && op.y1 == 15);
    }
    EXPECT_TRUE(arcs);
    EXPECT_EQ(s->ArcsSwitch, 2);

    s->ArcsSwitch = 1;
    for (const DrawOp& op : Sheet(*s)) {
        EXPECT_FALSE(op.kind == DrawOp::FillBox && op.y1 == 780);
        EXPECT_FALSE(op.kind == DrawOp::Line && op.colour == Rgb(17, 17, 255));
    }
}

TEST(ChartPrintout, TextsAtTheirPlaces) {
    auto s = Opened();
    s->TestFrequency = 14.2e6;
    s->ElementType[1] = SeriesInductor;
    s->Value[1][1] = 1e-6;
    s->Value[1][2] = 100;
    const auto ops = Sheet(*s);
    const DrawOp* freq = FindText(ops, "Frequency:  14.2 M");
    ASSERT_NE(freq, nullptr);
    EXPECT_EQ(freq->x1, 1500);
    EXPECT_EQ(freq->y1, 3000);
    EXPECT_EQ(freq->font.sizePt, 8);
    // Value texts one row lower than on the Design page.
    const DrawOp* value = FindText(ops, "1 uH");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->y1, 2400);
    const DrawOp* caption = FindText(ops, "Chart normalized to 50 ohms");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->y1, 10800);
    const DrawOp* footer = FindText(ops, "Quendavore 2.06 - www.quendavore.example");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->y1, 11500);
    EXPECT_EQ(footer->font.sizePt, 6);
    EXPECT_EQ(s->PrintCenterX, 6000);
}

TEST(ChartPrintout, WideLadderShrinksToEndOnTheSheet) {
    auto s = Opened();  // five empty stages: the widest ladder there is
    const auto ops = Sheet(*s);
    EXPECT_LT(s->PrintScale, 1.2f);
    EXPECT_GT(s->PrintScale, 0.5f);
    double right = 0;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Line && op.y1 < 3000) right = std::max(right, op.x2);
    EXPECT_NEAR(right, 10600, 1);
    const DrawOp* gen = FindText(ops, "GEN");
    ASSERT_NE(gen, nullptr);
    EXPECT_LT(gen->x1 + 600, 11500);
}

TEST(ChartPrintout, OverlaysDrawThroughTheirHooksWithLabelsAtFixedPlaces) {
    auto s = Opened();
    s->QArcsOn = 1;
    s->QCircleValue = 2.5f;
    s->VswrCircleOn = 1;
    s->VswrCircleValue = 1.1f;
    s->SweepOn = 1;
    s->SweepPoints = 3;
    std::vector<std::pair<std::string, double>> calls;
    PrintedOverlays hooks;
    const auto hook = [&calls](const char* name) {
        return [&calls, name](SessionState& st, Surface& surf, const ChartGeometry& g) {
            EXPECT_EQ(g.centerX, 6000);
            calls.emplace_back(name, dynamic_cast<SheetRecording&>(surf).Current().CurrentLineWidth());
            st.SweepFreq[0] = 1e6;
            st.SweepFreq[2] = 2e6;
        };
    };
    hooks.qArcs = hook("q");
    hooks.vswrCircle = hook("vswr");
    hooks.sweepTrace = hook("sweep");
    const auto ops = Sheet(*s, hooks);
    EXPECT_EQ(calls, (std::vector<std::pair<std::string, double>>{{"q", 6}, {"vswr", 6}, {"sweep", 1}}));
    const DrawOp* q = FindText(ops, "Q=2.5");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->y1, 10400);
    const DrawOp* vswr = FindText(ops, "VSWR=1.1");
    ASSERT_NE(vswr, nullptr);
    EXPECT_EQ(vswr->y1, 10600);
    const DrawOp* start = FindText(ops, "'S'= 1 MHz");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->y1, 10000);
    EXPECT_NE(FindText(ops, "'F'= 2 MHz"), nullptr);
}

TEST(ChartPrintout, CancelIsQuietAndPrinterTroubleBeepsAndSays) {
    auto s = Opened();
    FakePrintHost cancel;
    cancel.dialogAccepted = false;
    PrintChartAndNetwork(*s, cancel);
    EXPECT_EQ(cancel.events, std::vector<std::string>{"dialog"});

    FakePrintHost broken;
    broken.sendError = "no printer";
    PrintChartAndNetwork(*s, broken);
    EXPECT_EQ(broken.events, (std::vector<std::string>{"dialog", "send", "beep", "message"}));
    EXPECT_EQ(broken.messages, std::vector<std::string>{"We had a problem driving the printer."});
    EXPECT_EQ(broken.layouts[0].mapping, SheetLayout::FitToPaper);
    EXPECT_EQ(broken.layouts[0].width, 11500);
    EXPECT_EQ(broken.layouts[0].height, 15200);
}

}  // namespace
}  // namespace qv

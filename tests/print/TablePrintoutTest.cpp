// The printed table and the Tabulate list, read back from their texts.
#include <gtest/gtest.h>

#include <memory>

#include "print/FakePrintHost.h"
#include "print/TablePrintout.h"
#include "session/Stages.h"

namespace qv {
namespace {

using test::FakePrintHost;
using Strings = std::vector<std::string>;

std::unique_ptr<SessionState> Sweep(int points) {
    auto s = std::make_unique<SessionState>();
    InitSession(*s);
    s->SweepPoints = static_cast<std::int16_t>(points);
    for (int i = 0; i < points; ++i) test::SetSweepPoint(*s, i, 1e6, 50, 10, 0.5, 30, 3);
    return s;
}

// Texts at x in a font size, in order. Data lines are the 10-point texts at
// x 7000 (VSWR); the header's are 12-point, the footer's 8-point.
Strings TextsAt(const std::vector<DrawOp>& sheet, double x, double sizePt) {
    Strings out;
    for (const DrawOp& op : sheet)
        if (op.kind == DrawOp::Text && op.x1 == x && op.font.sizePt == sizePt) out.push_back(op.text);
    return out;
}

TEST(TablePrintout, LongTablesAskFirstAndPaginate41Then44) {
    const std::string footer[] = {"01/02/2024 12:00:00", "Quendavore 2.06 - www.quendavore.example"};
    struct Case {
        int points;
        std::vector<std::size_t> lines;  // per sheet
        const char* question;
    };
    for (const Case& c : {Case{0, {0}, nullptr}, Case{40, {40}, nullptr}, Case{41, {41, 0}, "1"},
                          Case{100, {41, 44, 15}, "2"}}) {
        SCOPED_TRACE(c.points);
        FakePrintHost host;
        PrintTabulatedData(*Sweep(c.points), host);
        EXPECT_EQ(host.texts, c.question ? Strings{"Caution: We have " + std::to_string(c.points) +
                                                   " lines of data and so will use over " + c.question +
                                                   " sheets of paper. \nAre you sure you want to "
                                                   "continue and print out the data?"}
                                         : Strings{});
        EXPECT_EQ(host.events, (c.question ? Strings{"dialog", "beep", "question", "send"} : Strings{"dialog", "send"}));
        const auto& sheets = host.sent.at(0);
        ASSERT_EQ(sheets.size(), c.lines.size());
        for (std::size_t k = 0; k < sheets.size(); ++k) {
            EXPECT_EQ(TextsAt(sheets[k], 7000, 10).size(), c.lines[k]) << "sheet " << k;
            EXPECT_EQ(TextsAt(sheets[k], 1000, 12), Strings{"Freq:"}) << "sheet " << k;
            EXPECT_EQ(TextsAt(sheets[k], 1000, 8),
                      k + 1 == sheets.size() ? Strings(std::begin(footer), std::end(footer)) : Strings{});
        }
        EXPECT_EQ(TextsAt(sheets[0], 1000, 16), Strings{"Tabulated Data"});
        EXPECT_EQ(sheets.size() > 1 ? sheets[1].front().y1 : 500, 500);  // a later sheet's header at the top
        EXPECT_TRUE(host.layouts[0].mapping == SheetLayout::Twips && host.layouts[0].origin == 1008);
    }
}

TEST(TablePrintout, CancelAndNoEndQuietlyPrinterErrorsAreShown) {
    FakePrintHost cancel, no, broken;
    cancel.dialogAccepted = false;
    no.answerYes = false;
    broken.sendError = "The printer is out of paper.";
    for (FakePrintHost* host : {&cancel, &no, &broken}) PrintTabulatedData(*Sweep(50), *host);
    EXPECT_TRUE(cancel.events == Strings{"dialog"} && no.sent.empty());
    EXPECT_EQ(broken.texts.back(), "Printer Error: The printer is out of paper.");
}

TEST(TablePrintout, SignsAndTheReturnLossBound) {
    auto s = Sweep(3);
    s->SweepX[0] = s->SweepRhoAngle[0] = 0, s->SweepX[1] = -25, s->SweepRhoAngle[1] = -90;
    s->SweepRho[2] = 0;  // a perfect match
    FakePrintHost host;
    PrintTabulatedData(*s, host);
    const auto& sheet = host.sent.at(0).at(0);
    EXPECT_EQ(TextsAt(sheet, 3000, 10), (Strings{"+0 ", "-25 ", "+10 "}));
    EXPECT_EQ(TextsAt(sheet, 5000, 10), (Strings{"+0 ", "-90 ", "+30 "}));
    EXPECT_EQ(TextsAt(sheet, 6000, 10), (Strings{"6.0206 ", "6.0206 ", ">120"}));

    // The list shows the same bound beyond the readout's 120 dB.
    EXPECT_EQ(ReturnLossText(1e-7) + ReturnLossText(1e-6), ">120120 ");
    EXPECT_NE(TabulatedLine(*s, 2).find(">120"), std::string::npos);
}

TEST(TabulateList, FieldsEndAtTheirColumns) {
    auto s = Sweep(3);
    s->SweepX[0] = -25, s->SweepX[1] = 25;
    const Strings lines = TabulatedLines(*s);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "       1 M      50       -25      0.5      +30  6.0206           3");
    EXPECT_EQ(lines[1].substr(24, 4), " +25");  // ends in column 28

    // A text longer than its room pushes the rest right, a blank after it.
    s->SweepR[2] = -1.23456789e15;
    EXPECT_EQ(TabulatedLine(*s, 2).substr(0, 28), "       1 M -1234568 G    +10");

    // Rows past a load table's would show an earlier sweep.
    s->LoadMode = LoadTable;
    s->LoadRows = 2;
    EXPECT_EQ(TabulatedLines(*s).size(), 2u);
    s->SweepPoints = -4;
    EXPECT_TRUE(TabulatedLines(*s).empty());
}

}  // namespace
}  // namespace qv

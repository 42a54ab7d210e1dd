// The printed table and the Tabulate list, read back from their texts.
#include <gtest/gtest.h>

#include <memory>

#include "files/TableFile.h"
#include "print/FakePrintHost.h"
#include "print/TablePrintout.h"

namespace qv {
namespace {

using test::FakePrintHost;
using Sheets = std::vector<std::vector<DrawOp>>;

std::unique_ptr<SessionState> Sweep(int points) {
    auto s = std::make_unique<SessionState>();
    InitSession(*s);
    s->SweepPoints = static_cast<std::int16_t>(points);
    for (int i = 0; i < points; ++i) {
        s->SweepFreq[i] = 1e6 + 1e3 * i;
        s->SweepR[i] = 50;
        s->SweepX[i] = 10;
        s->SweepRho[i] = 0.5;
        s->SweepRhoAngle[i] = 30;
        s->SweepVswr[i] = 3;
    }
    return s;
}

// Texts at x with the given font size, in order.
std::vector<std::string> TextsAt(const std::vector<DrawOp>& sheet, double x, double sizePt) {
    std::vector<std::string> out;
    for (const DrawOp& op : sheet)
        if (op.kind == DrawOp::Text && op.x1 == x && op.font.sizePt == sizePt) out.push_back(op.text);
    return out;
}

// Data lines end with the VSWR column, 10-point text at x 7000.
int DataLines(const std::vector<DrawOp>& sheet) {
    return static_cast<int>(TextsAt(sheet, 7000, 10).size());
}

Sheets PrintAnswered(const SessionState& s, FakePrintHost& host) {
    PrintTabulatedData(s, host);
    return host.sent.empty() ? Sheets{} : host.sent.front();
}

TEST(TablePrintout, LongTablesAskFirstAndPaginate41Then44) {
    struct Case {
        int points;
        bool asks;
        std::vector<int> linesPerSheet;
        const char* sheetsInQuestion;
    };
    for (const Case& c : {Case{40, false, {40}, ""}, Case{41, true, {41, 0}, " 1 sheets"},
                          Case{100, true, {41, 44, 15}, " 2 sheets"}}) {
        SCOPED_TRACE(c.points);
        FakePrintHost host;
        const Sheets sheets = PrintAnswered(*Sweep(c.points), host);
        ASSERT_EQ(host.questions.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            EXPECT_EQ(host.questionTitles[0], "Caution");
            EXPECT_EQ(host.questions[0], "We have " + std::to_string(c.points) +
                                             " lines of data and so will use over" +
                                             c.sheetsInQuestion +
                                             " of paper. \nAre you sure you want to continue "
                                             "and print out the data?");
            // The beep comes with the question, after the dialog.
            EXPECT_EQ(host.events, (std::vector<std::string>{"dialog", "beep", "question", "send"}));
        }
        ASSERT_EQ(sheets.size(), c.linesPerSheet.size());
        for (std::size_t k = 0; k < sheets.size(); ++k) {
            EXPECT_EQ(DataLines(sheets[k]), c.linesPerSheet[k]) << "sheet " << k;
            EXPECT_EQ(TextsAt(sheets[k], 1000, 12).front(), "Freq:") << "header on sheet " << k;
        }
        EXPECT_EQ(TextsAt(sheets.front(), 1000, 16), std::vector<std::string>{"Tabulated Data"});
        // The footer closes the last sheet only.
        EXPECT_EQ(TextsAt(sheets.back(), 1000, 8),
                  (std::vector<std::string>{"01/02/2024 12:00:00",
                                            "Quendavore 2.06 - www.quendavore.example"}));
        for (std::size_t k = 0; k + 1 < sheets.size(); ++k)
            EXPECT_TRUE(TextsAt(sheets[k], 1000, 8).empty());
    }
}

TEST(TablePrintout, ExactlyFullFirstSheetLeavesHeaderAndFooterOnTheSecond) {
    FakePrintHost host;
    const Sheets sheets = PrintAnswered(*Sweep(41), host);
    ASSERT_EQ(sheets.size(), 2u);
    int texts = 0;
    for (const DrawOp& op : sheets[1]) texts += op.kind == DrawOp::Text;
    EXPECT_EQ(texts, 7 + 2);  // seven column heads, two footer lines
    // The header restarts at the top of the later sheet.
    EXPECT_EQ(sheets[1].front().y1, 500);
}

TEST(TablePrintout, NoPointsGiveTitleHeaderAndFooter) {
    FakePrintHost host;
    const Sheets sheets = PrintAnswered(*Sweep(0), host);
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(DataLines(sheets[0]), 0);
    EXPECT_EQ(sheets[0].size(), 1u + 7 + 2);
}

TEST(TablePrintout, DeclinedOrCancelledPrintsNothingAndSaysNothing) {
    FakePrintHost no;
    no.answerYes = false;
    PrintTabulatedData(*Sweep(50), no);
    EXPECT_TRUE(no.sent.empty());
    EXPECT_TRUE(no.messages.empty());

    FakePrintHost cancel;
    cancel.dialogAccepted = false;
    PrintTabulatedData(*Sweep(50), cancel);
    EXPECT_EQ(cancel.events, std::vector<std::string>{"dialog"});
}

TEST(TablePrintout, PrinterFailureIsReportedUnderItsOwnTitle) {
    FakePrintHost host;
    host.sendError = "The printer is out of paper.";
    PrintTabulatedData(*Sweep(3), host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messageTitles[0], "Printer Error");
    EXPECT_EQ(host.messages[0], "The printer is out of paper.");
    EXPECT_EQ(host.layouts[0].mapping, SheetLayout::Twips);
    EXPECT_EQ(host.layouts[0].origin, 1008);
}

TEST(TablePrintout, SignsAndTheReturnLossBound) {
    auto s = Sweep(3);
    s->SweepX[0] = 0;
    s->SweepRhoAngle[0] = 0;
    s->SweepX[1] = -25;
    s->SweepRhoAngle[1] = -90;
    s->SweepRho[2] = 0;  // a perfect match
    FakePrintHost host;
    const auto sheet = PrintAnswered(*s, host).at(0);
    EXPECT_EQ(TextsAt(sheet, 3000, 10), (std::vector<std::string>{"+0 ", "-25 ", "+10 "}));
    EXPECT_EQ(TextsAt(sheet, 5000, 10), (std::vector<std::string>{"+0 ", "-90 ", "+30 "}));
    EXPECT_EQ(TextsAt(sheet, 6000, 10), (std::vector<std::string>{"6.0206 ", "6.0206 ", ">120"}));
    EXPECT_EQ(TextsAt(sheet, 2100, 10).front(), "50 ");

    // The list shows the same bound, and the data file writes the cap.
    EXPECT_EQ(ReturnLossText(1e-7), ">120");
    EXPECT_EQ(ReturnLossText(1e-6), "120 ");
    EXPECT_EQ(TableReturnLoss(0), 120);
    EXPECT_NE(TabulatedLine(*s, 2).find(">120"), std::string::npos);
}

TEST(TabulateList, FieldsEndAtTheirColumns) {
    auto s = Sweep(3);
    s->SweepR[0] = 50;
    s->SweepX[0] = -25;
    s->SweepX[1] = 25;
    const std::vector<std::string> lines = TabulatedLines(*s);
    ASSERT_EQ(lines.size(), 3u);
    const std::string& a = lines[0];
    EXPECT_EQ(a.substr(16, 2), "50");  // columns 17-18
    EXPECT_EQ(a[18], ' ');
    EXPECT_EQ(a.substr(25, 3), "-25");  // ends in column 28
    EXPECT_EQ(a.substr(0, 10), "       1 M");
    EXPECT_EQ(a.size(), 66u);
    EXPECT_EQ(lines[1].substr(24, 4), " +25");
    EXPECT_EQ(a.substr(48, 6), "6.0206");  // return loss ends in column 54

    // A text longer than its room pushes the rest right and is not cut.
    s->SweepFreq[2] = 1e6;
    s->SweepR[2] = -1.23456789e15;
    const std::string wide = TabulatedLine(*s, 2);
    EXPECT_NE(wide.find("  1 M -1234568 G    +10 "), std::string::npos);
    EXPECT_EQ(wide.size(), 66u);

    s->SweepPoints = -4;
    EXPECT_TRUE(TabulatedLines(*s).empty());
}

}  // namespace
}  // namespace qv

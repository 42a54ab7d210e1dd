// The Tabulate page driven through its buttons, with a scripted desktop.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <algorithm>
#include <filesystem>

#include "files/TempDir.h"
#include "pages/PageFixture.h"
#include "pages/tabulate/TabulatePage.h"
#include "print/TablePrintout.h"
#include "session/Stages.h"

namespace qv {
namespace {

struct Fixture : test::PageFixture {
    explicit Fixture(int points) {
        InitSession(state);
        state.CurrentFileName = "C:/nets/dipole.QVF";
        state.SweepPoints = static_cast<std::int16_t>(points);
        for (int i = 0; i < points; ++i)
            test::SetSweepPoint(state, i, 7e6 + 1e4 * i, 50, i == 0 ? -25 : 25, i == 1 ? 0 : 0.2, 45, 1.5);
    }
};

void Click(const TabulatePage& page, const char* name) { test::ClickButton(page, name); }

TEST(TabulatePage, ListsOneFixedPitchLinePerPoint) {
    Fixture f(3);
    TabulatePage page(f.context);
    EXPECT_EQ(page.windowTitle(), "Quendavore 2.06 Tabulated output C:/nets/dipole.QVF");
    const auto* list = page.Control<QListWidget>("lstTabulatedOutput");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text().toStdString(), TabulatedLine(f.state, 0));  // its columns are the printout's tests'
    // The heading shares the list's fixed-pitch font, so the heads sit over their columns.
    EXPECT_TRUE(QFontInfo(page.Control<QLabel>("lblHeading0")->font()).fixedPitch());
    // Readable in a small window: the list's text scales with it, and at
    // 700 x 500 on a common screen it is at least 9 pixels high.
    f.host.screenWidthTwips = 28800;
    f.host.screenHeightTwips = 16200;
    TabulatePage wide(f.context);
    wide.resize(700, 500);
    EXPECT_GE(QFontInfo(wide.Control<QListWidget>("lstTabulatedOutput")->font()).pixelSize(), 9);
}

TEST(TabulatePage, ToFileWritesTheFormatOfTheExtensionAndKeepsTheDesignsName) {
    test::TempDir dir;
    Fixture f(2);
    TabulatePage page(f.context);
    Click(page, "cmdFile");  // cancelled: nothing changes
    // The format follows the extension; the formats are the result files' tests'.
    for (const char* chosen : {"sweep.txt", "sweep.csv"}) f.host.fileAnswers.push_back(dir.File(chosen)), Click(page, "cmdFile");
    EXPECT_NE(test::ReadAll(dir.File("sweep.DAT")).find("7010000,50,25,0,45,120,1.5"), std::string::npos);
    EXPECT_NE(test::ReadAll(dir.File("sweep.csv")).find("7010000,50,25,0,45,1.5,120\r\n"), std::string::npos);
    const auto lastSave = [&f] {
        return *std::find_if(f.host.calls.rbegin(), f.host.calls.rend(), [](const auto& c) { return c.kind == "save"; });
    };
    EXPECT_TRUE(lastSave().file.confirmOverwrite);
    EXPECT_EQ(f.state.CurrentFileName, "C:/nets/dipole.QVF");
    EXPECT_TRUE(page.windowTitle().endsWith("dipole.QVF"));
    EXPECT_EQ(f.host.Count("message"), 0);

    // The next dialog offers the file just written; a failure says why.
    const std::string nowhere = dir.File("no/sweep.csv");
    f.host.fileAnswers.push_back(nowhere);
    Click(page, "cmdFile");
    EXPECT_EQ(lastSave().file.initialName, dir.File("sweep.csv"));
    EXPECT_EQ(f.host.Texts("message"),
              std::vector<std::string>{"The file " + nowhere + " could not be written: No such file or directory."});
}

TEST(TabulatePage, ToPrinterAsksForLongTablesAndPrintsToPdf) {
    test::TempDir dir;
    Fixture f(100);
    TabulatePage page(f.context);
    const std::string pdf = dir.File("table.pdf");
    f.host.printAnswers.push_back(PrintChoice{"", pdf});
    f.host.yesNoAnswers = {true};
    Click(page, "cmdPrint");  // a "no" is the printout's tests'
    EXPECT_EQ(f.host.Texts("question"), std::vector<std::string>{CautionText(100)});
    EXPECT_EQ(f.host.Count("message"), 0);
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

}  // namespace
}  // namespace qv

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "files/NetworkFile.h"
#include "files/TempDir.h"
#include "pages/PageFixture.h"
#include "pages/exit/ExitPage.h"
#include "session/Stages.h"

namespace qv {
namespace {

using Names = std::vector<std::string>;

class ExitPageTest : public ::testing::Test, protected test::PageFixture {
protected:
    ExitPageTest() {
        state = test::Fresh();
        context.lastSessionPath = dir.File("LASTSESSION.QVF");
        host.clockStep = 0.25;  // lets the confirmation pause run out
    }
    // Opens the dialog and presses one of its buttons.
    std::unique_ptr<PageWindow> Press(const char* button) {
        auto page = MakeExitPage(context);
        page->show();
        if (button) test::ClickButton(*page, button);
        return page;
    }
    Names Files() const {
        Names names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path)) names.push_back(e.path().filename());
        return std::ranges::sort(names), names;
    }
    static QString Label(const PageWindow& page) { return page.Control<QLabel>("Label2")->text(); }
    // Which of Cancel, Save and End / Quit can be pressed.
    static std::string Enabled(const PageWindow& page) {
        std::string on;
        for (const char* name : {"cmdCancel", "cmdSave", "cmdExit"})
            on += page.Control<QPushButton>(name)->isEnabled() ? '1' : '0';
        return on;
    }

    test::TempDir dir;
};

TEST_F(ExitPageTest, EmptyNetworkKeepsTheSavedDesignButStillSavesTheSession) {
    state.CurrentFileName = dir.File("earlier.QVF");
    test::WriteAll(state.CurrentFileName, "the saved design");
    auto page = Press(nullptr);
    EXPECT_EQ(Enabled(*page), "101");
    EXPECT_TRUE(Label(*page) == "The network is empty." && page->Control<QLabel>("Label2")->isVisible());
    test::ClickButton(*page, "cmdExit");
    EXPECT_EQ(Files(), (Names{"LASTSESSION.QVF", "earlier.QVF"}));
    EXPECT_TRUE(test::ReadAll(state.CurrentFileName) == "the saved design" && navigator.quits == 1);
}

// The pause itself (across midnight too) is the platform's test.
TEST_F(ExitPageTest, EndQuitWritesTheKnownDesignAndTheSession) {
    state.ElementType[1] = SeriesInductor;
    auto page = Press("cmdExit");
    EXPECT_EQ(host.Count("events"), 1);  // the confirmation got painted
    EXPECT_EQ(Label(*page), "Data for this session has been saved");
    EXPECT_EQ(Enabled(*page), "000");  // clicks queued during the pause neither save again nor cancel
    EXPECT_EQ(Files(), Names{"LASTSESSION.QVF"});  // no name known yet

    state.CurrentFileName = dir.File("design.QVF");
    Press("cmdExit");
    SessionState back;
    ASSERT_TRUE(ReadLastSession(back, state.CurrentFileName));
    EXPECT_TRUE(back.ElementType[1] == SeriesInductor && navigator.quits == 2);
}

TEST_F(ExitPageTest, CancelWritesNothingSaveThenExitWritesTheChosenNameAsQvf) {
    state.ElementType[2] = ShuntCapacitor;
    EXPECT_FALSE(Press("cmdCancel")->isVisible());
    EXPECT_TRUE(Files().empty() && navigator.quits == 0 && state.CurrentFileName.empty());
    host.fileAnswers.push_back(dir.File("match.TXT"));
    auto page = Press("cmdSave");
    ASSERT_EQ(host.Count("save"), 1);
    EXPECT_EQ(Files(), (Names{"LASTSESSION.QVF", "match.QVF"}));
    EXPECT_EQ(Label(*page), "This session data has been saved");

    // A cancelled dialog forgets the name; the session is saved all the same.
    std::filesystem::remove(dir.File("match.QVF"));
    Press("cmdSave");
    EXPECT_EQ(Files(), Names{"LASTSESSION.QVF"});
    EXPECT_TRUE(state.CurrentFileName.empty() && navigator.quits == 2);
}

TEST_F(ExitPageTest, AFailedWriteKeepsTheDialogOpenWithTheReasonAndTheWaysOn) {
    state.ElementType[1] = SeriesInductor;
    std::filesystem::create_directory(dir.File("taken.QVF"));
    state.CurrentFileName = dir.File("taken.QVF");
    auto page = Press("cmdExit");
    EXPECT_EQ(navigator.quits, 0);
    const QString shown = Label(*page).remove(QChar(0x200B));
    EXPECT_TRUE(shown.contains(QString::fromStdString(dir.File("taken.QVF")) + " could not be written: Is a directory"))
        << shown.toStdString();
    EXPECT_FALSE(shown.contains("saved as"));
    EXPECT_EQ(page->Control<QPushButton>("cmdSave")->text() + page->Control<QPushButton>("cmdExit")->text(),
              QString(kSaveElsewhereCaption) + kQuitWithoutSavingCaption);
    EXPECT_EQ(Enabled(*page), "111");

    // A cancelled file dialog keeps the choices; another folder saves and ends.
    test::ClickButton(*page, "cmdSave");
    EXPECT_EQ(navigator.quits, 0);
    host.fileAnswers.push_back(dir.File("elsewhere.TXT"));
    test::ClickButton(*page, "cmdSave");
    EXPECT_EQ(Files(), (Names{"LASTSESSION.QVF", "elsewhere.QVF", "taken.QVF"}));
    EXPECT_TRUE(state.CurrentFileName == dir.File("elsewhere.QVF") && navigator.quits == 1);
}

TEST_F(ExitPageTest, QuitWithoutSavingAfterTheSessionFileFailedWritesNothingMore) {
    context.lastSessionPath = dir.File("gone/LASTSESSION.QVF");
    auto page = Press("cmdExit");
    EXPECT_TRUE(Label(*page).contains("No such file or directory"));
    EXPECT_EQ(Enabled(*page), "101");  // the network is empty: nothing to save
    test::ClickButton(*page, "cmdExit");
    EXPECT_TRUE(navigator.quits == 1 && Files().empty());
}

}  // namespace
}  // namespace qv

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "files/NetworkFile.h"
#include "files/TempDir.h"
#include "pages/exit/ExitPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class ExitPageTest : public ::testing::Test {
protected:
    ExitPageTest() {
        InitSession(state);
        ResetNetwork(state);
        host.clockStep = 0.25;  // lets the confirmation pause run out
    }

    std::unique_ptr<PageWindow> Open() {
        auto page = MakeExitPage(context);
        page->show();
        return page;
    }
    static void Click(PageWindow& page, const char* name) {
        QTest::mouseClick(page.Control<QPushButton>(name), Qt::LeftButton);
    }
    std::vector<std::string> FilesWritten() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, dir.File("LASTSESSION.QVF")};
};

TEST_F(ExitPageTest, EmptyNetworkOffersOnlyTheSessionSave) {
    state.CurrentFileName = dir.File("earlier.QVF");  // chosen on the Design page
    test::WriteAll(state.CurrentFileName, "the saved design");
    auto page = Open();
    auto* label = page->Control<QLabel>("Label2");
    EXPECT_EQ(page->windowTitle(), "Exit ?");
    EXPECT_EQ(state.NetworkNotEmpty, 0);
    EXPECT_FALSE(page->Control<QPushButton>("cmdSave")->isEnabled());
    ASSERT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), "The network is empty.");
    EXPECT_FALSE(label->font().bold());
    EXPECT_EQ(BackgroundColour(label), kWhite);

    Click(*page, "cmdExit");
    // The design saved earlier is not replaced by the empty network.
    EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"LASTSESSION.QVF", "earlier.QVF"}));
    EXPECT_EQ(test::ReadAll(state.CurrentFileName), "the saved design");
    EXPECT_EQ(navigator.quits, 1);
    EXPECT_FALSE(page->isVisible());
}

TEST_F(ExitPageTest, EndQuitWritesTheKnownFileToo) {
    state.ElementType[4] = ShuntResistor;
    state.Value[4][1] = 75;
    state.CurrentFileName = dir.File("design.QVF");
    auto page = Open();
    Click(*page, "cmdExit");
    EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"LASTSESSION.QVF", "design.QVF"}));
    SessionState back;
    ASSERT_TRUE(ReadLastSession(back, state.CurrentFileName));  // same layout, no range checks
    EXPECT_EQ(back.ElementType[4], ShuntResistor);
}

TEST_F(ExitPageTest, EndQuitWithoutAFileNameWritesOnlyTheSession) {
    state.ElementType[1] = SeriesInductor;
    state.Value[1][1] = 1e-6;
    state.Value[1][2] = 200;
    auto page = Open();
    EXPECT_TRUE(page->Control<QPushButton>("cmdSave")->isEnabled());
    EXPECT_FALSE(page->Control<QLabel>("Label2")->isVisible());

    Click(*page, "cmdExit");
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{"LASTSESSION.QVF"});
    EXPECT_EQ(host.Count("save"), 0);
    EXPECT_EQ(navigator.quits, 1);

    // The confirmation was up (bold) while the pause let it be painted.
    EXPECT_EQ(page->Control<QLabel>("Label2")->text(), "Data for this session has been saved");
    EXPECT_TRUE(page->Control<QLabel>("Label2")->font().bold());
    EXPECT_EQ(host.Count("events"), 1);

    SessionState back;
    ASSERT_TRUE(ReadLastSession(back, context.lastSessionPath));
    EXPECT_EQ(back.ElementType[1], SeriesInductor);
    EXPECT_DOUBLE_EQ(back.Value[1][2], 200);
    EXPECT_EQ(test::CrLfLines(test::ReadAll(context.lastSessionPath))[1], host.date);
}

TEST_F(ExitPageTest, SaveThenExitWritesTheChosenNameAsQvf) {
    state.ElementType[2] = ShuntCapacitor;
    state.Value[2][1] = 100e-12;
    host.fileAnswers.push_back(dir.File("match.TXT"));
    auto page = Open();
    Click(*page, "cmdSave");

    ASSERT_EQ(host.Count("save"), 1);
    const FileDialogRequest& asked = host.calls.front().file;
    EXPECT_EQ(asked.title, "Write Quendavore File");
    EXPECT_EQ(asked.filter, "Quendavore files (*.TXT)|*.TXT");
    EXPECT_TRUE(asked.confirmOverwrite);

    EXPECT_EQ(state.CurrentFileName, dir.File("match.TXT"));
    EXPECT_EQ(FilesWritten(), (std::vector<std::string>{"LASTSESSION.QVF", "match.QVF"}));
    EXPECT_EQ(test::CrLfLines(test::ReadAll(dir.File("match.QVF"))).size(), 50u);
    EXPECT_EQ(page->Control<QLabel>("Label2")->text(), "This session data has been saved");
    EXPECT_EQ(navigator.quits, 1);
}

TEST_F(ExitPageTest, CancelledSaveDialogForgetsTheNameButKeepsTheSession) {
    state.ElementType[1] = SeriesResistor;
    state.Value[1][1] = 10;
    state.CurrentFileName = dir.File("earlier.QVF");
    auto page = Open();
    Click(*page, "cmdSave");  // no answer queued: the dialog is cancelled
    EXPECT_EQ(state.CurrentFileName, "");
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{"LASTSESSION.QVF"});
    EXPECT_EQ(navigator.quits, 1);
}

TEST_F(ExitPageTest, CancelWritesNothingAndChangesNothing) {
    state.ElementType[3] = TransmissionLine;
    state.Value[3][1] = 90;
    state.CurrentFileName = dir.File("kept.QVF");
    const SessionState before = state;
    auto page = Open();
    Click(*page, "cmdCancel");
    EXPECT_TRUE(FilesWritten().empty());
    EXPECT_EQ(navigator.quits, 0);
    EXPECT_FALSE(page->isVisible());
    EXPECT_EQ(state.CurrentFileName, before.CurrentFileName);
    EXPECT_EQ(state.ElementType, before.ElementType);
    EXPECT_EQ(state.Value, before.Value);
}

TEST_F(ExitPageTest, ConfirmationPauseEndsAcrossMidnightAndLocksTheButtons) {
    host.timeOfDay = 86399.0;
    auto page = Open();
    Click(*page, "cmdExit");
    EXPECT_EQ(navigator.quits, 1);
    EXPECT_LT(host.timeOfDay, 10.0);  // the clock wrapped during the pause
    // A click queued during the pause cannot save or quit a second time.
    for (const char* name : {"cmdCancel", "cmdSave", "cmdExit"})
        EXPECT_FALSE(page->Control<QPushButton>(name)->isEnabled()) << name;
}

}  // namespace
}  // namespace qv

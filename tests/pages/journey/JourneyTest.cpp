// One user's session from start to exit and the next start, through the
// program's own navigator and real pages: what only the whole program does
// (page to page, the window's size, the exit dialog ending the run, the next
// run starting where this one ended). The pages' own work is their tests'.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/AppNavigator.h"
#include "files/TempDir.h"
#include "pages/PageFixture.h"
#include "pages/analyze/AnalyzePage.h"
#include "pages/design/DesignPage.h"
#include "pages/exit/ExitPage.h"
#include "pages/opening/OpeningPage.h"
#include "session/Stages.h"

namespace qv {
namespace {

// One run of the program: the session, the desktop and the navigator with the
// four pages of the journey.
struct Session {
    explicit Session(const std::string& lastSession) : navigator(state, host, lastSession) {
        host.clockStep = 0.5;  // lets the exit dialog's pause run out
        navigator.Register(PageId::Opening, MakeOpeningPage);
        navigator.Register(PageId::Design, MakeDesignPage);
        navigator.Register(PageId::Analyze, MakeAnalyzePage);
        navigator.Register(PageId::Exit, MakeExitPage);
        navigator.Start(PageId::Opening);
    }
    void Press(const char* button) {
        test::ClickButton(*navigator.Current(), button);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();  // page switches come after the handler
    }
    PageWindow& Page() { return *navigator.Current(); }

    SessionState state;
    ScriptedHost host;
    AppNavigator navigator;
};

TEST(Journey, DesignAnalyseSaveExitAndFindItAgain) {
    test::TempDir dir;
    const std::string lastSession = dir.File("LASTSESSION.QVF");
    {
        Session run(lastSession);
        run.Press("cmdStart");
        ASSERT_NE(dynamic_cast<DesignPage*>(&run.Page()), nullptr);
        test::SetStage(run.state, 1, SeriesInductor, 1e-6, 1000);
        // The window stays as the user sized it, from page to page and run to run.
        run.Page().resize(700, 500);
        run.Press("cmdAnalyze");
        ASSERT_NE(dynamic_cast<AnalyzePage*>(&run.Page()), nullptr);
        EXPECT_EQ(run.Page().size(), QSize(700, 500));
        run.Press("cmdDesign");
        run.host.fileAnswers.push_back(dir.File("match"));
        run.Press("cmdSave");
        EXPECT_EQ(run.state.CurrentFileName, dir.File("match.QVF"));

        // The exit dialog is modal; press its "End / Quit" from inside.
        bool exitShown = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->windowTitle() == "Exit ?") {
                    exitShown = true;
                    QTest::mouseClick(w->findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
                }
        });
        run.Press("cmdExit");
        EXPECT_TRUE(exitShown && run.host.Texts("message").empty());
    }

    // The next run starts where this one ended.
    Session again(lastSession);
    EXPECT_TRUE(again.Page().size() == QSize(700, 500) && again.state.Value[1][1] == 1e-6);
}

}  // namespace
}  // namespace qv

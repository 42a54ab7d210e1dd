#include "app/Program.h"

#include "files/NetworkFile.h"
#include "files/StartFile.h"
#include "pages/analyze/AnalyzePage.h"
#include "pages/design/DesignPage.h"
#include "pages/exit/ExitPage.h"
#include "pages/match/MatchPage.h"
#include "pages/opening/OpeningPage.h"
#include "pages/optimise/OptimisePage.h"
#include "pages/plot/PlotPage.h"
#include "pages/qsetup/QsetupPage.h"
#include "pages/setup/SetupPage.h"
#include "pages/sweepsetup/SweepsetupPage.h"
#include "pages/tabulate/TabulatePage.h"
#include "pages/vswrsetup/VswrsetupPage.h"

namespace qv {

void RegisterAllPages(AppNavigator& navigator) {
    navigator.Register(PageId::Opening, MakeOpeningPage);
    navigator.Register(PageId::Design, MakeDesignPage);
    navigator.Register(PageId::Analyze, MakeAnalyzePage);
    navigator.Register(PageId::Exit, MakeExitPage);
    navigator.Register(PageId::Setup, MakeSetupPage);
    navigator.Register(PageId::Tabulate, MakeTabulatePage);
    navigator.Register(PageId::QSetup, MakeQsetupPage);
    navigator.Register(PageId::VswrSetup, MakeVswrsetupPage);
    navigator.Register(PageId::SweepSetup, MakeSweepsetupPage);
    navigator.Register(PageId::Optimise, MakeOptimisePage);
    navigator.Register(PageId::Match, MakeMatchPage);
    navigator.Register(PageId::Plot, MakePlotPage);
}

void StartProgram(AppNavigator& navigator, const std::string& startFile) {
    if (startFile.empty()) {
        navigator.Start(PageId::Opening);
        return;
    }
    PageContext& c = navigator.Context();
    InitSession(c.state);
    ResetNetwork(c.state);
    ReadLastSession(c.state, c.lastSessionPath);
    c.state.ChartCenterX = 8000;
    c.state.ChartCenterY = static_cast<float>(0.55 * c.host.ScreenHeightTwips());
    OpenStartFile(startFile, c.state, c.host);
    navigator.Start(PageId::Design);
}

}  // namespace qv

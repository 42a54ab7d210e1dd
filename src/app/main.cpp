// Quendavore: impedance matching on a Smith chart.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "app/AppNavigator.h"
#include "platform/QtHost.h"
#include "session/SessionState.h"

// Each page folder offers std::unique_ptr<qv::PageWindow> Make<Role>Page(qv::PageContext&)
// in pages/<role>/<Role>Page.h.
#if __has_include("pages/opening/OpeningPage.h")
#include "pages/opening/OpeningPage.h"
#define QV_HAS_OPENING 1
#endif
#if __has_include("pages/design/DesignPage.h")
#include "pages/design/DesignPage.h"
#define QV_HAS_DESIGN 1
#endif
#if __has_include("pages/analyze/AnalyzePage.h")
#include "pages/analyze/AnalyzePage.h"
#define QV_HAS_ANALYZE 1
#endif
#if __has_include("pages/exit/ExitPage.h")
#include "pages/exit/ExitPage.h"
#define QV_HAS_EXIT 1
#endif
#if __has_include("pages/setup/SetupPage.h")
#include "pages/setup/SetupPage.h"
#define QV_HAS_SETUP 1
#endif
#if __has_include("pages/tabulate/TabulatePage.h")
#include "pages/tabulate/TabulatePage.h"
#define QV_HAS_TABULATE 1
#endif
#if __has_include("pages/qsetup/QsetupPage.h")
#include "pages/qsetup/QsetupPage.h"
#define QV_HAS_QSETUP 1
#endif
#if __has_include("pages/vswrsetup/VswrsetupPage.h")
#include "pages/vswrsetup/VswrsetupPage.h"
#define QV_HAS_VSWRSETUP 1
#endif
#if __has_include("pages/match/MatchPage.h")
#include "pages/match/MatchPage.h"
#define QV_HAS_MATCH 1
#endif
#if __has_include("pages/sweepsetup/SweepsetupPage.h")
#include "pages/sweepsetup/SweepsetupPage.h"
#define QV_HAS_SWEEPSETUP 1
#endif
#if __has_include("pages/optimise/OptimisePage.h")
#include "pages/optimise/OptimisePage.h"
#define QV_HAS_OPTIMISE 1
#endif
#if __has_include("pages/plot/PlotPage.h")
#include "pages/plot/PlotPage.h"
#define QV_HAS_PLOT 1
#endif
#if __has_include("files/NetworkFile.h")
#include "files/NetworkFile.h"
#include "files/StartFile.h"
#define QV_HAS_FILES 1
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quendavore");
    QApplication::setOrganizationName("Quendavore");
    QApplication::setDesktopFileName("quendavore");

    qv::QtHost host;
    qv::SessionState state;
    qv::AppNavigator navigator(state, host,
                               QDir::current().absoluteFilePath("LASTSESSION.QVF").toStdString());
    qv::PageContext& pages = navigator.Context();

#ifdef QV_HAS_OPENING
    navigator.Register(qv::PageId::Opening, [](qv::PageContext& c) { return qv::MakeOpeningPage(c); });
#endif
#ifdef QV_HAS_DESIGN
    navigator.Register(qv::PageId::Design, [](qv::PageContext& c) { return qv::MakeDesignPage(c); });
#endif
#ifdef QV_HAS_ANALYZE
    navigator.Register(qv::PageId::Analyze, [](qv::PageContext& c) { return qv::MakeAnalyzePage(c); });
#endif
#ifdef QV_HAS_EXIT
    navigator.Register(qv::PageId::Exit, [](qv::PageContext& c) { return qv::MakeExitPage(c); });
#endif
#ifdef QV_HAS_SETUP
    navigator.Register(qv::PageId::Setup, [](qv::PageContext& c) { return qv::MakeSetupPage(c); });
#endif
#ifdef QV_HAS_TABULATE
    navigator.Register(qv::PageId::Tabulate, [](qv::PageContext& c) { return qv::MakeTabulatePage(c); });
#endif
#ifdef QV_HAS_QSETUP
    navigator.Register(qv::PageId::QSetup, [](qv::PageContext& c) { return qv::MakeQsetupPage(c); });
#endif
#ifdef QV_HAS_VSWRSETUP
    navigator.Register(qv::PageId::VswrSetup, [](qv::PageContext& c) { return qv::MakeVswrsetupPage(c); });
#endif
#ifdef QV_HAS_SWEEPSETUP
    navigator.Register(qv::PageId::SweepSetup, [](qv::PageContext& c) { return qv::MakeSweepsetupPage(c); });
#endif
#ifdef QV_HAS_OPTIMISE
    navigator.Register(qv::PageId::Optimise, [](qv::PageContext& c) { return qv::MakeOptimisePage(c); });
#endif
#ifdef QV_HAS_MATCH
    navigator.Register(qv::PageId::Match, [](qv::PageContext& c) { return qv::MakeMatchPage(c); });
#endif
#ifdef QV_HAS_PLOT
    navigator.Register(qv::PageId::Plot, [](qv::PageContext& c) { return qv::MakePlotPage(c); });
#endif

#ifdef QV_HAS_FILES
    // A file named on the command line (or opened from the desktop) starts
    // the program on the Design page with that design or load table.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && navigator.Has(qv::PageId::Design)) {
        qv::InitSession(state);
        qv::ResetNetwork(state);
        qv::ReadLastSession(state, pages.lastSessionPath);
        state.ChartCenterX = 8000;
        state.ChartCenterY = static_cast<float>(0.55 * host.ScreenHeightTwips());
        qv::OpenStartFile(QFileInfo(arguments.at(1)).absoluteFilePath().toStdString(), state, host);
        navigator.Start(qv::PageId::Design);
        return app.exec();
    }
#endif

    if (navigator.Has(qv::PageId::Opening)) {
        // The opening page runs the start-up order itself.
        navigator.Start(qv::PageId::Opening);
    } else {
        qv::InitSession(state);
        qv::ResetNetwork(state);
#ifdef QV_HAS_FILES
        qv::ReadLastSession(state, pages.lastSessionPath);
#endif
        state.ChartCenterX = 8000;
        state.ChartCenterY = static_cast<float>(0.55 * host.ScreenHeightTwips());
        navigator.Start(navigator.Has(qv::PageId::Design) ? qv::PageId::Design : qv::PageId::Analyze);
    }
    return app.exec();
}

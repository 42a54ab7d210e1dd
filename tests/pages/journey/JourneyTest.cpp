// One user's session from start to exit and the next start, through the
// program's own navigator and real pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdio>

#include "app/AppNavigator.h"
#include "files/TempDir.h"
#include "pages/analyze/AnalyzePage.h"
#include "pages/design/DesignPage.h"
#include "pages/exit/ExitPage.h"
#include "pages/opening/OpeningPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

constexpr double kFrequency = 14.2e6;
constexpr double kPi = 3.14159265358979323846;

// One run of the program: the session, the desktop and the navigator with the four
// pages of the journey.
struct Session {
    explicit Session(const std::string& lastSession) : navigator(state, host, lastSession) {
        host.clockStep = 0.5;  // lets the exit dialog's pause run out
        navigator.Register(PageId::Opening, MakeOpeningPage);
        navigator.Register(PageId::Design, MakeDesignPage);
        navigator.Register(PageId::Analyze, MakeAnalyzePage);
        navigator.Register(PageId::Exit, MakeExitPage);
        navigator.Start(PageId::Opening);
    }

    template <class Page>
    Page& On() {
        Page* page = dynamic_cast<Page*>(navigator.Current());
        EXPECT_NE(page, nullptr);
        return *page;
    }
    void Press(const char* button) {
        auto* b = navigator.Current()->Control<QPushButton>(button);
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
        // Page switches happen once the handler has returned.
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    void Click(double x, double y) {
        PageWindow& page = *navigator.Current();
        const QPointF at = page.ToDevice(x, y);
        QMouseEvent e(QEvent::MouseButtonPress, at, page.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&page, &e);
    }
    void Type(const char* box, const std::string& text) {
        auto* b = navigator.Current()->Control<QLineEdit>(box);
        ASSERT_NE(b, nullptr) << box;
        b->clear();
        QTest::keyClicks(b, QString::fromStdString(text));
    }
    // A stage of the Design page's schematic, then an element of its palette.
    void Choose(int stage, double paletteX, const std::string& value) {
        const StageEdges e = On<DesignPage>().Edges();
        Click((e[stage - 1] + e[stage]) / 2.0, 1500);
        Click(paletteX, 4800);
        Type("txtValue1", value);
        Press("cmdAccept");
    }

    SessionState state;
    ScriptedHost host;
    AppNavigator navigator;
};

std::string Engineering(double value, double unit, const char* prefix) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%s", value / unit, prefix);
    return text;
}

TEST(Journey, MatchAnalyseSaveExitAndFindItAgain) {
    test::TempDir dir;
    const std::string lastSession = dir.File("LASTSESSION.QVF");

    // A 25 - j40 ohm load matched to 50 ohms: a series inductor brings it to
    // 25 + j25, where the conductance is 1/50 S, and a shunt capacitor
    // cancels the remaining susceptance of -1/50 S.
    const double w = 2 * kPi * kFrequency;
    const double inductance = 65 / w;
    const double capacitance = (1.0 / 50) / w;
    {
        Session run(lastSession);
        run.Press("cmdStart");
        run.Type("txtFrequency", "14.2M");
        run.Press("cmdEnterFreq");
        run.Click(run.template On<DesignPage>().Edges()[0] - 600, 1500);  // the load
        run.Type("txtValue1", "25");
        run.Type("txtValue2", "-40");
        run.Press("cmdAccept");
        run.Choose(1, 7000, Engineering(inductance, 1e-9, "n"));    // series inductor
        run.Choose(2, 6000, Engineering(capacitance, 1e-12, "p"));  // shunt capacitor

        // The window stays as the user sized it, from page to page and run to run.
        run.navigator.Current()->resize(700, 500);
        run.Press("cmdAnalyze");
        ASSERT_NE(dynamic_cast<AnalyzePage*>(run.navigator.Current()), nullptr);
        EXPECT_EQ(run.navigator.Current()->size(), QSize(700, 500));
        // The chart's arcs end at the network's input impedance.
        EXPECT_NEAR(run.state.CurrentR, 50, 0.5);
        EXPECT_NEAR(run.state.CurrentX, 0, 0.5);

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
        EXPECT_TRUE(exitShown);
        EXPECT_EQ(run.host.Texts("message"), std::vector<std::string>{});
    }

    // The next run starts where this one ended: the same match.
    Session again(lastSession);
    EXPECT_EQ(again.navigator.Current()->size(), QSize(700, 500));
    EXPECT_NEAR(again.state.Value[1][1], inductance, inductance * 1e-3);
    again.Press("cmdStart");
    again.Press("cmdAnalyze");
    EXPECT_NEAR(again.state.CurrentR, 50, 0.5);
    EXPECT_NEAR(again.state.CurrentX, 0, 0.5);
}

}  // namespace
}  // namespace qv

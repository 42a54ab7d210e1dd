#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "platform/QtHost.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

TEST(Pause, PumpsEventsOnceAndEndsAcrossMidnight) {
    ScriptedHost host;
    host.timeOfDay = 86399.0;
    host.clockStep = 0.5;
    Pause(host, 2.0);
    EXPECT_TRUE(host.Count("events") == 1 && host.calls[1].kind == "events");
    EXPECT_NEAR(host.timeOfDay, 1.5, 1e-9);  // stopped on the first reading 2 s on
}

TEST(FileFilter, SplitsPairsAndOffersBothCases) {
    std::vector<std::pair<std::string, std::vector<std::string>>> got;
    for (const auto& e : ParseFileFilter("Quendavore files (*.QVF)|*.QVF|Data|*.DAT;*.txt|All")) got.emplace_back(e.description, e.patterns);
    EXPECT_EQ(got, (decltype(got){{"Quendavore files (*.QVF)", {"*.QVF"}}, {"Data", {"*.DAT", "*.txt"}}, {"All", {"*"}}}));
    EXPECT_TRUE(ParseFileFilter("").empty());

    EXPECT_EQ(QtNameFilters("Quendavore files (*.QVF)|*.QVF|Data|*.DAT;*.txt"),
              (QStringList{"Quendavore files (*.QVF *.qvf)", "Data (*.DAT *.dat *.txt *.TXT)"}));
}

TEST(QtHost, ClockDateAndScreenWithoutDialogs) {
    QtHost host;
    EXPECT_FALSE(host.ShortDate().empty());
    EXPECT_TRUE(host.SecondsSinceMidnight() >= 0 && host.SecondsSinceMidnight() < 86400);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();  // twips are finer than pixels
    EXPECT_TRUE(host.ScreenWidthTwips() > screen.width() && host.ScreenHeightTwips() > screen.height());
}

}  // namespace
}  // namespace qv

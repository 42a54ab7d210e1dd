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
    EXPECT_EQ(host.Count("events"), 1);
    EXPECT_NEAR(host.timeOfDay, 1.5, 1e-9);  // stopped on the first reading 2 s on
    EXPECT_EQ(host.calls[1].kind, "events");
}

TEST(FileFilter, SplitsPairsAndOffersBothCases) {
    const auto f = ParseFileFilter("Quendavore files (*.QVF)|*.QVF|Data|*.DAT;*.txt|All");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].description, "Quendavore files (*.QVF)");
    EXPECT_EQ(f[0].patterns, std::vector<std::string>{"*.QVF"});
    EXPECT_EQ(f[1].patterns, (std::vector<std::string>{"*.DAT", "*.txt"}));
    EXPECT_EQ(f[2].patterns, std::vector<std::string>{"*"});
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

// The sweep set-up dialog: the entry checks, what a good entry stores, and
// the load-table case.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "numbers/Parse.h"
#include "pages/sweepsetup/SweepsetupPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

struct Fixture {
    Fixture() {
        InitSession(state);
        ResetNetwork(state);
        state.LoadMode = 1;
    }
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, ""};
};

QLineEdit* Box(SweepsetupPage& page, const char* name) { return page.Control<QLineEdit>(name); }

void Enter(SweepsetupPage& page, const char* start, const char* stop, const char* points) {
    Box(page, "txtStart")->setText(start);
    Box(page, "txtStop")->setText(stop);
    Box(page, "txtPoints")->setText(points);
}

TEST(SweepsetupPage, EntryChecksInOrder) {
    const std::string start = "Start frequency must be between 10 kHz and 10 GHz";
    const std::string stop = "Stop frequency must be between 10 kHz and 10 GHz";
    const std::string order = "Stop frequency must be above the start frequency";
    const std::string points = "Number of points must be a whole number from 3 to 2001";
    EXPECT_EQ(CheckSweepEntry({10000, 1e10, 3}), "");
    EXPECT_EQ(CheckSweepEntry({1e6, 2e6, 2001}), "");
    EXPECT_EQ(CheckSweepEntry({9999, 2e6, 3}), start);
    EXPECT_EQ(CheckSweepEntry({1e6, 1.1e10, 3}), stop);
    EXPECT_EQ(CheckSweepEntry({1e6, 5000, 3}), stop);
    EXPECT_EQ(CheckSweepEntry({2e6, 2e6, 3}), order);
    EXPECT_EQ(CheckSweepEntry({2e6, 1e6, 3}), order);
    EXPECT_EQ(CheckSweepEntry({1e6, 2e6, 2}), points);
    EXPECT_EQ(CheckSweepEntry({1e6, 2e6, 2002}), points);
    EXPECT_EQ(CheckSweepEntry({1e6, 2e6, 10.5}), points);
}

TEST(SweepsetupPage, GoodEntryWithPrefixesIsStoredAndSwitchesTheSweepOn) {
    Fixture f;
    SweepsetupPage page(f.context);
    page.show();
    Enter(page, "3.5M", "4 M", "201");
    QTest::mouseClick(page.Control<QPushButton>("cmdAccept"), Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(f.host.Count("message"), 0);
    EXPECT_EQ(f.state.SweepStart, 3.5e6);
    EXPECT_EQ(f.state.SweepStop, 4e6);
    EXPECT_EQ(f.state.SweepPoints, 201);
    EXPECT_EQ(f.state.SweepOn, 1);
}

TEST(SweepsetupPage, BadEntryMarksItsBoxAndStoresNothing) {
    Fixture f;
    f.state.SweepStart = 1e6;
    f.state.SweepStop = 2e6;
    f.state.SweepPoints = 11;
    SweepsetupPage page(f.context);
    page.show();
    Enter(page, "1M", "500k", "11");
    EXPECT_FALSE(page.Accept());
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(f.host.Texts("message"),
              std::vector<std::string>{"Stop frequency must be above the start frequency"});
    EXPECT_EQ(BackgroundColour(Box(page, "txtStop")), 0x9999FFu);
    EXPECT_EQ(f.state.SweepStop, 2e6);
    Enter(page, "1M", "3M", "5000");
    EXPECT_FALSE(page.Accept());
    EXPECT_EQ(BackgroundColour(Box(page, "txtStop")), kWhite);
    EXPECT_EQ(BackgroundColour(Box(page, "txtPoints")), 0x9999FFu);
    EXPECT_EQ(f.state.SweepPoints, 11);
    // Cancelled: the old sweep stands, and is on like after any setup.
    QTest::mouseClick(page.Control<QPushButton>("cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(f.state.SweepStop, 2e6);
    EXPECT_EQ(f.state.SweepOn, 1);
}

TEST(SweepsetupPage, OffersASweepRoundTheTestFrequencyAndShowsStoredOnesExactly) {
    Fixture f;
    f.state.TestFrequency = 14e6;
    {
        SweepsetupPage page(f.context);
        EXPECT_EQ(ParseValueOf(Box(page, "txtStart")->text().toStdString()), 7e6);
        EXPECT_EQ(ParseValueOf(Box(page, "txtStop")->text().toStdString()), 21e6);
        EXPECT_EQ(Box(page, "txtPoints")->text(), "101");
        page.close();
    }
    EXPECT_EQ(f.state.SweepOn, 0);  // nothing usable was stored
    f.state.SweepStart = 14212500;
    f.state.SweepStop = 1.2345678e9;
    f.state.SweepPoints = 7;
    SweepsetupPage page(f.context);
    EXPECT_EQ(Box(page, "txtStart")->text(), "14.2125 M");
    EXPECT_EQ(ParseValueOf(Box(page, "txtStop")->text().toStdString()), 1.2345678e9);
    EXPECT_TRUE(page.Accept());
    EXPECT_EQ(f.state.SweepStart, 14212500);
}

TEST(SweepsetupPage, LoadTableSweepFollowsTheTable) {
    Fixture f;
    f.state.LoadMode = 2;
    f.state.SweepPoints = 5;
    for (int i = 1; i <= 5; ++i) f.state.LoadFreq[i] = 1e6 * i;
    f.state.SweepStart = 1e6;
    f.state.SweepStop = 5e6;
    SweepsetupPage page(f.context);
    EXPECT_TRUE(page.TableMode());
    EXPECT_EQ(Box(page, "txtStart")->text(), "1 M");
    EXPECT_EQ(Box(page, "txtStop")->text(), "5 M");
    EXPECT_EQ(Box(page, "txtPoints")->text(), "5");
    EXPECT_FALSE(Box(page, "txtStart")->isEnabled());
    EXPECT_TRUE(page.Control<QLabel>("lblNote1")->text().contains("load table"));
    EXPECT_TRUE(page.Accept());
    EXPECT_EQ(f.state.SweepPoints, 5);
    EXPECT_EQ(f.state.SweepOn, 1);

    Fixture empty;
    empty.state.LoadMode = 2;
    SweepsetupPage none(empty.context);
    EXPECT_FALSE(none.Accept());
    EXPECT_EQ(empty.host.Texts("message"),
              std::vector<std::string>{"There are no test frequencies to allow a sweep"});
    none.close();
    EXPECT_EQ(empty.state.SweepOn, 0);
}

}  // namespace
}  // namespace qv

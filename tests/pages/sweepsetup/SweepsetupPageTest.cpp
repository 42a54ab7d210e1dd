// The sweep set-up dialog: the entry checks, what a good entry stores, and
// the load-table case.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "pages/sweepsetup/SweepsetupPage.h"
#include "pages/PageFixture.h"

namespace qv {
namespace {

struct Fixture : test::PageFixture {
    Fixture() { state.LoadMode = 1; }
};

TEST(SweepsetupPage, GoodEntryIsStoredBadOneMarkedAndNothingStored) {
    Fixture f;
    f.state.SweepStart = 14212500, f.state.SweepStop = 15e6, f.state.SweepPoints = 11;
    SweepsetupPage page(f.context);
    page.show();
    auto* start = page.Control<QLineEdit>("txtStart");
    auto* stop = page.Control<QLineEdit>("txtStop");
    EXPECT_EQ(start->text(), "14.2125 M");  // every digit kept
    stop->setText("500k");
    EXPECT_TRUE(!page.Accept() && BackgroundColour(stop) == 0x9999FFu);
    EXPECT_TRUE(f.state.SweepStop == 15e6 && f.state.SweepOn == 0);
    start->setText("3.5M");
    stop->setText("4 M");
    page.Control<QLineEdit>("txtPoints")->setText("201");
    EXPECT_TRUE(page.Accept() && !page.isVisible() && f.host.Count("message") == 1);
    EXPECT_EQ(std::tuple(f.state.SweepStart, f.state.SweepStop, f.state.SweepPoints, f.state.SweepOn),
              std::tuple(3.5e6, 4e6, std::int16_t(201), std::int16_t(1)));
}

TEST(SweepsetupPage, LoadTableSweepFollowsTheTable) {
    Fixture f;
    f.state.LoadMode = 2;
    f.state.SweepPoints = f.state.LoadRows = 5;
    for (int i = 1; i <= 5; ++i) f.state.LoadFreq[i] = 1e6 * i;
    SweepsetupPage page(f.context);
    EXPECT_TRUE(page.Control<QLineEdit>("txtStop")->text() == "5 M" && !page.Control<QLineEdit>("txtStop")->isEnabled());
    EXPECT_TRUE(page.Control<QLabel>("lblNote1")->text().contains("load table"));
    EXPECT_TRUE(page.Accept());
    EXPECT_TRUE(f.state.SweepPoints == 5 && f.state.SweepOn == 1);

    Fixture empty;  // a table mode without rows has nothing to sweep
    empty.state.LoadMode = 2;
    SweepsetupPage none(empty.context);
    EXPECT_FALSE(none.Accept());
    none.close();
    EXPECT_EQ(empty.state.SweepOn, 0);
}

}  // namespace
}  // namespace qv

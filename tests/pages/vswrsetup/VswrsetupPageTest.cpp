// The VSWR-circle set-up dialog: range checks, messages, and what closing
// it in any way leaves behind.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/vswrsetup/VswrsetupPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

struct Fixture {
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, ""};
};

QLineEdit* Box(VswrsetupPage& page) { return page.Control<QLineEdit>("Text1"); }

void Type(VswrsetupPage& page, const char* text) {
    Box(page)->clear();
    QTest::keyClicks(Box(page), text);
}

TEST(VswrsetupPage, OpensWithTheShortestTextOfTheValue) {
    Fixture f;
    f.state.VswrCircleValue = 1.01f;
    VswrsetupPage page(f.context);
    EXPECT_EQ(page.windowTitle(), "VSWR circle setup");
    EXPECT_EQ(Box(page)->text(), "1.01");
}

TEST(VswrsetupPage, RangeEndsAndMessage) {
    for (const char* good : {"1.01", "20", "3"}) {
        Fixture f;
        VswrsetupPage page(f.context);
        page.show();
        Type(page, good);
        QTest::mouseClick(page.Control<QPushButton>("cmdAccept"), Qt::LeftButton);
        EXPECT_FALSE(page.isVisible()) << good;
        EXPECT_EQ(f.host.Count("message"), 0) << good;
        EXPECT_EQ(f.state.VswrCircleOn, 1);
    }
    for (const char* bad : {"1.005", "20.01", "1", "0", "-2"}) {
        Fixture f;
        f.state.VswrCircleValue = 3;
        VswrsetupPage page(f.context);
        page.show();
        Type(page, bad);
        EXPECT_FALSE(page.Accept()) << bad;
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(f.host.Texts("message"),
                  std::vector<std::string>{"VSWR circle radius must be between 1.01 and 20"});
        page.close();
        EXPECT_EQ(f.state.VswrCircleValue, 3) << bad;
    }
}

TEST(VswrsetupPage, EverySetupLeavesTheCircleOnWithADrawableValue) {
    Fixture f;
    f.state.VswrCircleOn = 0;
    f.state.VswrCircleValue = -1;  // the circle would divide by zero
    {
        VswrsetupPage page(f.context);
        page.show();
        page.close();
    }
    EXPECT_EQ(f.state.VswrCircleOn, 1);
    EXPECT_EQ(f.state.VswrCircleValue, 1.01f);
    EXPECT_EQ(DrawableVswr(0), 2.0f);
    EXPECT_EQ(DrawableVswr(NAN), 2.0f);
    EXPECT_EQ(DrawableVswr(1e30f), 20.0f);
    EXPECT_EQ(DrawableVswr(7), 7.0f);
}

}  // namespace
}  // namespace qv

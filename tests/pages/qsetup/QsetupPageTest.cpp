// The Q-circle set-up dialog: range checks, messages, and what closing it
// in any way leaves behind.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "numbers/Parse.h"
#include "pages/qsetup/QsetupPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

struct Fixture {
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, ""};
};

QLineEdit* Box(QsetupPage& page) { return page.Control<QLineEdit>("Text1"); }

void Type(QsetupPage& page, const char* text) {
    Box(page)->clear();
    QTest::keyClicks(Box(page), text);
}

TEST(QsetupPage, OpensWithTheShortestTextOfTheValue) {
    Fixture f;
    f.state.QCircleValue = 1.5f;
    QsetupPage page(f.context);
    EXPECT_EQ(page.windowTitle(), "Q circle setup");
    EXPECT_EQ(Box(page)->text(), "1.5");
    f.state.QCircleValue = 2;
    QsetupPage again(f.context);
    EXPECT_EQ(Box(again)->text(), "2");
}

TEST(QsetupPage, AcceptsBothEndsAndRejectsJustOutside) {
    for (const char* good : {".1", "20", "0.1", "5"}) {
        Fixture f;
        QsetupPage page(f.context);
        page.show();
        Type(page, good);
        QTest::mouseClick(page.Control<QPushButton>("cmdAccept"), Qt::LeftButton);
        EXPECT_FALSE(page.isVisible()) << good;
        EXPECT_EQ(f.host.Count("message"), 0) << good;
        EXPECT_EQ(f.state.QCircleValue, static_cast<float>(ParseValueOf(good)));
        EXPECT_EQ(f.state.QArcsOn, 1);
    }

    for (const char* bad : {"0.09", "20.5", "-3", "abc"}) {
        Fixture f;
        f.state.QCircleValue = 4;
        QsetupPage page(f.context);
        page.show();
        Type(page, bad);
        EXPECT_FALSE(page.Accept()) << bad;
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(f.host.Texts("message"), std::vector<std::string>{"Q must be between .1 and 20"});
        EXPECT_EQ(BackgroundColour(Box(page)), 0x9999FFu);
        // Closing with the window's button puts the old value back.
        page.close();
        EXPECT_EQ(f.state.QCircleValue, 4) << bad;
        EXPECT_EQ(f.state.QArcsOn, 1);
    }
}

TEST(QsetupPage, EnterKeyAcceptsAndACorrectedEntryIsTaken) {
    Fixture f;
    QsetupPage page(f.context);
    page.show();
    Type(page, "30");
    QTest::keyClick(Box(page), Qt::Key_Return);
    EXPECT_EQ(f.host.Count("message"), 1);
    Type(page, "12k");  // 12000: still too high
    QTest::keyClick(Box(page), Qt::Key_Return);
    Type(page, "7.5");
    QTest::keyClick(Box(page), Qt::Key_Return);
    EXPECT_EQ(f.host.Count("message"), 2);
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(f.state.QCircleValue, 7.5f);
}

TEST(QsetupPage, ClosedWithoutAcceptLeavesADrawableQAndTheArcsOn) {
    // A value from an old file that the arcs could not be drawn with.
    Fixture f;
    f.state.QCircleValue = 0;
    f.state.QArcsOn = 0;
    {
        QsetupPage page(f.context);
        page.show();
        page.close();
    }
    EXPECT_EQ(f.state.QCircleValue, 2);
    EXPECT_EQ(f.state.QArcsOn, 1);
    f.state.QCircleValue = 50;
    { QsetupPage destroyedUnshown(f.context); }
    EXPECT_EQ(f.state.QCircleValue, 20);
}

}  // namespace
}  // namespace qv

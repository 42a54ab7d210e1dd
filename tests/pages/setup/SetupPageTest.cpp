// The options page: always on degrees, the velocity factor's ranges and
// messages, and the way back to the Design page.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "pages/setup/SetupPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

struct Fixture {
    Fixture() { InitSession(state); }
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, ""};
};

QLineEdit* VfBox(SetupPage& page) { return page.Control<QLineEdit>("txtVelocityFactor"); }

TEST(SetupPage, OpensOnDegreesWhateverWasChosen) {
    Fixture f;
    SetupPage page(f.context);
    EXPECT_EQ(page.windowTitle(), "Quendavore 2.06 - Options setup page");
    EXPECT_TRUE(page.Control<QRadioButton>("Option5")->isChecked());
    EXPECT_FALSE(VfBox(page)->isEnabled());
    EXPECT_EQ(page.Control<QLineEdit>("Text1")->text(), "1.0");
    EXPECT_EQ(page.Control<QPushButton>("cmdExit")->text(), "Return");

    for (const char* name : {"Option1", "Option2", "Option4"}) {
        page.Control<QRadioButton>(name)->setChecked(true);
        EXPECT_TRUE(VfBox(page)->isEnabled()) << name;
        EXPECT_TRUE(page.Control<QLabel>("lblVelocityFactor")->isEnabled());
    }
    page.Control<QRadioButton>("Option6")->setChecked(true);
    EXPECT_FALSE(VfBox(page)->isEnabled());

    page.Control<QRadioButton>("Option2")->setChecked(true);  // feet
    SetupPage reopened(f.context);
    EXPECT_TRUE(reopened.Control<QRadioButton>("Option5")->isChecked());
    EXPECT_FALSE(VfBox(reopened)->isEnabled());
}

TEST(SetupPage, OpeningBringsTheVelocityFactorIntoRangeSilently) {
    EXPECT_EQ(OpeningVelocityFactor(0), 1.0);
    EXPECT_EQ(OpeningVelocityFactor(0.00005), 0.0001);
    EXPECT_EQ(OpeningVelocityFactor(-2), 0.0001);
    EXPECT_EQ(OpeningVelocityFactor(1.5), 1.0);
    EXPECT_EQ(OpeningVelocityFactor(0.66), 0.66);
    Fixture f;
    f.state.VelocityFactor = 0;
    SetupPage page(f.context);
    EXPECT_EQ(VfBox(page)->text(), " 1");
    EXPECT_EQ(f.state.VelocityFactor, 1.0);
    EXPECT_EQ(f.host.Count("message"), 0);
}

TEST(SetupPage, ReturnChecksTheVelocityFactorAndShowsTheDesignPage) {
    struct Case {
        const char* typed;
        double stored;
        const char* message;  // nullptr: none
    };
    for (const Case c : {Case{"0", 0.0001, "Velocity factor has been reset to the minimum allowed."},
                         Case{"-1", 0.0001, "Velocity factor has been reset to the minimum allowed."},
                         Case{"1.5", 1.0, "Velocity factor has been reset to the maximum allowed."},
                         Case{"0.66", 0.66, nullptr}, Case{"0.00005", 0.00005, nullptr},
                         Case{"1", 1.0, nullptr}}) {
        Fixture f;
        SetupPage page(f.context);
        page.Control<QRadioButton>("Option4")->setChecked(true);
        VfBox(page)->setText(c.typed);
        QTest::mouseClick(page.Control<QPushButton>("cmdExit"), Qt::LeftButton);
        EXPECT_EQ(f.state.VelocityFactor, c.stored) << c.typed;
        EXPECT_EQ(f.host.Texts("message"),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(f.navigator.shown, std::vector<PageId>{PageId::Design});
    }
}

}  // namespace
}  // namespace qv

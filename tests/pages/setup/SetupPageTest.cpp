// The options page: always on degrees, the velocity factor's messages, and
// the way back to the Design page.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>

#include "pages/setup/SetupPage.h"
#include "pages/PageFixture.h"

namespace qv {
namespace {

struct Fixture : test::PageFixture {
    Fixture() { InitSession(state); }
};

TEST(SetupPage, OpensOnDegreesWhateverWasChosen) {
    Fixture f;
    SetupPage page(f.context);
    auto* factor = page.Control<QLineEdit>("txtVelocityFactor");
    EXPECT_EQ(factor->text(), " 1");  // 0 opens as 1
    page.Control<QRadioButton>("Option2")->setChecked(true);  // feet
    const bool feet = factor->isEnabled();
    page.Control<QRadioButton>("Option6")->setChecked(true);  // wavelengths
    EXPECT_TRUE(feet && !factor->isEnabled());
    page.Control<QRadioButton>("Option2")->setChecked(true);
    SetupPage reopened(f.context);
    EXPECT_TRUE(reopened.Control<QRadioButton>("Option5")->isChecked());
    EXPECT_FALSE(reopened.Control<QLineEdit>("txtVelocityFactor")->isEnabled());
    EXPECT_EQ(OpeningVelocityFactor(0.00005), 0.0001);
}

TEST(SetupPage, ReturnChecksTheVelocityFactor) {
    const std::string low = "Velocity factor has been reset to the minimum allowed.";
    const std::string high = "Velocity factor has been reset to the maximum allowed.";
    struct Case { const char* typed; double stored; std::vector<std::string> messages; };
    for (const Case& c : {Case{"0", 0.0001, {low}}, Case{"1.5", 1.0, {high}},
                          Case{"0.66", 0.66, {}}, Case{"0.00005", 0.00005, {}}}) {
        Fixture f;
        SetupPage page(f.context);
        page.Control<QLineEdit>("txtVelocityFactor")->setText(c.typed);
        test::ClickButton(page, "cmdExit");
        EXPECT_EQ(f.state.VelocityFactor, c.stored) << c.typed;
        EXPECT_TRUE(f.host.Texts("message") == c.messages && f.navigator.shown == std::vector<PageId>{PageId::Design});
    }
}

}  // namespace
}  // namespace qv

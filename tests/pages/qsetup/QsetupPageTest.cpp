// The Q-circle set-up dialog: range ends, the message, and what closing it
// any way leaves behind.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "pages/qsetup/QsetupPage.h"
#include "pages/PageFixture.h"

namespace qv {
namespace {

using Fixture = test::PageFixture;

TEST(QsetupPage, RangeEndsAcceptedJustOutsideRejected) {
    const std::pair<const char*, bool> cases[] = {
        {".1", true}, {"20", true}, {"0.09", false}, {"20.5", false}};
    for (const auto& [typed, good] : cases) {
        Fixture f;
        f.state.QCircleValue = 1.5f;
        QsetupPage page(f.context);
        page.show();
        auto* box = page.Control<QLineEdit>("Text1");
        EXPECT_EQ(box->text(), "1.5");
        box->setText(typed);
        test::ClickButton(page, "cmdAccept");
        EXPECT_EQ(page.isVisible(), !good) << typed;
        EXPECT_EQ(f.host.Texts("message"),
                  good ? std::vector<std::string>{}
                       : std::vector<std::string>{"Q must be between .1 and 20"});
        page.close();  // a rejected value is withdrawn
        EXPECT_EQ(f.state.QCircleValue, good ? std::stof(typed) : 1.5f) << typed;
        EXPECT_EQ(f.state.QArcsOn, 1);
    }
}

TEST(QsetupPage, EnterRetriesAndAnUndrawableOldValueIsMended) {
    Fixture f;
    f.state.QCircleValue = 0;  // from an old file
    {
        QsetupPage page(f.context);
        page.show();
        auto* box = page.Control<QLineEdit>("Text1");
        box->setText("12k");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(BackgroundColour(box), 0x9999FFu);
        page.close();
    }
    EXPECT_EQ(f.state.QCircleValue, 2);
}

}  // namespace
}  // namespace qv

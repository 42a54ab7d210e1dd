// The Q-circle set-up dialog: range ends, the message, and what closing it
// any way leaves behind. The dialog's code is shared with the VSWR circle's.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "pages/qsetup/QsetupPage.h"
#include "pages/PageFixture.h"

namespace qv {
namespace {

TEST(QsetupPage, RangeEndsAcceptedJustOutsideRejectedAndAnUndrawableOldValueMended) {
    const std::pair<const char*, bool> cases[] = {{".1", true}, {"20", true}, {"0.09", false}, {"20.5", false}};
    for (const auto& [typed, good] : cases) {
        test::PageFixture f;
        f.state.QCircleValue = 0;  // from an old file: cannot be drawn
        QsetupPage page(f.context);
        page.show();
        auto* box = page.Control<QLineEdit>("Text1");
        box->setText(typed);
        if (good) test::ClickButton(page, "cmdAccept");
        else QTest::keyClick(box, Qt::Key_Return);  // Return does what Accept does
        EXPECT_EQ(page.isVisible(), !good) << typed;
        EXPECT_EQ(f.host.Texts("message"),
                  good ? std::vector<std::string>{} : std::vector<std::string>{"Q must be between .1 and 20"});
        EXPECT_EQ(BackgroundColour(box) == 0x9999FFu, !good) << typed;
        page.close();  // a rejected value is withdrawn, the old one mended
        EXPECT_EQ(f.state.QCircleValue, good ? std::stof(typed) : 2.0f) << typed;
        EXPECT_EQ(f.state.QArcsOn, 1);
    }
}

}  // namespace
}  // namespace qv

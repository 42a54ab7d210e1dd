// The VSWR-circle set-up dialog: range ends, the message, and what closing
// it any way leaves behind.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "pages/vswrsetup/VswrsetupPage.h"
#include "pages/PageFixture.h"

namespace qv {
namespace {

TEST(VswrsetupPage, RangeEndsAndTheCircleAlwaysOn) {
    for (const auto& [typed, good] : {std::pair{"1.01", true}, {"20", true}, {"1.005", false}, {"20.01", false}}) {
        test::PageFixture f;
        f.state.VswrCircleValue = -1;  // the circle would divide by zero
        VswrsetupPage page(f.context);
        page.show();
        page.Control<QLineEdit>("Text1")->setText(typed);
        EXPECT_EQ(page.Accept(), good) << typed;
        EXPECT_EQ(f.host.Texts("message"),
                  good ? std::vector<std::string>{}
                       : std::vector<std::string>{"VSWR circle radius must be between 1.01 and 20"});
        page.close();
        EXPECT_TRUE(f.state.VswrCircleValue == (good ? std::stof(typed) : 1.01f) && f.state.VswrCircleOn == 1) << typed;
    }
    EXPECT_TRUE(DrawableVswr(0) == 2.0f && DrawableVswr(1e30f) == 20.0f);
}

}  // namespace
}  // namespace qv

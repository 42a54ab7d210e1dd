#include <gtest/gtest.h>

#include "files/NetworkFile.h"
#include "files/TempDir.h"
#include "pages/PageFixture.h"
#include "pages/opening/OpeningPage.h"
#include "session/Stages.h"

namespace qv {
namespace {

class OpeningPageTest : public ::testing::Test, protected test::PageFixture {
protected:
    OpeningPageTest() { context.lastSessionPath = dir.File("LASTSESSION.QVF"); }
    test::TempDir dir;
};

// The first run starts from the defaults (their values are the session
// tests'), a later one from the last session.
TEST_F(OpeningPageTest, DefaultsOrTheLastSessionAndTheChartCentredForTheScreen) {
    state.ElementType[2] = ShuntInductor, state.GridType = 4, state.TopMode[5] = 2;  // leftovers to clear
    MakeOpeningPage(context);
    EXPECT_EQ(host.Count("message"), 0);
    EXPECT_TRUE(state.ElementType[2] == 0 && state.GridType == 1 && state.TopMode[5] == 0);

    SessionState saved;
    ResetNetwork(saved);
    saved.TestFrequency = 14.2e6;
    test::SetStage(saved, 1, SeriesInductor, 1.02e-6);
    ASSERT_TRUE(WriteLastSession(saved, context.lastSessionPath).ok());
    state.Value[1][7] = 9;  // never saved, so cleared

    host.screenHeightTwips = 16200;
    auto page = MakeOpeningPage(context);
    EXPECT_TRUE(state.TestFrequency == 14.2e6 && state.Value[1][1] == 1.02e-6 && state.Value[1][7] == 0);
    EXPECT_EQ(std::pair(state.ChartCenterX, state.ChartCenterY), std::pair(8000.0f, 0.55f * 16200));
    test::ClickButton(*page, "cmdStart");
    EXPECT_EQ(navigator.shown, std::vector<PageId>{PageId::Design});
}

// The label point sizes follow the real screen; on a small wide screen, an
// old 4:3 one and a common wide one every text must fit its label and keep
// clear of the others.
TEST_F(OpeningPageTest, LabelTextsFitAndDoNotCollide) {
    for (auto [width, height] : {std::pair{12000.0, 6750.0}, {15360.0, 11520.0}, {28800.0, 16200.0}}) {
        host.screenWidthTwips = width, host.screenHeightTwips = height;
        auto page = MakeOpeningPage(context);
        page->show();
        std::vector<std::pair<std::string, QRect>> texts;
        for (const QWidget* w : page->findChildren<QWidget*>()) {
            const QSize need = w->fontMetrics().size(Qt::TextSingleLine, w->property("text").toString());
            const std::string name = w->objectName().toStdString() + " at " + std::to_string(width);
            EXPECT_TRUE(need.width() <= w->width() && w->fontMetrics().ascent() <= w->height()) << name;
            texts.emplace_back(name, QRect(w->pos(), need));
        }
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (std::size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(texts[i].second.intersects(texts[j].second))
                    << texts[i].first << " / " << texts[j].first;
    }
}

}  // namespace
}  // namespace qv

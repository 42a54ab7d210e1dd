#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "pages/match/MatchPage.h"
#include "pages/PageFixture.h"
#include "session/Stages.h"

namespace qv {

TEST(MatchPage, ListsTheChoicesAndReplacesTheStagesOnlyAfterYes) {
    test::PageFixture f;
    SessionState& s = f.state;
    s = test::Fresh();
    s.TestFrequency = 14.2e6, s.Value[0][1] = 20, s.Value[0][2] = 60;
    test::SetStage(s, 1, SeriesResistor, 10);
    MatchPage page(f.context);
    auto* list = page.Control<QListWidget>("lstSolutions");
    EXPECT_EQ(list->count(), 1 + 4);  // the header and the four L networks
    EXPECT_TRUE(page.Control<QLabel>("lblLoad")->text().startsWith("Load 20 +j60 ohms at 14.2 MHz"));

    page.Control<QRadioButton>("optTopologyPi")->setChecked(true);
    page.Control<QLineEdit>("txtLoadedQ")->setText("1.5");
    page.Compute();
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(page.Control<QLabel>("lblNote")->text(),
              "The loaded Q must be at least 1.733 for a Pi network on this load.");
    page.Control<QLineEdit>("txtLoadedQ")->setText("5");
    page.Control<QRadioButton>("optSeriesE12")->setChecked(true);
    page.Compute();
    EXPECT_EQ(list->count(), 1 + 4);
    EXPECT_TRUE(list->item(1)->text().contains(" Pi "));

    f.host.yesNoAnswers = {false, true};
    EXPECT_TRUE(!page.Use(false) && s.ElementType[1] == SeriesResistor);
    list->setCurrentRow(2);
    EXPECT_TRUE(page.Use(true));
    const auto& chosen = page.Solutions().solutions[1].standard.stages;  // E12 values
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(s.ElementType[k + 1] == chosen[k].code && s.Value[k + 1][1] == chosen[k].value[1]) << k;
    EXPECT_TRUE(s.ElementType[4] == EmptyStage && f.navigator.shown == std::vector<PageId>{PageId::Analyze});
    f.context.undo.Undo();  // the replacement is one entry
    EXPECT_TRUE(s.ElementType[1] == SeriesResistor && s.ElementType[2] == EmptyStage);
}

}  // namespace qv

// The match dialog: what it lists for the choices made, and that a network
// replaces the stages only once the user says yes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "pages/match/MatchPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

struct Fixture {
    Fixture() {
        InitSession(state);
        ResetNetwork(state);
        state.LoadMode = 1;
        state.TestFrequency = 14.2e6;
        state.Value[0][1] = 20;
        state.Value[0][2] = 60;
        state.ElementType[1] = SeriesResistor;
        state.Value[1][1] = 10;
    }
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, ""};
};

TEST(MatchPage, ListsTheChosenTopologiesAndRefusesTooSmallALoadedQ) {
    Fixture f;
    MatchPage page(f.context);
    auto* list = page.Control<QListWidget>("lstSolutions");
    EXPECT_EQ(list->count(), 1 + 4);  // the header and the four L networks
    EXPECT_TRUE(list->item(1)->text().contains("low-pass"));
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
    EXPECT_TRUE(page.Solutions().solutions[0].snapped);
}

TEST(MatchPage, ReplacesTheStagesOnlyAfterConfirmation) {
    Fixture f;
    MatchPage page(f.context);
    f.host.yesNoAnswers.push_back(false);
    EXPECT_FALSE(page.Use(false));
    EXPECT_EQ(f.state.ElementType[1], SeriesResistor);

    page.Control<QListWidget>("lstSolutions")->setCurrentRow(2);
    f.host.yesNoAnswers.push_back(true);
    EXPECT_TRUE(page.Use(true));
    const auto& chosen = page.Solutions().solutions[1].exact.stages;
    EXPECT_EQ(f.state.ElementType[1], chosen[0].code);
    EXPECT_EQ(f.state.Value[2][1], chosen[1].value[1]);
    EXPECT_EQ(f.state.ElementType[3], EmptyStage);
    EXPECT_EQ(f.navigator.shown, std::vector<PageId>{PageId::Analyze});
}

}  // namespace
}  // namespace qv

// The optimise dialog: which parts it offers, what a run leaves in the
// design, Keep, Undo and Close, and snapping.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <memory>

#include "calc/StandardValues.h"
#include "pages/optimise/OptimisePage.h"
#include "pages/PageFixture.h"
#include "session/Stages.h"

namespace qv {
namespace {

struct Fixture : test::PageFixture {
    Fixture() {
        state = test::Fresh();
        state.TestFrequency = 14e6;
        state.Value[0][1] = 25;
        test::SetStage(state, 1, SeriesInductor, 600e-9);
        test::SetStage(state, 2, ShuntCapacitor, 100e-12);
        test::SetStage(state, 4, ShuntResistor, 5000);
        state.SweepStart = 13e6;
        state.SweepStop = 15e6;
        state.SweepPoints = 21;
    }
};

bool Enabled(const OptimisePage& page, const char* name) { return page.Control<QWidget>(name)->isEnabled(); }
QCheckBox* Stage(const OptimisePage& page, int stage) { return page.Control<QCheckBox>(QString("chkStage%1").arg(stage)); }

TEST(OptimisePage, OffersTheTunablePartsAndNeedsABand) {
    Fixture f;
    OptimisePage page(f.context);
    for (int stage : {1, 2}) EXPECT_TRUE(Stage(page, stage)->isEnabled() && Stage(page, stage)->isChecked()) << stage;
    for (int stage : {3, 4}) EXPECT_FALSE(Stage(page, stage)->isEnabled()) << stage;
    EXPECT_EQ(Stage(page, 2)->text(), "Stage 2: shunt capacitor 100 pF");
    EXPECT_TRUE(Enabled(page, "cmdOptimise") && !Enabled(page, "cmdKeep"));
    Stage(page, 1)->setChecked(false);
    Stage(page, 2)->setChecked(false);
    EXPECT_FALSE(Enabled(page, "cmdOptimise"));

    f.state.SweepPoints = 0;
    OptimisePage noBand(f.context);
    EXPECT_TRUE(!Enabled(noBand, "cmdOptimise") && noBand.Control<QLabel>("lblBand")->text().startsWith("No band"));
}

TEST(OptimisePage, RunThenUndoOrCloseOrSnapAndKeep) {
    Fixture f;
    {
        OptimisePage page(f.context);
        Stage(page, 1)->setChecked(false);  // only the capacitor
        test::ClickButton(page, "cmdOptimise");
        EXPECT_TRUE(f.state.Value[1][1] == 600e-9 && f.state.Value[2][1] != 100e-12);
        // The window was kept painted; the result is told.
        EXPECT_TRUE(f.host.Count("events") > 0 && page.Control<QLabel>("lblResult")->text().startsWith("Worst VSWR: "));
        test::ClickButton(page, "cmdUndo");
        EXPECT_TRUE(f.state.Value[2][1] == 100e-12 && !page.Pending());
        test::ClickButton(page, "cmdOptimise");
        test::ClickButton(page, "cmdClose");
        EXPECT_EQ(f.state.Value[2][1], 100e-12);  // closed without keeping
    }
    {
        OptimisePage page(f.context);
        page.RunOptimiser();
        page.Control<QComboBox>("cboSeries")->setCurrentText("E12");
        page.Snap();  // the ticked components onto the series
        for (int stage : {1, 2}) {
            const SeriesNeighbours n = NeighboursInSeries(f.state.Value[stage][1], kE12);
            EXPECT_EQ(n.below, n.above) << f.state.Value[stage][1];
        }
        EXPECT_TRUE(page.Control<QLabel>("lblSnap")->text().startsWith("E12: worst VSWR "));
        const double l = f.state.Value[1][1], c = f.state.Value[2][1];
        page.Keep();
        EXPECT_FALSE(page.isVisible());
        EXPECT_TRUE(f.state.Value[1][1] == l && f.state.Value[2][1] == c);
    }
    EXPECT_NE(f.state.Value[2][1], 100e-12);  // kept after the dialog is gone
    EXPECT_EQ(f.context.undo.Count(), 1);      // Undo, Close and Keep made one entry
    f.context.undo.Undo();
    EXPECT_TRUE(f.state.Value[1][1] == 600e-9 && f.state.Value[2][1] == 100e-12);
}

}  // namespace
}  // namespace qv

// The Design page driven as a user would: clicks on the drawing, buttons and
// typing, with scripted dialogs and a recording navigator.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "files/NetworkFile.h"
#include "files/TempDir.h"
#include "numbers/Format.h"
#include "pages/PageFixture.h"
#include "pages/design/DesignPage.h"
#include "session/Stages.h"

namespace qv {
namespace {

using Mode = DesignPage::Mode;
using Texts = std::vector<std::string>;
using test::TempDir;

class DesignPageTest : public ::testing::Test, protected test::PageFixture {
protected:
    DesignPageTest() { InitSession(state); ResetNetwork(state); }
    DesignPage& Page() {
        if (!page) (page = std::make_unique<DesignPage>(context))->show();
        return *page;
    }
    void Click(double x, double y) { test::SendMouse(Page(), QEvent::MouseButtonPress, x, y); }
    void Press(const char* button) { test::ClickButton(Page(), button); }
    QLineEdit* Box(const char* n) { return Page().Control<QLineEdit>(n); }
    void Type(const char* box, const char* text) { Box(box)->clear(); QTest::keyClicks(Box(box), text); }
    void PickStage(int k) { Click((Page().Edges()[k - 1] + Page().Edges()[k]) / 2.0, 1500); }
    void Choose(int stage, double x, double y) { PickStage(stage); Click(x, y); }
    bool AnalyzeEnabled() { return Page().Control<QPushButton>("cmdAnalyze")->isEnabled(); }
    Texts Messages() const { return host.Texts("message"); }

    std::unique_ptr<DesignPage> page;
};

TEST_F(DesignPageTest, OpeningRepairsTheSession) {
    state.SystemZ = state.TestFrequency = state.VelocityFactor = state.LoadMode = 0;
    EXPECT_TRUE(Page().CurrentMode() == Mode::Idle && Box("txtFrequency")->text() == "1 M");
    EXPECT_TRUE(state.LoadMode == 1 && state.VelocityFactor == 1.0);
}

TEST_F(DesignPageTest, FrequencyImpedanceAndAnalyzeClampWithMessages) {
    const std::string low = "Frequency has been reset to the minimum allowed.";
    const std::string high = "Frequency has been reset to the maximum allowed.";
    struct Case { bool z; const char* typed; double want; Texts said; };  // z: the system impedance
    for (const Case& c : {Case{false, "5k", 1e4, {low}}, Case{false, "20G", 1e10, {high}}, Case{false, "10k", 1e4, {}},
                          Case{false, "10G", 1e10, {}}, Case{true, "10000", 1e4, {}},
                          Case{true, "0.5", 1, {"System impedance has been reset to the minimum allowed."}},
                          Case{true, "12000", 1e4, {"System impedance has been reset to the maximum allowed."}}}) {
        host.calls.clear();
        Type(c.z ? "txtSystemZ" : "txtFrequency", c.typed);
        Press(c.z ? "cmdEnterZ" : "cmdEnterFreq");
        EXPECT_EQ(c.z ? state.SystemZ : state.TestFrequency, c.want) << c.typed;
        EXPECT_EQ(Messages(), c.said) << c.typed;
    }
    host.calls.clear();
    Type("txtFrequency", "5k");
    Press("cmdAnalyze");
    EXPECT_EQ(Messages(), Texts{low});
    Press("cmdSetup"), Press("cmdExit");
    Type("txtFrequency", "14.2M");  // Match works on the frequency the box shows, typed or not entered
    Press("cmdMatch");
    EXPECT_EQ(navigator.shown, (std::vector<PageId>{PageId::Analyze, PageId::Setup}));
    EXPECT_EQ(navigator.modal, (std::vector<PageId>{PageId::Exit, PageId::Match}));
    EXPECT_EQ(state.TestFrequency, 14.2e6);
}

TEST_F(DesignPageTest, LoadTableTakesTheMiddlePointAndKeepsAnOlderTable) {
    TempDir dir;
    auto load = [&](const char* name, const std::string& text) {
        test::WriteAll(dir.File(name), text);
        host.fileAnswers.push_back(dir.File(name));
        Press("cmdGetLoad");
    };
    Press("cmdGetLoad");  // cancelled with no table held
    EXPECT_EQ(Messages(), Texts{"There are no test frequencies to allow a sweep"});
    load("t.RJX", "1M, 10, -1\r\n2M, 20, -1\r\n3M, 30, -1\r\n4M, 40, -1\r\n"
                  "5M, 50, -1\r\n6M, 60, -1\r\n7M, 70, -1\r\n8M, 80, -1\r\n");
    EXPECT_TRUE(state.LoadMode == 2 && state.Value[0][1] == 50);  // which row is the load-table tests'
    EXPECT_EQ(Box("txtFrequency")->text().toStdString(), FormatGeneral(5e6));
    Type("txtFrequency", "3M");  // ignored: the table's point rules
    Press("cmdEnterFreq");
    EXPECT_EQ(state.TestFrequency, 5e6);
    load("t.RJX", "");  // keeps the table, quietly
    EXPECT_EQ(Messages().size(), 1u);
    // Refused whole with a message: a network file (rows of 0 Hz) and a
    // broken Touchstone file (the content tells).
    state.Value[0][1] = 77;
    load("t.RJX", "Quendavore network file\r\nFrequency: 14200000 \r\n");
    load("m.RJX", "# Hz S RI R 50\n1 0 0\n2 x 0\n");
    EXPECT_TRUE(state.SweepPoints == 8 && state.LoadFreq[1] == 1e6 && state.Value[0][1] == 77);
    EXPECT_EQ(Messages().size(), 3u);
    load("m.s2p", "# MHz S RI R 50\n1 .2 0 0 0 0 0 0 0\n2 .2 0 0 0 0 0 0 0\n");
    EXPECT_TRUE(state.SweepPoints == 2 && std::abs(state.Value[0][1] - 75) < 1e-9) << state.Value[0][1];
    EXPECT_EQ(Messages().size(), 4u);  // the S11 note
    // Without a table in use, a file that gives no rows leaves none: the
    // rows still held are no table, the count is a sweep's.
    state.LoadMode = 1;
    state.SweepPoints = 50;
    host.fileAnswers.push_back(dir.File("missing.RJX"));
    Press("cmdGetLoad");
    EXPECT_EQ(state.LoadMode, 1);
    EXPECT_EQ(Messages().back(), "There are no test frequencies to allow a sweep");
}

// Codes no stage has (a hand-edited file) move like any other, are picked
// quietly and leave the drawing finite.
TEST_F(DesignPageTest, CompactMovesStagesDownOnePlacePerPress) {
    state.ElementType = {0, 0, 0, 3, 0, 14};
    state.Value[5][1] = 9;
    auto types = [this] { return std::vector<int>(state.ElementType.begin() + 1, state.ElementType.begin() + 6); };
    Press("cmdCompact");
    EXPECT_EQ(types(), (std::vector<int>{0, 3, 0, 14, 0}));
    Press("cmdCompact");
    EXPECT_EQ(types(), (std::vector<int>{3, 0, 14, 0, 0}));
    EXPECT_TRUE(state.Value[3][1] == 9 && state.Value[5][1] == 0);
    state.ElementType[2] = -1;
    PickStage(3), PickStage(2);
    EXPECT_TRUE(Messages().empty());
    for (const auto& op : page->Recording().Ops()) ASSERT_TRUE(std::isfinite(op.x1 + op.y1 + op.x2 + op.y2));
}

TEST_F(DesignPageTest, NetworkFilesGoThroughTheDialogs) {
    TempDir dir;
    SessionState other = state;
    test::SetStage(other, 2, SeriesResistor, 33);
    other.SystemZ = 75;
    ASSERT_TRUE(WriteNetworkFile(dir.File("net.QVF"), other).ok());

    state.CurrentFileName = "old.QVF";
    Press("cmdGetNet");  // both cancelled
    Press("cmdSave");
    EXPECT_TRUE(state.CurrentFileName == "old.QVF" && Messages().empty());
    PickStage(1);
    host.fileAnswers.push_back(dir.File("net.QVF"));
    Press("cmdGetNet");
    EXPECT_EQ(state.ElementType[2], SeriesResistor);
    EXPECT_EQ(Box("txtSystemZ")->text().toStdString(), FormatImpedance(75));
    EXPECT_TRUE(page->windowTitle().endsWith("net.QVF") && page->CurrentMode() == Mode::Idle);

    host.fileAnswers.push_back(dir.File("copy.TXT"));
    Press("cmdSave");
    EXPECT_TRUE(std::filesystem::exists(dir.path / "copy.QVF"));  // the writer's extension
    EXPECT_EQ(state.CurrentFileName, dir.File("copy.QVF"));

    // A failed save says why and the design keeps the name it was saved under.
    host.fileAnswers.push_back(dir.File("gone/net"));
    Press("cmdSave");
    EXPECT_EQ(Messages(), Texts{"The file " + dir.File("gone/net.QVF") +
                                " could not be written: No such file or directory."});
    EXPECT_EQ(state.CurrentFileName, dir.File("copy.QVF"));
}

TEST_F(DesignPageTest, ClicksOutsideTheSchematicAndPaletteDoNothing) {
    const auto e = Page().Edges();
    Click(e[0] - 1201, 1500);  // left of the load
    Click(e[2] + 100, 2200);   // below the row
    Click(5000, 4800);         // where the palette would be
    EXPECT_TRUE(Page().CurrentMode() == Mode::Idle && Page().SelectedStage() == 0);
    PickStage(3);
    PickStage(2);  // another stage instead
    EXPECT_EQ(Page().SelectedStage(), 2);
    Click(3500, 4800);  // a row's very left edge chooses nothing
    Type("txtSystemZ", "75");
    Press("cmdEnterZ");  // redraws the generator's text, keeps the palette
    Click(5000, 4800);
    EXPECT_EQ(state.ElementType[2], SeriesCapacitor);
}

TEST_F(DesignPageTest, PaletteBandsChooseEveryElement) {
    struct Pick { double x, y; int code; };
    const Pick picks[] = {{5000, 4800, 1},  {6000, 4400, 2},  {7000, 5300, 3},  {8500, 4800, 4},
                          {9500, 4800, 5},  {10300, 4800, 6}, {4000, 6800, 7},  {5000, 6800, 8},
                          {6000, 6300, 9},  {7000, 7400, 10}, {8000, 6800, 11}, {9500, 6800, 12},
                          {11200, 6800, 13}};
    for (const auto& pick : picks) {
        Choose(1, pick.x, pick.y);
        PickStage(2);  // while editing no stage can be picked, nor Analyze pressed
        EXPECT_TRUE(state.ElementType[1] == pick.code && Page().SelectedStage() == 1 && !AnalyzeEnabled())
            << pick.x << "," << pick.y;
        Press("cmdAccept");
    }
    state.Value[1][1] = 5;
    Choose(1, 4000, 4800);  // the wire: slots cleared, idle at once
    EXPECT_TRUE(state.Value[1][1] == 0 && Page().CurrentMode() == Mode::Idle && AnalyzeEnabled());
}

TEST_F(DesignPageTest, ClickBetweenTheRowsEditsThePresentElement) {
    test::SetStage(state, 2, SeriesCapacitor, 100e-12);
    Choose(2, 6000, 5800);
    EXPECT_EQ(Box("txtValue1")->text().toStdString() + "|" + Box("txtValue2")->text().toStdString(),
              FormatCapacitance(100e-12) + "|");  // a zero Q is left blank
    Press("cmdAccept");
    state.Value[4][1] = 7;
    Choose(4, 6000, 5800);  // an empty stage
    EXPECT_TRUE(state.Value[4][1] == 0 && Page().CurrentMode() == Mode::Idle);
}

// The value rules are their own tests'; the page reads the boxes into them,
// shows their messages and keeps Analyze grey while a stage is invalid.
TEST_F(DesignPageTest, AcceptAppliesTheValueRules) {
    Choose(1, 7000, 4800);  // series inductor, Q box empty
    Type("txtValue1", "1u");
    Press("cmdAccept");
    EXPECT_TRUE(state.Value[1][1] == 1e-6 && state.Value[1][2] == 1000 && Messages().empty() && AnalyzeEnabled());
    Choose(4, 8000, 6800);  // series L-C pair, nothing typed
    Press("cmdAccept");
    EXPECT_EQ(Messages(), (Texts{"Please re-enter the series inductor value",
                                 "Please re-enter the series capacitor value"}));
    EXPECT_FALSE(AnalyzeEnabled());
}

TEST_F(DesignPageTest, LoadEditorReplacesANonPositiveResistance) {
    state.Value[0][2] = -25;
    Click(Page().Edges()[0] - 600, 1500);
    EXPECT_EQ(Box("txtValue2")->text().toStdString(), FormatResistance(-25));
    Type("txtValue1", "-5");
    Type("txtValue2", "-40");
    Press("cmdAccept");
    EXPECT_TRUE(state.Value[0][1] == 50 && state.Value[0][2] == -40);
    EXPECT_EQ(Messages(), Texts{"The entered value of zero has been changed to 50 ohms"});
}

// Return commits what the button beside the box commits, each commit is one
// undo entry, and Ctrl+Z in the box just committed undoes the design, not
// the box's text; a box with uncommitted typing keeps Ctrl+Z for itself.
TEST_F(DesignPageTest, ReturnCommitsAndEachEditIsOneUndoEntry) {
    Page().activateWindow();  // shortcuts reach the active window only
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Page()));
    Type("txtFrequency", "2M");
    QTest::keyClick(Box("txtFrequency"), Qt::Key_Return);
    EXPECT_EQ(state.TestFrequency, 2e6);
    Choose(1, 5000, 4800);  // series capacitor: the choice and its values are one edit
    Type("txtValue1", "47p");
    QTest::keyClick(Box("txtValue1"), Qt::Key_Enter);
    Press("cmdEnterZ");  // nothing changed: no entry
    EXPECT_TRUE(state.ElementType[1] == SeriesCapacitor && context.undo.Count() == 2);

    Type("txtSystemZ", "75");
    QTest::keyClick(Box("txtSystemZ"), Qt::Key_Z, Qt::ControlModifier);  // the box's own typing
    EXPECT_EQ(context.undo.Count(), 2);
    Type("txtSystemZ", "75");
    QTest::keyClick(Box("txtSystemZ"), Qt::Key_Return);
    EXPECT_EQ(state.SystemZ, 75);
    QTest::keyClick(Box("txtSystemZ"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.SystemZ, 50);
    QTest::keyClick(Box("txtSystemZ"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(state.ElementType[1] == EmptyStage && state.Value[1][1] == 0);
    QTest::keyClick(&Page(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(state.Value[1][1], 47e-12);
    QTest::keyClick(&Page(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state.SystemZ, 75);
}

}  // namespace
}  // namespace qv

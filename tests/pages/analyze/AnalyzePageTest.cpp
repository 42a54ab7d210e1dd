// The Analysis page driven as the user drives it: mouse events at device
// positions, button clicks and typed text, read back from its controls and
// from SessionState.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <functional>

#include "chart/ElementArcs.h"
#include "chart/Overlays.h"
#include "chart/SweepTrace.h"
#include "files/TempDir.h"
#include "pages/PageFixture.h"
#include "pages/analyze/AnalyzePage.h"
#include "schematic/NetworkPanel.h"
#include "session/Stages.h"

namespace qv {
namespace {

class AnalyzePageTest : public ::testing::Test, protected test::PageFixture {
protected:
    void SetUp() override {
        s = test::Fresh();
        s.ChartCenterX = 8000;
        s.ChartCenterY = 1234;  // the page puts it back to its start
    }
    void Open() { page = MakeAnalyzePage(context); }

    template <class T = QAbstractButton>
    T* C(const char* name) {
        T* w = page->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { C(name)->click(); }
    void Type(const char* name, const char* text) { C<QLineEdit>(name)->setText(text); }
    std::string Box(const char* name) { return C<QLineEdit>(name)->text().toStdString(); }
    std::string Label(const char* name) { return C<QLabel>(name)->text().toStdString(); }
    bool Shown(const char* name) { return !C<QWidget>(name)->isHidden(); }

    void Press(Qt::MouseButton b, double x, double y) { test::SendMouse(*page, QEvent::MouseButtonPress, x, y, b, b); }
    void Move(Qt::MouseButtons held, double x, double y) {
        test::SendMouse(*page, QEvent::MouseMove, x, y, Qt::NoButton, held);
    }
    void Release(Qt::MouseButton b) { test::SendMouse(*page, QEvent::MouseButtonRelease, 0, 0, b, Qt::NoButton); }
    void Pick(double x) { Press(Qt::LeftButton, x, 1000), Release(Qt::LeftButton); }

    int Drawn(Colour c) { return int(std::ranges::count(page->Recording().Ops(), c, &DrawOp::colour)); }
    Colour Back(const char* name) { return BackgroundColour(C<QWidget>(name)); }
    bool Enabled(const char* name) { return C(name)->isEnabled(); }

    // Every coordinate handed to drawing is finite and on the bounded page.
    void ExpectSoundDrawing() {
        for (const DrawOp& op : page->Recording().Ops())
            for (double v : {op.x1, op.y1, op.x2, op.y2})
                ASSERT_TRUE(std::isfinite(v) && std::fabs(v) <= kPageLimit);
    }

    SessionState& s = state;
    std::unique_ptr<PageWindow> page;
};

TEST_F(AnalyzePageTest, OpeningSetsViewTuningAndCaption) {
    s.CurrentFileName = "ant.QVF";
    s.TuneSize = 0.5f;  // anything but 1 reopens as fine
    Open();
    EXPECT_EQ(page->windowTitle().toStdString(), "Quendavore 2.06 - Analysis  ant.QVF");
    EXPECT_TRUE(s.ChartCenterY == kDefaultCenterY && Back("cmdArcs") == kSwitchOnColour && s.TuneStage == 11);
    for (const char* n : {"txtZ1", "fraTop", "cmd4down10", "fraBottom", "lblRho", "lbljBvalue"})
        EXPECT_FALSE(Shown(n)) << n;
    EXPECT_TRUE(Box("txtFreq") == " 1 M" && s.TuneSize == 0.01f && C("optTuneSizeFine")->isChecked());
}

// The steps, the drag threshold and the reset are the chart view's; the
// page applies them and greys the zoom buttons at the ends.
TEST_F(AnalyzePageTest, DragZoomButtonsAndReset) {
    Open();
    Press(Qt::RightButton, 7000, 1800);
    Move(Qt::RightButton, 7300, 2100);
    EXPECT_EQ(std::pair(s.ChartCenterX, s.ChartCenterY), std::pair(8300.0f, float(kDefaultCenterY + 300)));
    for (int i = 0; i < 6; ++i) Click("cmdIn");
    EXPECT_FALSE(Enabled("cmdIn"));
    Move(Qt::RightButton, -400000, 900000);
    ExpectSoundDrawing();
    for (int i = 0; i < 6; ++i) Click("cmdOut");
    EXPECT_FALSE(Enabled("cmdOut"));
    Click("cmdIn"), Click("cmdReset");
    EXPECT_TRUE(s.ChartCenterX == 8000 && s.ChartCenterY == kDefaultCenterY && s.ChartRadius == 3500);
    EXPECT_TRUE(Enabled("cmdIn") && Enabled("cmdOut"));
}

TEST_F(AnalyzePageTest, ReadoutFollowsTheLeftButtonAndHidesOnRelease) {
    Open();
    const double cy = kDefaultCenterY;
    Press(Qt::LeftButton, 8000, cy);
    EXPECT_TRUE(Shown("lblRho") && Shown("lblRhoValue"));
    EXPECT_EQ(Label("lblVSWRvalue") + Label("lblReturnLossValue"), " 1:1   >120dB");
    Move(Qt::LeftButton, 8000 + 0.2 * 3500, cy - 0.4 * 3500);  // z = 1 + j1
    EXPECT_EQ(Label("lblImagValue"), " 50 ");  // the other points are the readout's tests'
    Move(Qt::LeftButton, 8000 + 3501, cy);
    EXPECT_FALSE(Shown("lblVSWR"));
    Release(Qt::LeftButton);
    EXPECT_FALSE(Shown("lblRhoValue"));
    Press(Qt::LeftButton, s.PanelEdge[0] - 10, 1000);  // in the panel band: picks the load, no readout
    EXPECT_TRUE(!Shown("lblRhoValue") && s.TuneStage == 0);
}

// An edge belongs to the part on its left; the rows show what the part has.
// Element codes no stage has (a hand-edited file) are empty stages, kept.
TEST_F(AnalyzePageTest, PartPickUsesStrictEdgesAndUnknownCodesAreEmptyStages) {
    test::SetStage(s, 1, SeriesCapacitor, 1000e-12);
    test::SetStage(s, 2, ShuntLCPair, 1e-6, 0, 100e-12);
    s.ElementType[3] = 14, s.ElementType[4] = -1;
    Open();
    const auto e = s.PanelEdge;
    ASSERT_EQ(e[2], e[5]);
    struct Case { int x; int stage; const char* enter1; const char* enter2; };  // "": no second row
    for (const Case& c : {Case{e[0] - 1600, 11, "", ""}, Case{e[0] - 1599, 0, "R enter", "X enter"},
                          Case{e[1], 1, "C enter", ""}, Case{e[1] + 1, 2, "L enter", "C enter"},
                          Case{e[5], 2, "L enter", "C enter"}}) {
        Pick(c.x);
        EXPECT_EQ(s.TuneStage, c.stage) << c.x;
        if (c.stage == 11) continue;
        const bool two = *c.enter2;
        EXPECT_TRUE(Shown("txtZ1") && Shown("fraTop") && Shown("cmd3up1"));
        EXPECT_EQ(std::tuple(Shown("txtZ2"), Shown("cmd4up10"), Shown("fraBottom")), std::tuple(two, two, two));
        EXPECT_EQ(C("cmdZ1")->text(), c.enter1);
        if (two) {
            EXPECT_EQ(C("cmdZ2")->text(), c.enter2);
        }
        for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->objectName().startsWith("cmd") && b->objectName().contains("up")) b->click();
        ExpectSoundDrawing();
    }
    EXPECT_TRUE(s.ElementType[3] == 14 && s.ElementType[4] == -1);
}

// Each button steps by its own size, divided by the zoom, in the mode of the
// picked part's row; a part may step past zero (marked), the load may not;
// entering zero removes a part or resets the load, each with its message.
TEST_F(AnalyzePageTest, StepsAndEntriesOfThePickedPart) {
    test::SetStage(s, 1, SeriesCapacitor, 1000e-12);
    test::SetStage(s, 2, SeriesResistor, 100);
    Open();
    Pick(s.PanelEdge[2] - 10);
    Click("optTopArithmetic");  // steps of the value when chosen
    for (auto [button, want] : {std::pair{"cmd3up10", 110.0}, {"cmd3up1", 111.0}, {"cmd3down10", 101.0},
                                {"cmd3down1", 100.0}}) {
        Click(button);
        EXPECT_DOUBLE_EQ(s.Value[2][1], want) << button;
    }
    for (int i = 0; i < 11; ++i) Click("cmd3down10");
    EXPECT_TRUE(s.Value[2][1] < 0 && host.Count("message") == 0 && Back("txtZ1") == kRejectedBoxColour);
    Type("txtZ1", "0");
    Click("cmdZ1");
    EXPECT_EQ(host.Texts("message").back(),
              "You have set the value for stage 2 to zero or less;\r\nthe component has been removed");
    EXPECT_EQ(s.ElementType[2], EmptyStage);
    EXPECT_FALSE(Shown("txtZ1") || Shown("cmdZ1") || Shown("cmd3up10"));
    EXPECT_TRUE(Shown("fraTop"));

    Click("cmdIn"), Click("cmdIn");
    Pick(s.PanelEdge[1] - 10);  // geometric, and at zoom 2 half the step
    Click("cmd3up10");
    EXPECT_EQ(Box("txtZ1"), "1050 pF");

    Pick(s.PanelEdge[0] - 100);
    Click("cmd4up10");
    EXPECT_EQ(Box("txtZ2"), "0 ");  // zero stays zero
    s.Value[0][2] = -30;
    Type("txtZ1", "-5");
    Click("cmdZ1");
    EXPECT_EQ(host.Texts("message").back(),
              "You have set the real value for the antenna to zero or less;\r\na default value of "
              "50 ohms has been substituted for that value.");
    EXPECT_TRUE(s.Value[0][1] == 50 && s.Value[0][2] == 0);
    EXPECT_FALSE(Shown("txtZ2") || Shown("cmd4down1"));
    // The load's resistance never steps to zero or below: no file could
    // carry the design then (2.5 ohm steps at zoom 2).
    Click("optTopArithmetic");
    for (int i = 0; i < 21; ++i) Click("cmd3down10");
    EXPECT_GT(s.Value[0][1], 0);
}

TEST_F(AnalyzePageTest, FrequencyEntryAndSteps) {
    Open();
    struct Step { const char* button; const char* shown; };  // from 10 MHz
    for (auto [option, steps] : {std::pair{"optTuneSizeNormal", Step{"cmdFreqUp1", " 10.1 M"}},
                                 {"optTuneSizeNormal", Step{"cmdFreqDown10", " 9.0909 M"}},
                                 {"optTuneSizeFine", Step{"cmdFreqUp1", " 10.001 M"}}}) {
        Type("txtFreq", "10M");
        Click(option);
        Click(steps.button);
        EXPECT_EQ(Box("txtFreq"), steps.shown) << steps.button;
    }
    // Fine steps tell it in their tips; the captions are kept.
    EXPECT_EQ(Back("optTuneSizeFine"), kFineChosenColour);
    EXPECT_EQ(C("cmd4down1")->toolTip() + C("cmd4up10")->text(), "Down .01%>>");
    Click("optTuneSizeNormal");
    EXPECT_EQ(Back("optTuneSizeFine"), kFineNotChosenColour);
    Type("txtFreq", "10M");
    Click("cmdIn"), Click("cmdIn");
    Click("cmdFreqUp10");
    EXPECT_EQ(Box("txtFreq"), " 10.5 M");

    const std::size_t drawn = page->Recording().Ops().size();
    Type("txtFreq", "5000");
    Click("cmdFreq");
    // Refused (a design saved now must read back), marked, not redrawn.
    EXPECT_TRUE(s.TestFrequency == 10.5e6 && Back("txtFreq") == kRejectedBoxColour && page->Recording().Ops().size() == drawn);
    EXPECT_EQ(host.Texts("message"), std::vector<std::string>{"Please enter a frequency above 10 kHz"});
    Click("cmdFreqDown1");  // steps go on from the design's frequency
    EXPECT_TRUE(s.TestFrequency < 10.5e6 && s.TestFrequency > 10e6 && Back("txtFreq") == kAcceptedBoxColour);
    Type("txtFreq", "10000");
    Click("cmdFreq");
    Click("cmdFreqDown10");  // never below the lowest frequency a file takes
    EXPECT_EQ(s.TestFrequency, 10000);
}

// The switches show their state, and not only in colour; a set-up dialog
// always leaves its overlay on.
TEST_F(AnalyzePageTest, SwitchesSetupDialogsAndNavigation) {
    s.VswrCircleOn = 1;
    Open();
    Click("cmdArcs");
    EXPECT_TRUE(s.ArcsSwitch == kArcsOff && Back("cmdArcs") == kSwitchOffColour);
    s.QCircleValue = 0;
    Click("cmdQon");
    EXPECT_TRUE(Back("cmdQon") == kSwitchOnColour && s.QCircleValue == 2.0f);  // a zero Q is drawn, and kept, as 2
    Click("cmdQon"), Click("cmdVSWRon");
    ASSERT_TRUE(s.QArcsOn == 0 && s.VswrCircleOn == 0 && !C("cmdVSWRon")->isChecked());
    for (const char* button : {"cmdQsetup", "cmdVSWRsetup", "cmdDesign", "cmdExit"}) Click(button);
    EXPECT_EQ(navigator.modal, (std::vector<PageId>{PageId::QSetup, PageId::VswrSetup, PageId::Exit}));
    EXPECT_EQ(navigator.shown, std::vector<PageId>{PageId::Design});
    EXPECT_TRUE(s.QArcsOn == 1 && s.VswrCircleOn == 1);
    EXPECT_EQ(std::pair(Back("cmdQon"), Back("cmdVSWRon")), std::pair(kSwitchOnColour, kSwitchOnColour));
    EXPECT_TRUE(C("cmdVSWRon")->isChecked() && C("cmdQon")->isChecked());
    EXPECT_TRUE(Drawn(kQArcColour) > 0 && Drawn(kVswrCircleColour) > 0);
}

TEST_F(AnalyzePageTest, SweepAsksForLimitsUntilItCanRunAndTabulateFollowsTheTrace) {
    s.SweepStart = s.SweepStop = s.SweepPoints = 0;
    Open();
    EXPECT_FALSE(Enabled("cmdTabulate"));
    Click("cmdSweep");  // nothing to run: the set-up is asked for (and cancelled)
    EXPECT_TRUE(s.SweepOn == 0 && Back("cmdSweep") == kSwitchOffColour);

    navigator.dialog = [this](PageId) { s.SweepStart = 1e6, s.SweepStop = 2e6, s.SweepPoints = 11, s.SweepOn = 1; };
    Click("cmdSweepSetup");
    navigator.dialog = nullptr;
    EXPECT_EQ(Back("cmdSweep"), kSwitchOnColour);
    EXPECT_TRUE(Enabled("cmdTabulate") && Drawn(kSweepDotColour) > 0);

    Click("cmdSweep");
    EXPECT_TRUE(s.SweepOn == 0 && Back("cmdSweep") == kSwitchOffColour && Drawn(kSweepDotColour) == 0);
    EXPECT_TRUE(Enabled("cmdTabulate"));  // the last sweep's table is still there
    Click("cmdSweep");  // ready now: straight back on
    EXPECT_EQ(s.SweepOn, 1);
    Click("cmdTabulate");
    EXPECT_EQ(navigator.modal, (std::vector<PageId>{PageId::SweepSetup, PageId::SweepSetup, PageId::Tabulate}));

    Open();  // reopened with the sweep on
    EXPECT_TRUE(Back("cmdSweep") == kSwitchOnColour && Enabled("cmdTabulate"));

    // A two-row load table runs but is too short to tabulate.
    Click("cmdSweep");
    s.LoadMode = 2;
    s.LoadRows = s.SweepPoints = 2;
    s.SweepStart = s.LoadFreq[1] = 1e6, s.SweepStop = s.LoadFreq[2] = 2e6;
    s.LoadR[1] = s.LoadR[2] = 50;
    Click("cmdSweep");
    EXPECT_TRUE(s.SweepOn == 1 && Drawn(kSweepDotColour) > 0 && !Enabled("cmdTabulate"));
}

// What is printed, and a cancelled printer, are the printout's tests.
TEST_F(AnalyzePageTest, PrintWritesTheChosenPdfAndDrawsTheScreenAgain) {
    test::TempDir dir;
    s.SweepStart = 1e6, s.SweepStop = 2e6, s.SweepPoints = 5, s.SweepOn = 1;
    test::SetStage(s, 1, SeriesCapacitor, 100e-12);
    Open();
    host.printAnswers = {PrintChoice{"", dir.File("chart.pdf")}};
    const int redraws = navigator.changes;
    Click("cmdPrint");
    EXPECT_EQ(test::ReadAll(dir.File("chart.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(host.Count("message") + host.Count("beep"), 0);
    // The printout leaves the sweep and the working fields as its own chart
    // needed them: the screen is drawn again from them.
    EXPECT_EQ(navigator.changes, redraws + 1);
}

// The wheel over the chart and the keys take the step buttons' steps, on the
// picked part or, with none picked, on the test frequency; every step is an
// undo entry, and Ctrl+Z in the box just committed with Return undoes it.
TEST_F(AnalyzePageTest, WheelKeysAndReturnTuneAndUndoStepByStep) {
    test::SetStage(s, 1, SeriesCapacitor, 1000e-12);
    Open();
    page->show();
    page->activateWindow();  // shortcuts reach the active window only
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    auto wheel = [&](double x, int angle, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        const QPointF at = page->ToDevice(x, 4000);
        QWheelEvent e(at, page->mapToGlobal(at), {}, {0, angle}, Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(page.get(), &e);
    };
    wheel(8000, 120);
    wheel(2000, 120);  // over the left column: nothing
    EXPECT_EQ(Box("txtFreq"), " 1.01 M");

    Pick(s.PanelEdge[1] - 10);
    struct Step { int wheelAngle; int key; Qt::KeyboardModifiers mods; const char* shown; };
    for (const Step& st : {Step{120, 0, Qt::NoModifier, "1010 pF"},
                           Step{-60, 0, Qt::NoModifier, "1010 pF"},  // half a notch: not yet
                           Step{-60, 0, Qt::ShiftModifier, "1009.9 pF"}, Step{0, Qt::Key_Minus, {}, "999.901 pF"},
                           Step{0, Qt::Key_PageUp, {}, "1099.89 pF"}}) {
        if (st.key) QTest::keyClick(page.get(), Qt::Key(st.key), st.mods);
        else wheel(8000, st.wheelAngle, st.mods);
        EXPECT_EQ(Box("txtZ1"), st.shown) << st.shown;
    }
    EXPECT_EQ(context.undo.Count(), 5);
    Type("txtZ1", "2n");
    QTest::keyClick(C<QLineEdit>("txtZ1"), Qt::Key_Return);
    EXPECT_EQ(s.Value[1][1], 2e-9);
    QTest::keyClick(C<QLineEdit>("txtZ1"), Qt::Key_Z, Qt::ControlModifier);  // the shortcuts are shared, tested with the Design page
    EXPECT_EQ(Box("txtZ1"), "1099.89 pF");
    s.TuneStage = 2;  // a part the restored network does not have: no rows
    context.undo.Redo();
    EXPECT_FALSE(Shown("txtZ1"));

    // A dialog's change is one entry, whether the dialog records it or not,
    // and shows in the tuning row.
    Pick(s.PanelEdge[1] - 10);
    const double restored = s.Value[1][1];
    const int held = context.undo.Stack().index();
    navigator.dialog = [this](PageId) { UndoStep own(context.undo, s, "Optimise"); s.Value[1][1] = 5e-9; };
    Click("cmdOptimise");
    navigator.dialog = [this](PageId) { s.Value[1][1] = 6e-9; };
    Click("cmdOptimise");
    EXPECT_EQ(navigator.modal, (std::vector<PageId>{PageId::Optimise, PageId::Optimise}));
    EXPECT_EQ(Box("txtZ1"), "6000 pF");
    EXPECT_EQ(context.undo.Stack().index(), held + 2);
    context.undo.Undo(), context.undo.Undo();
    EXPECT_EQ(s.Value[1][1], restored);
}

// The page paints its chart backdrop from a kept picture and the rest over
// it, and after a change paints again only where the drawing differs: after
// each change it must look exactly as the whole chart replayed at once, as
// RedrawChart draws it; the backdrop's picture is made again exactly when
// the backdrop changes, and only then is the whole window painted again.
TEST_F(AnalyzePageTest, KeptBackdropComposesToTheWholeChart) {
    s.TestFrequency = 14e6;
    s.ElementType = {0, TransmissionLine, ShuntOpenStub, SeriesInductor};
    s.Value[1] = {0, 30, 14e6, 75};
    s.Value[2] = {0, 20, 14e6, 50};
    s.Value[3] = {0, 0.5e-6, 80};
    s.QArcsOn = 1;
    Open();
    page->resize(900, 670);
    auto expectWhole = [&](const char* after) {
        QImage painted(page->size(), QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::white);
        QImage whole = painted;
        page->render(&painted, {}, {}, QWidget::DrawWindowBackground);
        SessionState copy = s;
        RecordingSurface list;
        UseQtTextMetrics(list);
        ChartHooks hooks;
        hooks.networkPanel = [&](Surface& surf) { DrawNetworkPanel(copy, surf, PanelFont()); };
        DrawNetworkPanel(copy, list, PanelFont());
        list.SetFont(AnalyzePage::PageFont());
        RedrawChart(copy, list, hooks);
        QPainter painter(&whole);
        Replay(painter, list.Ops(), page->Transform());
        EXPECT_TRUE(painted == whole) << "after " << after;
    };
    auto* kept = static_cast<AnalyzePage*>(page.get());
    struct Change { const char* what; std::function<void()> change; bool backdrop; /* changes with it */ };
    const Change changes[] = {
        {"a tuning step", [&] { Pick(s.PanelEdge[1] - 10), Click("cmd3up10"); }, false},
        {"a step of stage 3", [&] { Pick(s.PanelEdge[3] - 10), Click("cmd3down1"); }, false},
        {"a step of stage 2", [&] { Pick(s.PanelEdge[2] - 10), Click("cmd3up1"); }, false},
        {"picking the load", [&] { Pick(s.PanelEdge[0] - 10); }, false},
        {"arcs off", [&] { Click("cmdArcs"); }, false},
        {"arcs on", [&] { Click("cmdArcs"); }, false},
        {"zoom in", [&] { Click("cmdIn"); }, true},
        {"a step zoomed in", [&] { Pick(s.PanelEdge[2] - 10), Click("cmd3down10"); }, false},
        {"a drag", [&] { Press(Qt::RightButton, 8000, 5000), Move(Qt::RightButton, 7400, 5600); }, true},
        {"grid type 2", [&] { Click("cmdDisplay"); }, true},
        {"grid type 3", [&] { Click("cmdDisplay"); }, true},
        {"a resize", [&] { page->resize(1300, 960); }, true},
        {"reset", [&] { Click("cmdReset"); }, true},
    };
    expectWhole("opening");
    for (const auto& [what, change, backdrop] : changes) {
        const int before = kept->KeptPicturesMade();
        change();
        expectWhole(what);
        EXPECT_EQ(kept->KeptPicturesMade(), before + (backdrop ? 1 : 0)) << what;
        const qint64 window = qint64(page->width()) * page->height();
        EXPECT_EQ(kept->PixelsRepainted() == window, backdrop) << what;
    }
}

}  // namespace
}  // namespace qv

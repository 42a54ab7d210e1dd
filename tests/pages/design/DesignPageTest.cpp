// The Design page driven as a user would: clicks on the drawing, buttons,
// typing, with scripted dialogs and a recording navigator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "files/NetworkFile.h"
#include "numbers/Format.h"
#include "pages/design/DesignPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

class QtApp : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_page_design";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kApp = ::testing::AddGlobalTestEnvironment(new QtApp);

struct TempDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("qv-design-" + std::to_string(std::random_device{}()));
    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string File(const std::string& name) const { return (path / name).string(); }
};

using Mode = DesignPage::Mode;

class DesignPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitSession(state);
        ResetNetwork(state);
    }
    DesignPage& Page() {
        if (!page) {
            page = std::make_unique<DesignPage>(context);
            page->show();
        }
        return *page;
    }
    void Click(double x, double y) {
        const QPointF at = Page().ToDevice(x, y);
        QMouseEvent e(QEvent::MouseButtonPress, at, page->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(page.get(), &e);
    }
    void Press(const char* button) {
        auto* b = Page().Control<QPushButton>(button);
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QLineEdit* Box(const char* name) { return Page().Control<QLineEdit>(name); }
    void Type(const char* box, const char* text) {
        Box(box)->clear();
        QTest::keyClicks(Box(box), text);
    }
    // Centre of stage k on the schematic row.
    void PickStage(int k) {
        const auto& e = Page().Edges();
        Click((e[k - 1] + e[k]) / 2.0, 1500);
    }
    void Choose(int stage, double x, double y) {
        PickStage(stage);
        Click(x, y);
    }
    int OpsOfColour(DrawOp::Kind kind, Colour c) const {
        int n = 0;
        for (const auto& op : page->Recording().Ops()) n += op.kind == kind && op.colour == c;
        return n;
    }
    std::vector<std::string> Messages() const { return host.Texts("message"); }

    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, "LASTSESSION.QVF"};
    std::unique_ptr<DesignPage> page;
};

TEST_F(DesignPageTest, OpeningRepairsTheSessionAndStartsIdle) {
    state.SystemZ = 0;
    state.TestFrequency = 0;
    state.LoadMode = 0;
    state.VelocityFactor = 0;
    state.CurrentFileName = "a.QVF";
    DesignPage& p = Page();
    EXPECT_EQ(Box("txtSystemZ")->text(), "50");
    EXPECT_EQ(Box("txtFrequency")->text(), "1 M");
    EXPECT_EQ(state.SystemZ, 50);
    EXPECT_EQ(state.TestFrequency, 1000000);
    EXPECT_EQ(state.LoadMode, 1);
    EXPECT_EQ(state.VelocityFactor, 1.0);
    EXPECT_EQ(p.windowTitle().toStdString(), "Quendavore 2.06 - Design a.QVF");
    EXPECT_EQ(p.CurrentMode(), Mode::Idle);
    EXPECT_FALSE(p.Control<QPushButton>("cmdSetup")->isEnabled());
    EXPECT_TRUE(p.Control<QPushButton>("cmdAnalyze")->isEnabled());
    EXPECT_TRUE(p.Control<QLabel>("lblSelectElementToEdit")->isVisible());
    EXPECT_FALSE(p.Control<QPushButton>("cmdAccept")->isVisible());
    EXPECT_FALSE(Box("txtValue1")->isVisible());
}

TEST_F(DesignPageTest, FrequencyAndImpedanceAreClampedWithMessages) {
    struct Case { const char* typed; double stored; const char* message; };
    const Case freqs[] = {{"5k", 10000, "Frequency has been reset to the minimum allowed."},
                          {"20G", 1e10, "Frequency has been reset to the maximum allowed."},
                          {"10k", 10000, nullptr},
                          {"10G", 1e10, nullptr}};
    for (const auto& c : freqs) {
        host.calls.clear();
        Type("txtFrequency", c.typed);
        Press("cmdEnterFreq");
        EXPECT_EQ(state.TestFrequency, c.stored) << c.typed;
        EXPECT_EQ(Messages(), c.message ? std::vector<std::string>{c.message}
                                        : std::vector<std::string>{}) << c.typed;
    }
    const Case zs[] = {{"0.5", 1, "System impedance has been reset to the minimum allowed."},
                       {"10000", 10000, nullptr},
                       {"12000", 10000, "System impedance has been reset to the maximum allowed."}};
    for (const auto& c : zs) {
        host.calls.clear();
        Type("txtSystemZ", c.typed);
        Press("cmdEnterZ");
        EXPECT_EQ(state.SystemZ, c.stored) << c.typed;
        EXPECT_EQ(Box("txtSystemZ")->text().toStdString(), FormatImpedance(c.stored));
        EXPECT_EQ(Messages().size(), c.message ? 1u : 0u) << c.typed;
    }
}

TEST_F(DesignPageTest, AnalyzeClampsTheBoxesThenLeaves) {
    Type("txtFrequency", "5k");
    Type("txtSystemZ", "12000");
    Press("cmdAnalyze");
    EXPECT_EQ(state.TestFrequency, 10000);
    EXPECT_EQ(state.SystemZ, 10000);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(navigator.shown, std::vector<PageId>{PageId::Analyze});
    Press("cmdExit");
    EXPECT_EQ(navigator.modal, std::vector<PageId>{PageId::Exit});
}

TEST_F(DesignPageTest, LoadTableTakesTheMiddlePointAndKeepsAnOlderTable) {
    TempDir dir;
    for (int n : {7, 8}) {
        const std::string file = dir.File("load" + std::to_string(n) + ".RJX");
        std::ofstream out(file);
        for (int i = 1; i <= n; ++i) out << i << "M, " << 10 * i << ", " << -i << "\r\n";
        out.close();
        host.fileAnswers.push_back(file);
        Press("cmdGetLoad");
        const int row = n / 2 + 1;
        EXPECT_EQ(state.LoadMode, 2);
        EXPECT_EQ(state.LoadPointIndex, row);
        EXPECT_EQ(state.TestFrequency, row * 1e6);
        EXPECT_EQ(state.Value[0][1], 10 * row);
        EXPECT_EQ(state.SweepStop, n * 1e6);
        EXPECT_EQ(host.calls.back().file.title, "Get frequencies and load data");
    }
    // Enter freq follows the table point, whatever was typed.
    Type("txtFrequency", "3M");
    Press("cmdEnterFreq");
    EXPECT_EQ(state.TestFrequency, 5e6);
    // An empty file keeps the table; a cancelled dialog too.
    std::ofstream(dir.File("empty.RJX")).close();
    host.fileAnswers.push_back(dir.File("empty.RJX"));
    Press("cmdGetLoad");
    Press("cmdGetLoad");
    EXPECT_EQ(state.SweepPoints, 8);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DesignPageTest, LoadTableWithoutAnyPointsFallsBackToTheSingleLoad) {
    state.LoadMode = 2;
    Press("cmdGetLoad");
    EXPECT_EQ(Messages(), std::vector<std::string>{"There are no test frequencies to allow a sweep"});
    EXPECT_EQ(state.LoadMode, 1);
}

TEST_F(DesignPageTest, CompactMovesStagesDownOnePlacePerPress) {
    const int types[] = {0, 0, 3, 0, 5};
    for (int k = 1; k <= 5; ++k) {
        state.ElementType[k] = static_cast<std::int16_t>(types[k - 1]);
        state.Value[k][1] = types[k - 1];
    }
    Press("cmdCompact");
    EXPECT_EQ((std::vector<int>(state.ElementType.begin() + 1, state.ElementType.begin() + 6)),
              (std::vector<int>{0, 3, 0, 5, 0}));
    Press("cmdCompact");
    EXPECT_EQ((std::vector<int>(state.ElementType.begin() + 1, state.ElementType.begin() + 6)),
              (std::vector<int>{3, 0, 5, 0, 0}));
    EXPECT_EQ(state.Value[1][1], 3);
    EXPECT_EQ(state.Value[3][1], 5);
    EXPECT_EQ(state.Value[5][1], 0);
}

TEST_F(DesignPageTest, NetworkFilesAreReadAndWrittenThroughTheDialogs) {
    TempDir dir;
    SessionState other;
    InitSession(other);
    ResetNetwork(other);
    other.ElementType[2] = SeriesResistor;
    other.Value[2][1] = 33;
    other.SystemZ = 75;
    other.QCircleValue = 2;  // the reader's range checks
    other.VswrCircleValue = 2;
    other.SweepStart = 1e6;
    other.SweepStop = 2e6;
    other.SweepPoints = 10;
    ASSERT_TRUE(WriteNetworkFile(dir.File("net.QVF"), other));

    state.CurrentFileName = "old.QVF";
    Press("cmdGetNet");  // cancelled
    Press("cmdSave");    // cancelled
    EXPECT_EQ(state.CurrentFileName, "old.QVF");

    PickStage(1);  // the refresh must also leave the editor idle
    host.fileAnswers.push_back(dir.File("net.QVF"));
    Press("cmdGetNet");
    EXPECT_TRUE(Messages().empty()) << Messages().front();
    EXPECT_EQ(state.ElementType[2], SeriesResistor);
    EXPECT_EQ(Box("txtSystemZ")->text().toStdString(), FormatImpedance(75));
    EXPECT_TRUE(page->windowTitle().endsWith("net.QVF"));
    EXPECT_EQ(page->CurrentMode(), Mode::Idle);
    EXPECT_EQ(host.calls.back().file.title, "Read Quendavore network file");

    host.fileAnswers.push_back(dir.File("copy.TXT"));
    Press("cmdSave");
    EXPECT_TRUE(std::filesystem::exists(dir.path / "copy.QVF"));
    EXPECT_FALSE(std::filesystem::exists(dir.path / "copy.TXT"));
    EXPECT_EQ(state.CurrentFileName, dir.File("copy.QVF"));
}

TEST_F(DesignPageTest, StagePickFramesTheStageAndShowsThePalette) {
    DesignPage& p = Page();
    const auto e = p.Edges();
    Click(e[0] - 1201, 1500);  // left of the load
    Click(e[2] + 100, 2200);   // below the row
    EXPECT_EQ(p.CurrentMode(), Mode::Idle);
    EXPECT_EQ(p.SelectedStage(), 0);
    Click(4000, 4800);  // palette area with no palette on show
    EXPECT_EQ(p.CurrentMode(), Mode::Idle);

    PickStage(3);
    EXPECT_EQ(p.CurrentMode(), Mode::StagePicked);
    EXPECT_EQ(p.SelectedStage(), 3);
    EXPECT_EQ(state.StageIndex, 3);
    EXPECT_EQ(OpsOfColour(DrawOp::Box, Rgb(0, 255, 0)), 1);
    EXPECT_EQ(OpsOfColour(DrawOp::Line, Rgb(0, 0, 255)), 12);
    EXPECT_FALSE(p.Control<QLabel>("lblSelectElementToEdit")->isVisible());
    PickStage(2);  // another stage instead
    EXPECT_EQ(p.SelectedStage(), 2);
    EXPECT_EQ(OpsOfColour(DrawOp::Box, Rgb(0, 255, 0)), 1);
    Click(3500, 4800);  // the row's very left edge chooses nothing
    EXPECT_EQ(p.CurrentMode(), Mode::StagePicked);
}

TEST_F(DesignPageTest, PaletteBandsChooseEveryElement) {
    struct Pick { double x, y; int code; };
    const Pick picks[] = {
        {5000, 4800, 1},  {6000, 4400, 2},  {7000, 5300, 3},  {8500, 4800, 4},  {9500, 4800, 5},
        {10300, 4800, 6}, {4000, 6800, 7},  {5000, 6800, 8},  {6000, 6300, 9},  {7000, 7400, 10},
        {8000, 6800, 11}, {9500, 6800, 12}, {11200, 6800, 13}};
    for (const auto& pick : picks) {
        Choose(1, pick.x, pick.y);
        EXPECT_EQ(state.ElementType[1], pick.code) << pick.x << "," << pick.y;
        EXPECT_EQ(Page().CurrentMode(), Mode::Editing);
        EXPECT_FALSE(Page().Control<QPushButton>("cmdAnalyze")->isEnabled());
        PickStage(2);  // picking is off while editing
        EXPECT_EQ(Page().SelectedStage(), 1);
        Press("cmdAccept");
    }
    // The wire clears the slots and returns to idle at once.
    state.Value[1][1] = 5;
    Choose(1, 4000, 4800);
    EXPECT_EQ(state.ElementType[1], 0);
    EXPECT_EQ(state.Value[1][1], 0);
    EXPECT_EQ(Page().CurrentMode(), Mode::Idle);
    EXPECT_TRUE(Page().Control<QPushButton>("cmdAnalyze")->isEnabled());
}

TEST_F(DesignPageTest, ClickBetweenTheRowsEditsThePresentElement) {
    state.ElementType[2] = SeriesCapacitor;
    state.Value[2][1] = 100e-12;
    state.Value[2][2] = 0;
    Choose(2, 6000, 5800);
    EXPECT_EQ(state.ElementType[2], SeriesCapacitor);
    EXPECT_EQ(Box("txtValue1")->text().toStdString(), FormatCapacitance(100e-12));
    EXPECT_EQ(Box("txtValue2")->text(), "");  // a zero Q is left blank
    EXPECT_EQ(Page().Control<QLabel>("lblValue1")->text(), "Capacitance (F): ");
    EXPECT_FALSE(Box("txtValue3")->isVisible());

    Press("cmdAccept");
    state.Value[4][1] = 7;  // an empty stage: slots cleared, idle again
    Choose(4, 6000, 5800);
    EXPECT_EQ(state.Value[4][1], 0);
    EXPECT_EQ(Page().CurrentMode(), Mode::Idle);
}

TEST_F(DesignPageTest, AcceptStoresDefaultsAndReportsMissingValues) {
    Choose(1, 5000, 4800);  // series capacitor, Q left empty
    Type("txtValue1", "100p");
    Press("cmdAccept");
    EXPECT_EQ(state.Value[1][2], 10000);
    Choose(2, 7000, 4800);  // series inductor
    Type("txtValue1", "1u");
    Press("cmdAccept");
    EXPECT_EQ(state.Value[2][2], 1000);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Page().Control<QPushButton>("cmdAnalyze")->isEnabled());
    EXPECT_EQ(OpsOfColour(DrawOp::Line, Rgb(255, 0, 0)), 0);

    Choose(3, 9500, 4800);  // transmission line with Z0 0
    Type("txtValue1", "90");
    Type("txtValue2", "10M");
    Type("txtValue3", "0");
    Press("cmdAccept");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Please re-enter the transmission line values"});
    EXPECT_GT(OpsOfColour(DrawOp::Line, Rgb(255, 0, 0)), 0);
    EXPECT_FALSE(Page().Control<QPushButton>("cmdAnalyze")->isEnabled());
    EXPECT_EQ(Page().CurrentMode(), Mode::Idle);
    EXPECT_FALSE(Box("txtValue1")->isVisible());

    host.calls.clear();
    Choose(4, 8000, 6800);  // series L-C pair, nothing typed
    Press("cmdAccept");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Please re-enter the series inductor value",
                                                    "Please re-enter the series capacitor value"}));
    EXPECT_EQ(state.Value[4][2], 1000);
    EXPECT_EQ(state.Value[4][4], 10000);

    host.calls.clear();
    Choose(5, 9500, 6800);  // series resistor of 0
    Press("cmdAccept");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Please re-enter the series resistor value"});
}

TEST_F(DesignPageTest, LoadEditorReplacesANonPositiveResistance) {
    state.Value[0][1] = 50;
    state.Value[0][2] = -25;
    DesignPage& p = Page();
    Click(p.Edges()[0] - 600, 1500);
    EXPECT_EQ(p.CurrentMode(), Mode::Editing);
    EXPECT_EQ(state.StageIndex, 0);
    EXPECT_EQ(p.Control<QLabel>("lblValue2")->text(), "X (ohms): ");
    EXPECT_EQ(Box("txtValue2")->text().toStdString(), FormatResistance(-25));
    PickStage(2);  // picking is off while the load is edited
    EXPECT_EQ(p.SelectedStage(), 0);
    Type("txtValue1", "-5");
    Type("txtValue2", "-40");
    Press("cmdAccept");
    EXPECT_EQ(state.Value[0][1], 50);
    EXPECT_EQ(state.Value[0][2], -40);
    EXPECT_EQ(Messages(), std::vector<std::string>{"The entered value of zero has been changed to 50 ohms"});
    EXPECT_TRUE(p.Control<QLabel>("lblSelectElementToEdit")->isVisible());
}

// Pictures for looking at the page; written only when asked for.
TEST_F(DesignPageTest, Snapshots) {
    const char* dir = std::getenv("QV_DESIGN_SNAPSHOTS");
    if (!dir) GTEST_SKIP();
    state.ElementType[1] = ShuntCapacitor;
    state.Value[1][1] = 47e-12;
    state.Value[1][2] = 500;
    state.Value[0][2] = 25;
    Page().ResizeToScale(0.1);
    Page().grab().save(QString(dir) + "/design-idle.png");
    PickStage(2);
    Page().grab().save(QString(dir) + "/design-picked.png");
    Click(9500, 4800);
    Page().grab().save(QString(dir) + "/design-editing.png");
}

}  // namespace
}  // namespace qv

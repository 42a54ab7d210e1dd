#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "platform/QtHost.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

TEST(ScriptedHost, AnswersInOrderThenDeclinesAndRecordsEveryCall) {
    ScriptedHost host;
    host.yesNoAnswers = {true, false};
    host.fileAnswers = {std::string("/tmp/a.QVF"), std::nullopt};
    host.printAnswers = {PrintChoice{"", "/tmp/chart.pdf"}};

    host.ShowMessage("Frequency has been reset to the minimum allowed.");
    EXPECT_TRUE(host.AskYesNo("Print?"));
    EXPECT_FALSE(host.AskYesNo("Print?"));
    EXPECT_FALSE(host.AskYesNo("Print?"));  // queue empty: No
    EXPECT_EQ(host.OpenFileName({"Read Quendavore network file", "Q (*.QVF)|*.QVF", "", true}),
              "/tmp/a.QVF");
    EXPECT_EQ(host.SaveFileName({"Save", "", "b.QVF", false}), std::nullopt);
    EXPECT_EQ(host.ChoosePrinter("Print")->outputFile, "/tmp/chart.pdf");
    EXPECT_FALSE(host.ChoosePrinter("Print"));
    host.Beep();

    EXPECT_EQ(host.Texts("message"),
              std::vector<std::string>{"Frequency has been reset to the minimum allowed."});
    EXPECT_EQ(host.Count("question"), 3);
    EXPECT_EQ(host.calls[4].kind, "open");
    EXPECT_EQ(host.calls[4].file.filter, "Q (*.QVF)|*.QVF");
    EXPECT_EQ(host.calls[5].file.initialName, "b.QVF");
    EXPECT_FALSE(host.calls[5].file.confirmOverwrite);
    EXPECT_EQ(host.calls.back().kind, "beep");
}

TEST(Pause, PumpsEventsOnceAndEndsAcrossMidnight) {
    ScriptedHost host;
    host.timeOfDay = 86399.0;
    host.clockStep = 0.5;
    Pause(host, 2.0);
    EXPECT_EQ(host.Count("events"), 1);
    EXPECT_NEAR(host.timeOfDay, 1.5, 1e-9);  // stopped on the first reading 2 s on
    EXPECT_EQ(host.calls[1].kind, "events");
}

TEST(FileFilter, SplitsPairsAndOffersBothCases) {
    const auto f = ParseFileFilter("Quendavore files (*.QVF)|*.QVF|Data|*.DAT;*.txt|All");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].description, "Quendavore files (*.QVF)");
    EXPECT_EQ(f[0].patterns, std::vector<std::string>{"*.QVF"});
    EXPECT_EQ(f[1].patterns, (std::vector<std::string>{"*.DAT", "*.txt"}));
    EXPECT_EQ(f[2].patterns, std::vector<std::string>{"*"});
    EXPECT_TRUE(ParseFileFilter("").empty());

    EXPECT_EQ(QtNameFilters("Quendavore files (*.QVF)|*.QVF|Data|*.DAT;*.txt"),
              (QStringList{"Quendavore files (*.QVF *.qvf)", "Data (*.DAT *.dat *.txt *.TXT)"}));
}

TEST(QtHost, ClockDateAndScreenWithoutDialogs) {
    QtHost host;
    EXPECT_FALSE(host.ShortDate().empty());
    const double t = host.SecondsSinceMidnight();
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 86400.0);
    const QScreen* s = QGuiApplication::primaryScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_NEAR(host.ScreenWidthTwips(), s->geometry().width() * 1440.0 / s->logicalDotsPerInchX(), 1e-6);
    EXPECT_GT(host.ScreenHeightTwips(), 0.0);
    host.ProcessEvents();
}

}  // namespace
}  // namespace qv

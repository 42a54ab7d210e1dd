#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <set>

#include "files/NetworkFile.h"
#include "files/TempDir.h"
#include "pages/opening/OpeningPage.h"
#include "platform/ScriptedHost.h"

namespace qv {
namespace {

class OpeningPageTest : public ::testing::Test {
protected:
    std::unique_ptr<PageWindow> Open() { return MakeOpeningPage(context); }

    test::TempDir dir;
    SessionState state;
    ScriptedHost host;
    RecordingNavigator navigator;
    PageContext context{state, host, navigator, dir.File("LASTSESSION.QVF")};
};

TEST_F(OpeningPageTest, FirstRunStartsFromTheDefaults) {
    // Leftovers that start-up must clear.
    state.ElementType[2] = ShuntInductor;
    state.Value[0][1] = 7;
    state.GridType = 4;
    state.ChartZoom = 3;
    state.TopMode[5] = 2;

    auto page = Open();
    EXPECT_EQ(host.Count("message"), 0);
    EXPECT_DOUBLE_EQ(state.Value[0][1], 50);
    EXPECT_DOUBLE_EQ(state.Value[0][2], 0);
    for (int stage = 1; stage <= 5; ++stage) EXPECT_EQ(state.ElementType[stage], 0) << stage;
    EXPECT_DOUBLE_EQ(state.TestFrequency, 1e6);
    EXPECT_DOUBLE_EQ(state.SystemZ, 50);
    EXPECT_EQ(state.GridType, 1);
    EXPECT_FLOAT_EQ(state.ChartZoom, 1);
    EXPECT_EQ(state.TopMode[5], 0);
    EXPECT_EQ(state.VersionText, "2.06");
    EXPECT_EQ(page->windowTitle(), "Quendavore - 2.06");
}

TEST_F(OpeningPageTest, LastSessionIsRestoredAndTheChartCentredForTheScreen) {
    SessionState saved;
    ResetNetwork(saved);
    saved.TestFrequency = 14.2e6;
    saved.Value[0][1] = 25;
    saved.Value[0][2] = -40;
    saved.ElementType[1] = SeriesInductor;
    saved.Value[1][1] = 1.02e-6;
    saved.Value[1][2] = 150;
    saved.QCircleValue = 3;
    saved.SweepPoints = 41;
    ASSERT_TRUE(WriteLastSession(saved, context.lastSessionPath));
    state.Value[1][7] = 9;  // never saved, so reset at start

    host.screenHeightTwips = 16200;
    auto page = Open();
    EXPECT_EQ(host.Count("message"), 0);
    EXPECT_DOUBLE_EQ(state.TestFrequency, 14.2e6);
    EXPECT_DOUBLE_EQ(state.Value[0][2], -40);
    EXPECT_EQ(state.ElementType[1], SeriesInductor);
    EXPECT_DOUBLE_EQ(state.Value[1][1], 1.02e-6);
    EXPECT_FLOAT_EQ(state.QCircleValue, 3);
    EXPECT_EQ(state.SweepPoints, 41);
    EXPECT_DOUBLE_EQ(state.Value[1][7], 0);
    EXPECT_FLOAT_EQ(state.ChartCenterX, 8000);
    EXPECT_FLOAT_EQ(state.ChartCenterY, 0.55f * 16200);
}

TEST_F(OpeningPageTest, StartAsksForTheDesignPage) {
    auto page = Open();
    auto* start = page->Control<QPushButton>("cmdStart");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->text(), "Start");
    EXPECT_EQ(start->toolTip(), "Start the program");
    page->show();
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(navigator.shown, std::vector<PageId>{PageId::Design});
}

TEST_F(OpeningPageTest, BackgroundRunsFromBlackToBlue) {
    EXPECT_EQ(OpeningBackgroundColour(1), Rgb(0, 0, 1));        // 0.018 held at 1
    EXPECT_EQ(OpeningBackgroundColour(250), Rgb(0, 0, 4));      // 4.5 to even
    EXPECT_EQ(OpeningBackgroundColour(5000), Rgb(0, 0, 90));
    EXPECT_EQ(OpeningBackgroundColour(10000), Rgb(0, 0, 180));

    auto page = Open();
    const auto& ops = page->Recording().Ops();
    ASSERT_GE(ops.size(), 10000u);
    // The gradient comes first, one full-width line per y, so everything
    // else is drawn over it.
    for (int y : {1, 250, 9999, 10000}) {
        const DrawOp& op = ops[y - 1];
        EXPECT_EQ(op.kind, DrawOp::Line);
        EXPECT_DOUBLE_EQ(op.y1, y);
        EXPECT_DOUBLE_EQ(op.x2, 14000);
        EXPECT_EQ(op.colour, OpeningBackgroundColour(y));
    }
}

TEST_F(OpeningPageTest, DecorationsStayOnThePageInTheirColours) {
    auto page = Open();
    const auto& ops = page->Recording().Ops();
    std::set<Colour> colours;
    std::vector<std::string> texts;
    for (std::size_t i = 10000; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        colours.insert(op.colour);
        if (op.kind == DrawOp::Text) texts.push_back(op.text);
        // Full circles by their radius; arcs of the chart run inside its rim.
        const bool fullCircle = op.kind == DrawOp::Circle && op.startRad == op.endRad;
        if (op.kind == DrawOp::Circle && !fullCircle) continue;
        const double reach = fullCircle ? op.x2 : 0;
        EXPECT_GE(std::min(op.x1, op.x2) - reach, 0) << i;
        EXPECT_LE(std::max(op.x1, op.x2) + reach, kOpeningWidth) << i;
        // Clear of the subtitle above and the button below.
        EXPECT_GT(op.y1 - reach, 2500 + 480) << i;
        EXPECT_LT(op.y1 + reach, 6550) << i;
    }
    EXPECT_EQ(colours, (std::set<Colour>{Rgb(153, 255, 255), Rgb(255, 153, 153), Rgb(170, 255, 170)}));
    EXPECT_EQ(texts, (std::vector<std::string>{"Z1", "Z2", "Z3", "Z4", "Zn"}));
}

// Texts must fit their labels on a small wide screen, an old 4:3 one and a
// common wide one, where the point sizes that follow the screen width grow.
TEST_F(OpeningPageTest, LabelTextsFitTheirBoxes) {
    for (auto [width, height] : {std::pair{12000.0, 6750.0}, {15360.0, 11520.0}, {28800.0, 16200.0}}) {
        host.screenWidthTwips = width;
        host.screenHeightTwips = height;
        auto page = Open();
        page->show();
        for (QLabel* label : page->findChildren<QLabel*>()) {
            const LogicalRect r = page->ControlRect(label);
            const QFontMetrics m = label->fontMetrics();
            const QSize need = m.size(Qt::TextSingleLine, label->text());
            const std::string name = label->objectName().toStdString();
            if (r.width > 0) {
                EXPECT_LE(need.width(), label->width()) << name;
            }
            if (r.height > 0) {
                EXPECT_LE(m.ascent(), label->height()) << name;
            }
            EXPECT_LE(label->geometry().right(), page->width());
        }
        // No two texts run into each other.
        auto textBox = [](const QWidget* w) {
            const QFontMetrics m = w->fontMetrics();
            const QString text = w->property("text").toString();
            return QRect(w->pos(), m.size(Qt::TextSingleLine, text));
        };
        auto labels = page->findChildren<QLabel*>();
        for (int i = 0; i < labels.size(); ++i)
            for (int j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(textBox(labels[i]).intersects(textBox(labels[j])))
                    << labels[i]->objectName().toStdString() << " / "
                    << labels[j]->objectName().toStdString();
        EXPECT_FALSE(page->Control<QPushButton>("cmdStart")->geometry().intersects(
            page->Control<QLabel>("lblNotice")->geometry()));
    }
}

}  // namespace
}  // namespace qv

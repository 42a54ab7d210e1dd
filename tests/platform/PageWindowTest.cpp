#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>

#include "Pixels.h"
#include "platform/PageWindow.h"

namespace qv {
namespace {

using test::SizeName;

struct MouseCall { char what; int button; double x, y; };

class TestPage : public PageWindow {
public:
    TestPage() : PageWindow(11880, 8490) {
        SetDefaultFontSize(9);
        button = AddButton("cmdIn", "Zoom in", {500, 5850, 1335, 330}, "Zoom in on the chart");
        frame = AddFrame("fraTune", "Step", {500, 3000, 3000, 1500});
        option = AddOption("optFine", "Fine", {100, 300, 1500, 300}, frame);
        box = AddTextBox("txtValue", {2000, 3420, 1440, 300});
        label = AddLabel("lblTitle", "Title", {15, 100, 0, 0});
        list = AddListBox("lstTable", {4500, 1500, 7000, 6000});
    }
    std::vector<MouseCall> mouse;
    QPushButton* button;
    QGroupBox* frame;
    QRadioButton* option;
    QLineEdit* box;
    QLabel* label;
    QListWidget* list;

protected:
    void MousePressed(int b, double x, double y) override { mouse.push_back({'p', b, x, y}); }
    void MouseMoved(int b, double x, double y) override { mouse.push_back({'m', b, x, y}); }
    void MouseReleased(int b, double x, double y) override { mouse.push_back({'r', b, x, y}); }
};

void Send(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class PageAtSize : public ::testing::TestWithParam<QSize> {
protected:
    void SetUp() override {
        page.show();
        page.resize(GetParam());
        QApplication::processEvents();
        scale = page.Scale();
    }
    TestPage page;
    double scale = 0;
};

TEST_P(PageAtSize, ControlsAndFontsFollowTheUniformScale) {
    ASSERT_EQ(page.size(), GetParam());
    // The page fits the window and fills it one way.
    EXPECT_DOUBLE_EQ(scale, std::min(GetParam().width() / 11880.0, GetParam().height() / 8490.0));
    // Each control's corners map back to its logical rect (an option's is
    // within its frame), to the pixel a real pointer can miss by.
    for (auto [w, l, t, r, b] : {std::tuple<QWidget*, double, double, double, double>{page.button, 500, 5850, 1835, 6180},
                                 {page.box, 2000, 3420, 3440, 3720}, {page.option, 600, 3300, 2100, 3600}}) {
        const QRectF back(page.ToLogical(w->mapTo(&page, QPointF(0, 0))),
                          page.ToLogical(w->mapTo(&page, QPointF(w->width(), w->height()))));
        for (auto [got, want] : {std::pair{back.left(), l}, {back.top(), t}, {back.right(), r}, {back.bottom(), b}})
            EXPECT_NEAR(got, want, 1 / scale) << w->objectName().toStdString();
    }
    const double fontPixels = 9 * 20 * scale;
    for (QWidget* w : std::initializer_list<QWidget*>{page.button, page.box, page.option, page.label, page.list})
        EXPECT_NEAR(QFontInfo(w->font()).pixelSize(), fontPixels, 1.0) << w->objectName().toStdString();
    EXPECT_TRUE(QFontInfo(page.list->font()).fixedPitch());
    EXPECT_GE(page.label->height(), QFontInfo(page.label->font()).pixelSize());  // sized by its font
    page.SetControlFont(page.label, 18, true);
    EXPECT_NEAR(QFontInfo(page.label->font()).pixelSize(), 2 * fontPixels, 1.0);
    EXPECT_TRUE(page.label->font().bold());
}

TEST_P(PageAtSize, MouseReportsLogicalPositionAndButtons) {
    const QPointF p = page.ToDevice(6000, 4000);
    Send(&page, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    Send(&page, QEvent::MouseMove, page.ToDevice(7000, 5000), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    Send(&page, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::LeftButton);
    std::vector<std::tuple<char, int, long, long>> got;  // to the twip
    for (const MouseCall& m : page.mouse) got.emplace_back(m.what, m.button, std::lround(m.x), std::lround(m.y));
    EXPECT_EQ(got, (decltype(got){{'p', kLeftButton, 6000, 4000},
                                  {'m', kLeftButton | kRightButton, 7000, 5000},
                                  {'r', kRightButton, 6000, 4000}}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PageAtSize,
                         ::testing::Values(QSize(792, 566), QSize(1584, 1132), QSize(1500, 566),
                                           QSize(400, 800)), SizeName);

TEST(PageWindow, StartsAtTheReferenceScaleAndKeepsBackgroundColours) {
    TestPage page;
    EXPECT_NEAR(page.Scale(), 1.0 / 15, 1e-3);
    SetBackgroundColour(page.button, Rgb(238, 255, 238));
    EXPECT_TRUE(BackgroundColour(page.button) == Rgb(238, 255, 238) &&
                page.button->palette().color(QPalette::Button) == QColor(238, 255, 238));
    auto* option = page.AddOption("optFine", "Fine", {0, 0, 900, 300});
    SetBackgroundColour(option, Rgb(187, 221, 255));  // shown in the role the style paints
    EXPECT_EQ(option->palette().color(option->backgroundRole()), QColor(187, 221, 255));
    SetBackgroundColour(page.box, 0x9999FF);  // pink
    EXPECT_EQ(page.box->palette().color(QPalette::Base), QColor(255, 0x99, 0x99));
}

// Shows the page modally and does `whileOpen` once it is up.
int ExecWith(PageWindow& page, const std::function<void()>& whileOpen) {
    QTimer::singleShot(0, &page, whileOpen);
    return page.ExecModal();
}

TEST(PageWindow, ExecModalReturnsTheResultGivenToDone) {
    TestPage page;
    EXPECT_EQ(ExecWith(page, [&] { page.Done(7); }), 7);
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(ExecWith(page, [&] { page.close(); }), 0);
    // Escape: the dialog's Cancel button when it has one, else closing it.
    const auto escape = [&] { QTest::keyClick(&page, Qt::Key_Escape); };
    EXPECT_EQ(ExecWith(page, escape), 0);
    auto* cancel = page.AddButton("cmdCancel", "Cancel", {0, 0, 900, 300});
    QObject::connect(cancel, &QPushButton::clicked, &page, [&] { page.Done(3); });
    EXPECT_EQ(ExecWith(page, escape), 3);
}

TEST(PageWindow, AModalDialogOpensOverItsOpenerAtOneSizeForTheScreen) {
    for (double openerScale : {0.1, 0.03}) {
        PageWindow opener(12000, 9000, nullptr, 40.0);  // drawing units, 40 per point
        opener.ResizeToScale(openerScale);
        opener.move(100, 50);
        opener.show();
        PageWindow dialog(6000, 3000);  // twips, 20 per point
        QSize shown;
        QPoint centre;
        ExecWith(dialog, [&] { shown = dialog.size(), centre = dialog.geometry().center(), dialog.Done(1); });
        // A point of the dialog is a point of the screen, 96 pixels an inch.
        EXPECT_EQ(shown, QSize(400, 200)) << openerScale;
        EXPECT_LE((centre - opener.geometry().center()).manhattanLength(), 8);  // frame margins
    }

    PageWindow sized(6000, 3000);  // a dialog that sized itself keeps its size
    sized.ResizeToScale(0.05);
    ExecWith(sized, [&] { sized.Done(0); });
    EXPECT_EQ(sized.size(), QSize(300, 150));
}

TEST(PageWindow, TabRunsRowByRowLeftToRight) {
    PageWindow page(6000, 3000);
    auto* lower = page.AddButton("lower", "c", {100, 1000, 900, 300});
    auto* right = page.AddButton("right", "b", {2000, 120, 900, 300});
    auto* left = page.AddTextBox("left", {100, 100, 900, 300});
    page.OrderTabsVisually();
    auto next = [](QWidget* w) {
        do w = w->nextInFocusChain(); while (w->focusPolicy() == Qt::NoFocus);
        return w;
    };
    EXPECT_EQ(next(left), right);
    EXPECT_EQ(next(right), lower);
}

}  // namespace
}  // namespace qv

#include <gtest/gtest.h>

#include <QPainter>
#include <numbers>

#include "platform/Replay.h"
#include "Pixels.h"

namespace qv {
namespace {

using test::Inked, test::InkAlongRow, test::SizeName;
constexpr double kPi = std::numbers::pi;

QImage Render(const RecordingSurface& rec, int w, int h, PageTransform* used = nullptr) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);  // a Clear op must wipe this
    const PageTransform t = PageTransform::Fit(12000, 9000, w, h);
    if (used) *used = t;
    QPainter p(&img);
    Replay(p, rec.Ops(), t);
    return img;
}

// Window sizes: reference scale, double, and a wide window limited by height.
class ReplayAtSize : public ::testing::TestWithParam<QSize> {};

// Logical points and whether they must be inked.
using Ink = std::vector<std::tuple<double, double, bool>>;
void ExpectInk(const QImage& img, const PageTransform& t, const Ink& points) {
    for (auto [x, y, inked] : points) EXPECT_EQ(Inked(img, t.ToDevice({x, y})), inked) << x << "," << y;
}

TEST_P(ReplayAtSize, ShapesLandWhereTheirLogicalCoordinatesSay) {
    RecordingSurface s;
    s.Clear();
    s.Line(1000, 3000, 5000, 3000);
    s.SetColour(Rgb(255, 0, 0));
    s.FillBox(7000, 2000, 6000, 1000);  // corners in either order
    s.SetColour(Rgb(0, 0, 255));
    s.Circle(9000, 6000, 1500, 0, 0, 1);
    PageTransform t;
    const QImage img = Render(s, GetParam().width(), GetParam().height(), &t);
    EXPECT_DOUBLE_EQ(t.scale, std::min(GetParam().width() / 12000.0, GetParam().height() / 9000.0));
    ExpectInk(img, t, {{3000, 3000, true}, {3000, 3300, false}, {500, 3000, false}, {10500, 6000, true},
                       {9000, 4500, true}, {7500, 6000, true}, {9000, 7500, true}, {9000, 6000, false},
                       {10000, 5000, false}});
    EXPECT_EQ(img.pixelColor(t.ToDevice({6500, 1500}).toPoint()), QColor(255, 0, 0));  // 0x00BBGGRR
    // The spare room beside the page was cleared too.
    EXPECT_EQ(img.pixelColor(img.width() - 1, img.height() - 1), QColor(Qt::white));
}

TEST_P(ReplayAtSize, ClipConfinesWhatFollowsUntilUnclip) {
    RecordingSurface s;
    s.Clear();
    s.Clip(8000, 6000, 4000, 2000);  // corners in either order
    s.Line(1000, 3000, 11000, 3000);
    s.Unclip();
    s.Line(1000, 5000, 11000, 5000);
    PageTransform t;
    const QImage img = Render(s, GetParam().width(), GetParam().height(), &t);
    auto at = [&](double x, double y) { return t.ToDevice({x, y}); };
    ExpectInk(img, t, {{6000, 3000, true}, {3000, 3000, false}, {9000, 3000, false}, {3000, 5000, true},
                       {9000, 5000, true}});
    // A clip the painter came with (a part painted again) holds through
    // the list's Clip, Unclip and Clear.
    QImage part(img.size(), QImage::Format_RGB32);
    part.fill(Qt::black);
    QPainter p(&part);
    p.setClipRect(QRectF(at(1000, 1000), at(5000, 9000)).toAlignedRect());
    Replay(p, s.Ops(), t);
    EXPECT_TRUE(Inked(part, at(4500, 3000)) && Inked(part, at(3000, 5000)));
    for (double y : {4000, 5000}) EXPECT_EQ(part.pixelColor(at(9000, y).toPoint()), QColor(Qt::black));
}

TEST_P(ReplayAtSize, ArcsRunCounterClockwiseAndAspectPicksTheHalfAxis) {
    RecordingSurface s;
    s.Clear();
    s.Circle(3000, 3000, 1500, 0, kPi / 2, 1);          // top-right quarter
    s.Circle(9000, 3000, 1500, 1.5 * kPi, kPi / 2, 1);  // end before start: right half
    s.Circle(3000, 7000, 1500, 0, 0, 2.0);              // tall: radius is the vertical half-axis
    s.Circle(9000, 7000, 1500, 0, 0, 0.5);              // flat: radius is the horizontal one
    PageTransform t;
    const QImage img = Render(s, GetParam().width(), GetParam().height(), &t);
    ExpectInk(img, t, {{4500, 3000, true}, {3000, 1500, true}, {1500, 3000, false}, {3000, 4500, false},
                       {10500, 3000, true}, {9000, 1500, true}, {9000, 4500, true}, {7500, 3000, false},
                       {3000, 5500, true}, {3750, 7000, true}, {4500, 7000, false},
                       {10500, 7000, true}, {9000, 6250, true}, {9000, 5500, false}});
}

TEST_P(ReplayAtSize, TextSitsBelowAndRightOfItsPositionAndMeasuresItsWidth) {
    RecordingSurface s;
    UseQtTextMetrics(s);
    s.Clear();
    s.SetFont({"Arial", 14, true});
    s.SetTextColour(Rgb(0, 0, 255));
    s.Text(2000, 2000, "HHHHHHHH");
    const double width = s.TextWidth("HHHHHHHH"), height = s.TextHeight();
    PageTransform t;
    const QImage img = Render(s, GetParam().width(), GetParam().height(), &t);

    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Inked(img, QPointF(x, y), 0)) ink |= QRect(x, y, 1, 1);
    const QRectF box = t.ToDevice(QRectF(2000, 2000, width, height));
    const double slack = 2 + 0.1 * box.height();  // side bearings, leading
    EXPECT_NEAR(ink.left(), box.left(), slack);
    EXPECT_NEAR(ink.right(), box.right(), slack);
    EXPECT_TRUE(ink.top() >= box.top() - 1 && ink.top() < box.top() + 0.4 * box.height() && ink.bottom() <= box.bottom() + 1)
        << ink.top() << " " << ink.bottom() << " in " << box.top() << " " << box.bottom();
    QColor darkest(Qt::white);
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (img.pixelColor(x, y).red() < darkest.red()) darkest = img.pixelColor(x, y);
    EXPECT_EQ(darkest, QColor(0, 0, 255));  // 0x00BBGGRR, blue in the high byte
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReplayAtSize,
                         ::testing::Values(QSize(800, 600), QSize(1600, 1200), QSize(1400, 600)), SizeName);

TEST(Replay, WidthTwoStaysThickerThanWidthOneAtEverySize) {
    RecordingSurface s;
    s.Clear();
    s.Line(3000, 1000, 3000, 8000);
    s.SetLineWidth(2);
    s.Line(9000, 1000, 9000, 8000);
    for (int w : {300, 800, 2400}) {
        PageTransform t;
        const QImage img = Render(s, w, w * 3 / 4, &t);
        const int row = static_cast<int>(t.ToDevice({0, 4500}).y());
        const double thin = InkAlongRow(img, row, 0, img.width() / 2);
        const double thick = InkAlongRow(img, row, img.width() / 2, img.width() - 1);
        SCOPED_TRACE(w);
        EXPECT_NEAR(thin, PenPixels(1, t.scale), 0.2);
        EXPECT_NEAR(thick, 2 * thin, 0.3);
    }
    EXPECT_DOUBLE_EQ(PenPixels(0.2, 1.0 / 30), 1.0);  // never thinner than a pixel
}

}  // namespace
}  // namespace qv

#include "platform/qt/qt_painter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <functional>

namespace lumi::platform::qt_backend {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage PaintOnWhite(int width, int height, const std::function<void(Painter&)>& draw) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QtPainter adapter(painter, QApplication::palette());
  draw(adapter);
  return image;
}

bool Set(const QImage& image, int x, int y) { return image.pixel(x, y) != kWhite; }

TEST(QtPainterTest, FilledEllipseHasTheColourInsideAndLeavesTheCornersAlone) {
  for (auto [color, rgb] : {std::pair<Color, QRgb>{0x0000FF, qRgb(255, 0, 0)}, {0x000080, qRgb(128, 0, 0)}}) {
    const QImage image = PaintOnWhite(15, 15, [&](Painter& p) { p.FillEllipse({0, 0, 15, 15}, color); });
    EXPECT_EQ(image.pixel(7, 7), rgb);
    EXPECT_EQ(image.pixel(0, 7), rgb);  // the disc reaches the left and right edges
    EXPECT_EQ(image.pixel(14, 7), rgb);
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    EXPECT_EQ(image.pixel(14, 14), kWhite);
  }
  const QImage blue = PaintOnWhite(4, 4, [](Painter& p) { p.FillRect({0, 0, 4, 4}, 0xFF0000); });
  EXPECT_EQ(blue.pixel(1, 1), qRgb(0, 0, 255));  // 0x00BBGGRR
}

TEST(QtPainterTest, ArcsRunCounterClockwiseFromStartToEnd) {
  // From the right-top corner to the left-bottom corner: the upper-left half.
  const QImage upper_left = PaintOnWhite(15, 15, [](Painter& p) {
    p.Arc({0, 0, 15, 15}, {15, 0}, {0, 15}, 0x808080, 1);
  });
  EXPECT_TRUE(Set(upper_left, 7, 0));                           // top
  EXPECT_TRUE(Set(upper_left, 0, 7));                           // left
  EXPECT_TRUE(Set(upper_left, 2, 3) || Set(upper_left, 3, 2));  // upper-left
  EXPECT_FALSE(Set(upper_left, 7, 14));                         // bottom
  EXPECT_FALSE(Set(upper_left, 14, 7));                         // right
  EXPECT_FALSE(Set(upper_left, 12, 12));
  EXPECT_FALSE(Set(upper_left, 7, 7));  // an arc, not a pie
  EXPECT_EQ(upper_left.pixel(7, 0), qRgb(128, 128, 128));

  // The other way round: the lower-right half.
  const QImage lower_right = PaintOnWhite(15, 15, [](Painter& p) {
    p.Arc({0, 0, 15, 15}, {0, 15}, {15, 0}, 0x808080, 1);
  });
  EXPECT_TRUE(Set(lower_right, 7, 14));
  EXPECT_TRUE(Set(lower_right, 14, 7));
  EXPECT_FALSE(Set(lower_right, 7, 0));
  EXPECT_FALSE(Set(lower_right, 0, 7));

  // Equal start and end directions draw the whole ellipse.
  const QImage whole = PaintOnWhite(15, 15, [](Painter& p) {
    p.Arc({0, 0, 15, 15}, {15, 7}, {15, 7}, 0, 1);
  });
  EXPECT_TRUE(Set(whole, 7, 0) && Set(whole, 0, 7) && Set(whole, 7, 14) && Set(whole, 14, 7));
}

TEST(QtPainterTest, ArcAnglesAreQtSixteenthsCounterClockwise) {
  // Right-top to left-bottom of a circle: from 45 degrees through 180 degrees.
  auto angles = QtPainter::ArcAnglesFor(7, 7, 7, -7, -7, 7);
  EXPECT_EQ(angles.start, 45 * 16);
  EXPECT_EQ(angles.span, 180 * 16);
  angles = QtPainter::ArcAnglesFor(7, 7, 3, 0, 5, 0);
  EXPECT_EQ(angles.span, 360 * 16);
  // On a flat ellipse a ray through the corner meets it at the corner's parametric
  // angle, 45 degrees, not the ray's own 26.6 degrees.
  angles = QtPainter::ArcAnglesFor(20, 10, 20, -10, -20, -10);
  EXPECT_EQ(angles.start, 45 * 16);
  EXPECT_EQ(angles.span, 90 * 16);
}

TEST(QtPainterTest, LinesLeaveOutTheirLastPoint) {
  const QImage image = PaintOnWhite(12, 12, [](Painter& p) {
    p.Line({2, 2}, {8, 2}, 0, 1);
    p.Line({10, 2}, {10, 9}, 0, 1);
    p.Line({4, 6}, {4, 6}, 0, 1);  // no length: nothing
  });
  for (int x = 2; x < 8; ++x) EXPECT_TRUE(Set(image, x, 2)) << x;
  EXPECT_FALSE(Set(image, 8, 2));
  EXPECT_TRUE(Set(image, 10, 8));
  EXPECT_FALSE(Set(image, 10, 9));
  EXPECT_FALSE(Set(image, 4, 6));

  const QImage wide = PaintOnWhite(12, 12, [](Painter& p) { p.Line({1, 5}, {9, 5}, 0xFFFFFF - 1, 2); });
  int rows = 0;
  for (int y = 0; y < 12; ++y) rows += Set(wide, 5, y) ? 1 : 0;
  EXPECT_EQ(rows, 2);
}

TEST(QtPainterTest, FramesAndEdgesStayOnTheBorderOfTheirBox) {
  const QImage framed = PaintOnWhite(10, 10, [](Painter& p) { p.Frame({1, 1, 8, 8}, 0x808080); });
  EXPECT_TRUE(Set(framed, 1, 1));
  EXPECT_TRUE(Set(framed, 8, 8));
  EXPECT_TRUE(Set(framed, 8, 4));
  EXPECT_FALSE(Set(framed, 9, 9));
  EXPECT_FALSE(Set(framed, 4, 4));

  const QPalette& palette = QApplication::palette();
  const QImage raised = PaintOnWhite(10, 10, [](Painter& p) { p.Edge({0, 0, 10, 10}, false); });
  const QImage sunken = PaintOnWhite(10, 10, [](Painter& p) { p.Edge({0, 0, 10, 10}, true); });
  EXPECT_EQ(raised.pixel(0, 5), palette.color(QPalette::Light).rgb());
  EXPECT_EQ(raised.pixel(9, 5), palette.color(QPalette::Dark).rgb());
  EXPECT_EQ(sunken.pixel(0, 5), palette.color(QPalette::Dark).rgb());
  EXPECT_EQ(sunken.pixel(9, 5), palette.color(QPalette::Light).rgb());
  EXPECT_EQ(raised.pixel(5, 5), kWhite);
}

TEST(QtPainterTest, PicturesAndSystemColours) {
  Picture picture{2, 1, {0xFF00FF00, 0xFF0000FF}};
  const QImage image = PaintOnWhite(5, 5, [&](Painter& p) {
    p.DrawPicture({1, 2}, picture);
    p.DrawPicture({0, 0}, Picture{3, 3, {1, 2}});  // too few pixels: nothing
    p.FillRect({3, 3, 2, 2}, 0xFF00000F);          // button face
  });
  EXPECT_EQ(image.pixel(1, 2), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(0, 0), kWhite);
  EXPECT_EQ(image.pixel(4, 4), QApplication::palette().color(QPalette::Button).rgb());
}

}  // namespace
}  // namespace lumi::platform::qt_backend

#include "platform/win32ui/gdi_painter.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32ui/gdi_objects.h"

namespace lumi::platform::win32ui {
namespace {

// A white 16 x 16 DIB section to draw on, read back pixel by pixel (0x00RRGGBB).
class Canvas {
 public:
  Canvas() {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateTopDownDib(kSize, kSize, &pixels_);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < kSize * kSize; ++i) pixels_[i] = 0xFFFFFF;
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  GdiPainter Painter() { return GdiPainter(dc_, pixels_, kSize, kSize); }
  uint32_t At(int x, int y) {
    GdiFlush();
    return pixels_[y * kSize + x] & 0xFFFFFF;
  }

  static constexpr int kSize = 16;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* pixels_ = nullptr;
};

constexpr Color kRed = 0x0000FF;          // as Windows writes colours: 0x00BBGGRR
constexpr uint32_t kRedPixel = 0xFF0000;  // as the DIB holds them

TEST(GdiPainterTest, RectanglesAndLinesLeaveOutTheirRightAndBottomEdgesAndLastPoint) {
  Canvas canvas;
  {
    GdiPainter painter = canvas.Painter();
    painter.FillRect({2, 2, 3, 3}, kRed);
    painter.Line({0, 10}, {5, 10}, kRed, 1);
  }
  EXPECT_EQ(canvas.At(2, 2), kRedPixel);
  EXPECT_EQ(canvas.At(4, 4), kRedPixel);
  EXPECT_EQ(canvas.At(5, 4), 0xFFFFFFu);
  EXPECT_EQ(canvas.At(4, 5), 0xFFFFFFu);
  EXPECT_EQ(canvas.At(0, 10), kRedPixel);
  EXPECT_EQ(canvas.At(4, 10), kRedPixel);
  EXPECT_EQ(canvas.At(5, 10), 0xFFFFFFu);
}

TEST(GdiPainterTest, AFilledEllipseStaysInsideItsBoxAndSwappedCornersAreTheSameBox) {
  Canvas canvas;
  {
    GdiPainter painter = canvas.Painter();
    painter.FillEllipse({10, 10, -8, -8}, kRed);  // the box 2..9
  }
  EXPECT_EQ(canvas.At(5, 5), kRedPixel);
  EXPECT_EQ(canvas.At(2, 2), 0xFFFFFFu);  // a corner lies outside the ellipse
  EXPECT_EQ(canvas.At(10, 5), 0xFFFFFFu);
  EXPECT_EQ(canvas.At(5, 10), 0xFFFFFFu);
}

TEST(GdiPainterTest, PicturesLieOverTheBackgroundByTheirAlphaAndAreCutAtTheEdges) {
  Canvas canvas;
  Picture picture;
  picture.width = 3;
  picture.height = 1;
  picture.pixels = {0xFF0000FF, 0x00FF0000, 0x80000000};  // opaque blue, clear, half black
  {
    GdiPainter painter = canvas.Painter();
    painter.DrawPicture({0, 0}, picture);
    painter.DrawPicture({Canvas::kSize - 1, Canvas::kSize - 1}, picture);  // only one pixel inside
    painter.DrawPicture({-5, -5}, picture);                                // nothing inside
  }
  EXPECT_EQ(canvas.At(0, 0), 0x0000FFu);
  EXPECT_EQ(canvas.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(canvas.At(2, 0), 0x7F7F7Fu);
  EXPECT_EQ(canvas.At(Canvas::kSize - 1, Canvas::kSize - 1), 0x0000FFu);
}

TEST(GdiPainterTest, AnArcIsDrawnCounterClockwiseFromStartToEnd) {
  Canvas canvas;
  {
    GdiPainter painter = canvas.Painter();
    // From the right through the top to the left: the upper half only.
    painter.Arc({0, 0, 16, 16}, {16, 8}, {0, 8}, kRed, 1);
  }
  EXPECT_EQ(canvas.At(8, 0), kRedPixel);
  EXPECT_EQ(canvas.At(8, 15), 0xFFFFFFu);
}

}  // namespace
}  // namespace lumi::platform::win32ui

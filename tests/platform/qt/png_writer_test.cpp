// The icon the autostart entry names is read by the desktop's own image loader: Qt's
// PNG reader stands in for it.
#include "platform/linux/png_writer.h"

#include <gtest/gtest.h>

#include <QImage>

namespace lumi::platform::linux_backend {
namespace {

TEST(PngWriterTest, AnImageLoaderReadsBackEveryPixel) {
  // Wide enough that the rows span more than one stored block.
  Picture picture{300, 60, {}};
  for (int32_t y = 0; y < picture.height; ++y)
    for (int32_t x = 0; x < picture.width; ++x)
      picture.pixels.push_back((static_cast<uint32_t>((x + y) % 256) << 24) |
                               (static_cast<uint32_t>(x % 256) << 16) |
                               (static_cast<uint32_t>(y % 256) << 8) | 0x5A);
  const std::string png = EncodePng(picture);
  QImage image;
  ASSERT_TRUE(
      image.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
  ASSERT_EQ(image.width(), picture.width);
  ASSERT_EQ(image.height(), picture.height);
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int32_t y = 0; y < picture.height; ++y)
    for (int32_t x = 0; x < picture.width; ++x)
      ASSERT_EQ(argb.pixel(x, y), picture.pixels[static_cast<size_t>(y * picture.width + x)])
          << x << "," << y;

  EXPECT_EQ(EncodePng(Picture{}), "");
  EXPECT_EQ(EncodePng(Picture{2, 2, {1, 2, 3}}), "");  // fewer pixels than the size says
}

}  // namespace
}  // namespace lumi::platform::linux_backend

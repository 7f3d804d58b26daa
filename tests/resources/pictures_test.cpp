#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumi::resources {
namespace {

bool HasDrawing(const platform::Picture& picture) {
  for (uint32_t pixel : picture.pixels) {
    if ((pixel >> 24) == 0xFF) return true;
  }
  return false;
}

TEST(PicturesTest, EveryButtonFaceIs24By24DrawnAndDifferentFromTheOthers) {
  std::vector<const platform::Picture*> faces;
  for (int i = 0; i <= 6; ++i) {
    const std::string name = "BITMAP" + std::to_string(i);
    const platform::Picture& face = Picture(name);
    SCOPED_TRACE(name);
    EXPECT_EQ(face.width, 24);
    EXPECT_EQ(face.height, 24);
    ASSERT_EQ(face.pixels.size(), 24u * 24u);
    EXPECT_TRUE(HasDrawing(face));
    EXPECT_EQ(face.pixels.front() >> 24, 0u);  // the corner lets the button show through
    for (const platform::Picture* other : faces) EXPECT_NE(face, *other);
    faces.push_back(&face);
  }
  // The face of setup mode being on is greyed: no colour in it.
  for (uint32_t pixel : Picture("BITMAP3").pixels) {
    const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    EXPECT_TRUE(r == g && g == b) << std::hex << pixel;
  }
}

TEST(PicturesTest, IconsAreDrawnOnceAndUnknownNamesAreEmpty) {
  for (const char* name : {"ICON0", "ICON1"}) {
    const platform::Picture& icon = Picture(name);
    EXPECT_EQ(icon.width, 32) << name;
    EXPECT_EQ(icon.height, 32) << name;
    EXPECT_TRUE(HasDrawing(icon)) << name;
    EXPECT_EQ(&Picture(name), &icon);
  }
  EXPECT_NE(Picture("ICON0"), Picture("ICON1"));
  EXPECT_TRUE(Picture("BITMAP7").IsEmpty());
  EXPECT_TRUE(Picture("icon0").IsEmpty());
  EXPECT_TRUE(Picture("").IsEmpty());
}

}  // namespace
}  // namespace lumi::resources

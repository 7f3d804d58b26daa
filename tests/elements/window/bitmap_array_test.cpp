#include "elements/window/bitmap_array.h"

#include <gtest/gtest.h>

#include "elements/compute/array_rw.h"
#include "elements/window/bit_btn.h"
#include "tests/elements/window/window_fixture.h"

namespace lumi {
namespace {

platform::Picture Solid(int32_t size, uint32_t pixel) {
  return {size, size, std::vector<uint32_t>(static_cast<size_t>(size * size), pixel)};
}

class BitmapArrayTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    faces.Items = {Solid(24, 0xFF000003), Solid(24, 0xFF000004)};
    TData value = Read<&TElBitmapArray::Array>(faces);
    ASSERT_EQ(value.type, DataType::Array);
    array = value.AsArray();
    ASSERT_NE(array, nullptr);
  }

  TElBitmapArray faces;
  ArrayInterface* array = nullptr;
};

TEST_F(BitmapArrayTest, GetLendsTheArraysOwnPicturesAndSetStoresCopies) {
  EXPECT_EQ(array->Count(), 2);
  TData item;
  ASSERT_TRUE(array->Get(TData::Integer(1), item));
  EXPECT_EQ(item.type, DataType::Bitmap);
  EXPECT_EQ(item.object, &faces.Items[1]);
  EXPECT_FALSE(array->Get(TData::Integer(2), item));
  EXPECT_FALSE(array->Get(TData::String("abc"), item));
  EXPECT_TRUE(array->Get(TData::String("0"), item));

  platform::Picture replacement = Solid(16, 0xFFFFFFFF);
  TData picture;
  picture.SetBitmap(&replacement);
  array->Set(TData::Integer(0), picture);
  replacement.pixels[0] = 0;
  EXPECT_EQ(faces.Items[0].width, 16);
  EXPECT_EQ(faces.Items[0].pixels[0], 0xFFFFFFFFu);

  array->Set(TData::Integer(1), TData::Integer(7));  // not a picture
  array->Set(TData::Integer(5), picture);            // no such item
  array->Add(picture);
  EXPECT_EQ(faces.Items[1], Solid(24, 0xFF000004));
  EXPECT_EQ(array->Count(), 2);
}

TEST_F(BitmapArrayTest, AnArrayReaderHandsAFaceToAPictureButton) {
  TElBitBtn button(nullptr);
  button.Width = 30;
  button.Height = 30;
  button.Init();
  TElArrayRW reader;
  reader.InArray = Link<&TElBitmapArray::Array>(&faces);
  reader.OnRead = Link<&TElBitBtn::SetPicture>(&button);

  Act<&TElArrayRW::Read>(reader, TData::Integer(1));
  EXPECT_EQ(button.Picture, faces.Items[1]);
  EXPECT_EQ(ui.Mirror(button.PlatformControl())->Painting().Lines()[1], "Picture (3,3) 24x24");
  Act<&TElArrayRW::Read>(reader, TData::Integer(0));
  EXPECT_EQ(button.Picture, faces.Items[0]);
}

}  // namespace
}  // namespace lumi

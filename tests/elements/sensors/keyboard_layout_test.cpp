#include "elements/sensors/keyboard_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "elements/device/str_list.h"
#include "elements/sensors/win_enum.h"
#include "platform/sensors.h"
#include "platform/services.h"
#include "resources/language_table.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

class FakeKeyboard final : public platform::Keyboard {
 public:
  int32_t foreground = 0;
  int32_t layout = 0;
  std::vector<int32_t> asked;

  int32_t ForegroundWindow() override { return foreground; }
  int32_t LayoutOf(int32_t window) override {
    asked.push_back(window);
    return layout;
  }
};

class KeyboardLayoutTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().keyboard = &keyboard_;
    ids_.SetStrings(resources::LanguageLayouts());
  }

  TData ReadLayout() {
    TData result;
    Read(Link<&TElKeyboardLayout::OutLayout>(&layout_), result);
    return result;
  }

  bool MatchesARow(const TData& value) {
    for (const Text& line : ids_.Lines())
      if (line == value.AsString()) return true;
    return false;
  }

  FakeKeyboard keyboard_;
  TElWinEnum focus_;
  TElKeyboardLayout layout_;
  TElStrList ids_;
};

TEST_F(KeyboardLayoutTest, LayoutOfTheForegroundWindow) {
  layout_.InWindow = Link<&TElWinEnum::OutForegroundWindow>(&focus_);
  keyboard_.foreground = 0x3A00007;
  keyboard_.layout = 0x04090409;

  const TData value = ReadLayout();
  EXPECT_EQ(value.type, DataType::Integer);
  EXPECT_EQ(value.integer, 67699721);
  EXPECT_EQ(keyboard_.asked, std::vector<int32_t>{0x3A00007});
  // As the panel compares it: the decimal text is the US English row.
  ASSERT_EQ(ids_.Lines().size(), 223u);
  EXPECT_EQ(value.AsString(), ids_.Lines()[45]);
}

TEST_F(KeyboardLayoutTest, TopBitSetReadsNegativeAndMatchesNoRow) {
  keyboard_.layout = static_cast<int32_t>(0xF0020409u);
  const TData value = ReadLayout();
  EXPECT_EQ(value.integer, -268303351);
  EXPECT_EQ(value.AsString(), "-268303351");
  EXPECT_FALSE(MatchesARow(value));

  // A layout with no language of the table (0) matches no row either.
  keyboard_.layout = 0;
  EXPECT_FALSE(MatchesARow(ReadLayout()));
  keyboard_.layout = 0x04190419;
  EXPECT_TRUE(MatchesARow(ReadLayout()));
}

TEST_F(KeyboardLayoutTest, UnlinkedWindowIsWindowZero) {
  // Even when the reader's record holds a value, it is not taken for a window.
  TData result = TData::Integer(77);
  layout_.OutLayout(result, 0);
  EXPECT_EQ(keyboard_.asked, std::vector<int32_t>{0});

  TData window;
  keyboard_.foreground = 0;
  Read(Link<&TElWinEnum::OutForegroundWindow>(&focus_), window);
  EXPECT_EQ(window.type, DataType::Integer);
  EXPECT_EQ(window.integer, 0);
}

}  // namespace
}  // namespace lumi

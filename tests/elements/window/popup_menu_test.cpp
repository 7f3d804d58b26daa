#include "elements/window/popup_menu.h"

#include <gtest/gtest.h>

#include "elements/window/bitmap_array.h"
#include "tests/elements/window/form_fixture.h"

namespace lumi {
namespace {

class PopupMenuTest : public test::FormTest {};

TEST_F(PopupMenuTest, TheApplicationsMenuCountsSeparatorsAndReportsAfterItClosed) {
  TElMainForm main(nullptr);
  SetUpMain(main);
  TElPopupMenu menu(&main);
  menu.SetMenu(Cp("Восстановить\r\n-\r\nО программе...\r\n-\r\nВыход"));
  test::Probe log;  // 0 closed, 1 text, 2 index
  menu.OnClosed = test::ToProbe(&log, 0);
  menu.OnClickText = test::ToProbe(&log, 1);
  menu.OnClick = test::ToProbe(&log, 2);
  main.Start();

  ui.QueueMenuAnswer(4);
  Act<&TElPopupMenu::Popup>(menu);
  ASSERT_EQ(ui.MenusShown().size(), 1u);
  const auto& items = ui.MenusShown()[0];
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].text, Cp("Восстановить"));
  EXPECT_TRUE(items[1].separator);
  EXPECT_EQ(items[2].text, Cp("О программе..."));
  EXPECT_TRUE(items[3].separator);
  EXPECT_EQ(items[4].text, Cp("Выход"));
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{0, 1, 2}));
  EXPECT_EQ(log.received[1].AsString(), Cp("Выход"));
  EXPECT_EQ(log.received[2].AsInteger(), 4);

  // Closed without a choice, or on a separator: only OnClosed.
  log.indices.clear();
  ui.QueueMenuAnswer(-1);
  Act<&TElPopupMenu::Popup>(menu);
  ui.QueueMenuAnswer(3);
  Act<&TElPopupMenu::Popup>(menu);
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{0, 0}));
}

TEST_F(PopupMenuTest, PicturesComeFromInIconsByLineAndTheCornerColourGoesTransparent) {
  constexpr uint32_t kKey = 0xFFFF00FF;
  TElBitmapArray icons;
  icons.Items = {{2, 1, {kKey, 0xFF112233}}, {1, 1, {0xFF445566}}, {2, 1, {kKey, kKey}}};
  TElPopupMenu menu(nullptr);
  menu.TransparentIcons = true;
  menu.InIcons = Link<&TElBitmapArray::Array>(&icons);
  menu.SetMenu("A\n-\r\nB\r\n");  // a lone LF splits too; the last break adds nothing
  RunInits();

  const auto& items = menu.Items();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].picture.pixels, (std::vector<uint32_t>{0, 0xFF112233}));
  EXPECT_TRUE(items[1].separator);
  EXPECT_TRUE(items[1].picture.IsEmpty());
  EXPECT_EQ(items[2].text, "B");
  EXPECT_EQ(items[2].picture.pixels, (std::vector<uint32_t>{0, 0}));

  menu.TransparentIcons = false;
  menu.SetMenu("C");  // after start the menu is rebuilt at once
  EXPECT_EQ(menu.Items()[0].picture.pixels, (std::vector<uint32_t>{kKey, 0xFF112233}));
}

}  // namespace
}  // namespace lumi

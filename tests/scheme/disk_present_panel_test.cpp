#include "scheme/disk_present_panel.h"

#include "tests/scheme/panel_host.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::DriveType;
using platform::Rect;

class DiskPresentPanelTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    drives.drives = {{'A', DriveType::Removable, {}},
                     {'C', DriveType::Fixed, {1ull << 30, 4ull << 30}},
                     {'D', DriveType::CdRom, {}}};
    panel = std::make_unique<test::PanelHost<DiskPresentPanel>>(1, 0);
    panel->multi->OnEvent[0] = test::ToProbe(&changes);
  }
  void TearDown() override {
    panel.reset();
    SchemeTest::TearDown();
  }

  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
  int32_t Evaluate(const char* letter) {
    panel->Work(1, TData::String(letter));
    return panel->OutVar(0).AsInteger();
  }

  test::Probe changes;
  std::unique_ptr<test::PanelHost<DiskPresentPanel>> panel;
};

TEST_F(DiskPresentPanelTest, StateTellsWhetherTheChosenLetterIsPresent) {
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);  // off before the first evaluation

  EXPECT_EQ(Evaluate("C"), 1);
  EXPECT_EQ(panel->OutVar(1).text, "C");
  EXPECT_EQ(panel->OutVar(2).text, Cp("Диск C подключен"));

  // Each evaluation starts from off: an absent drive after a present one reads 0.
  EXPECT_EQ(Evaluate("E"), 0);
  EXPECT_EQ(panel->OutVar(1).text, "E");
  EXPECT_EQ(panel->OutVar(2).text, Cp("Диск E подключен"));
  EXPECT_EQ(Evaluate("D"), 1);  // any drive type counts

  // The list takes the letter whatever its case and answers with its own entry.
  EXPECT_EQ(Evaluate("c"), 1);
  EXPECT_EQ(panel->OutVar(1).text, "C");

  // A text that is no letter of the list selects nothing and is never present.
  EXPECT_EQ(Evaluate("CD"), 0);
  EXPECT_EQ(panel->OutVar(1).text, "");
  EXPECT_EQ(panel->OutVar(2).text, Cp("Диск  подключен"));

  // The drives are asked anew at every evaluation.
  drives.drives.erase(drives.drives.begin() + 1);
  EXPECT_EQ(Evaluate("C"), 0);
  drives.drives.push_back({'E', DriveType::Removable, {}});
  EXPECT_EQ(Evaluate("E"), 1);

  EXPECT_EQ(changes.Count(), 0u);  // applying a parameter is not a user change
}

TEST_F(DiskPresentPanelTest, PickingALetterReportsItsIndex) {
  DiskPresentPanel& p = **panel;
  Evaluate("C");
  ASSERT_TRUE(user.PickItem(p.drive_list->PlatformControl(), 4));
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().type, DataType::Integer);
  EXPECT_EQ(changes.Last().AsInteger(), 4);
  // What the outer scheme then reads back and writes as Var2.
  EXPECT_EQ(panel->OutVar(1).text, "E");
}

TEST_F(DiskPresentPanelTest, WorkZeroShowsAndHidesEveryControl) {
  DiskPresentPanel& p = **panel;
  EXPECT_EQ(Mirror(p.box).geometry, (Rect{315, 43, 232, 36}));
  EXPECT_EQ(Mirror(p.drive_list).geometry, (Rect{108, 10, 35, 21}));
  EXPECT_EQ(Mirror(p.drive_list).hint, Cp("Буква диска"));
  const std::vector<std::string>& items = Mirror(p.drive_list).items;
  ASSERT_EQ(items.size(), 26u);
  EXPECT_EQ(items.front(), "A");
  EXPECT_EQ(items.back(), "Z");
  EXPECT_EQ(Mirror(p.caption_label).text, Cp("Сигнал, если диск"));
  EXPECT_EQ(Mirror(p.present_label).text, Cp("подключен"));

  TElWin* controls[] = {p.caption_label, p.drive_list, p.present_label};
  panel->Work(0, TData::Integer(0));
  for (TElWin* control : controls) EXPECT_FALSE(Mirror(control).visible);
  EXPECT_FALSE(user.PickItem(p.drive_list->PlatformControl(), 2));  // a hidden list cannot be used
  EXPECT_EQ(changes.Count(), 0u);
  panel->Work(0, TData::Integer(1));
  for (TElWin* control : controls) EXPECT_TRUE(Mirror(control).visible);
}

}  // namespace
}  // namespace lumi

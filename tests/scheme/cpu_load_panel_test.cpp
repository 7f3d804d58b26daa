#include "scheme/cpu_load_panel.h"

#include "scheme/repeat_unit.h"
#include "tests/scheme/panel_host.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::MouseButton;
using platform::Rect;

class CpuLoadPanelTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    panel = std::make_unique<test::PanelHost<CpuLoadPanel>>(1, 1);
    panel->multi->OnEvent[0] = test::ToProbe(&changes);
    panel->multi->InData[0] = test::FromSource(&load);
  }
  void TearDown() override {
    panel.reset();
    SchemeTest::TearDown();
  }

  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
  std::string EditText() { return Mirror((*panel)->value_edit).text; }
  void Click(TElWin* button) { ASSERT_TRUE(user.Click(button->PlatformControl())); }
  void Evaluate(double cpu, TData var1) {
    load.value = TData::Real(cpu);
    panel->Work(1, var1);
  }

  test::Source load;
  test::Probe changes;
  std::unique_ptr<test::PanelHost<CpuLoadPanel>> panel;
};

TEST_F(CpuLoadPanelTest, StateIsOnOnlyAboveTheThreshold) {
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 50);  // the counter's default before any Var1
  EXPECT_EQ(EditText(), "50");

  Evaluate(50, TData::Integer(50));
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);
  Evaluate(51, TData::Integer(50));
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 1);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Загрузка ЦП больше 50 %"));

  // Two channels of this type in one cycle: each sees its own threshold.
  Evaluate(50, TData::String("30"));
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 1);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Загрузка ЦП больше 30 %"));
  Evaluate(50, TData::String("70"));
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 70);
  EXPECT_EQ(EditText(), "70");
  // Applying a parameter is not a user change.
  EXPECT_EQ(changes.Count(), 0u);
}

TEST_F(CpuLoadPanelTest, ButtonsStepOnceAndReportTheNewCount) {
  Evaluate(10, TData::Integer(50));
  Click((*panel)->plus_button);
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().AsInteger(), 51);
  EXPECT_EQ(EditText(), "51");
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 51);

  Click((*panel)->minus_button);
  Click((*panel)->minus_button);
  ASSERT_EQ(changes.Count(), 3u);
  EXPECT_EQ(changes.Last().AsInteger(), 49);
  EXPECT_EQ(EditText(), "49");

  // What the user types into the edit is never read back.
  ASSERT_TRUE(user.Type((*panel)->value_edit->PlatformControl(), "7"));
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 49);
  EXPECT_EQ(changes.Count(), 3u);
  EXPECT_EQ(loop.RunningTimers(), 0u);  // released buttons leave no timer behind
}

TEST_F(CpuLoadPanelTest, ThresholdStaysWithinItsBounds) {
  Evaluate(10, TData::Integer(99));
  Click((*panel)->plus_button);
  EXPECT_EQ(changes.Count(), 0u);
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 99);

  Evaluate(10, TData::Integer(0));
  Click((*panel)->minus_button);
  EXPECT_EQ(changes.Count(), 0u);
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 0);

  // A stored value out of range is shown and used as it is, and only - leads back.
  // Any mouse button steps alike, down to 0 itself.
  Evaluate(10, TData::Integer(1));
  ASSERT_TRUE(user.PressMouse((*panel)->minus_button->PlatformControl(), MouseButton::Right, {7, 7}));
  ASSERT_TRUE(user.ReleaseMouse((*panel)->minus_button->PlatformControl(), MouseButton::Right, {7, 7}));
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().AsInteger(), 0);
  changes.received.clear();

  Evaluate(120, TData::Integer(150));
  EXPECT_EQ(EditText(), "150");
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Загрузка ЦП больше 150 %"));
  Click((*panel)->plus_button);
  EXPECT_EQ(changes.Count(), 0u);
  Click((*panel)->minus_button);
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().AsInteger(), 149);
  EXPECT_EQ(EditText(), "149");
}

TEST_F(CpuLoadPanelTest, HoldingAButtonRepeatsAfterASecond) {
  TElWin* plus = (*panel)->plus_button;
  ASSERT_TRUE(user.PressMouse(plus->PlatformControl(), MouseButton::Left, {7, 7}));
  EXPECT_EQ(changes.Count(), 1u);  // at once
  loop.AdvanceBy(999);
  EXPECT_EQ(changes.Count(), 1u);
  loop.AdvanceBy(1001);
  ASSERT_TRUE(user.ReleaseMouse(plus->PlatformControl(), MouseButton::Left, {7, 7}));
  EXPECT_GE(changes.Count(), 20u);
  EXPECT_LE(changes.Count(), 22u);
  const size_t held = changes.Count();
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 50 + static_cast<int32_t>(held));
  loop.AdvanceBy(5000);
  EXPECT_EQ(changes.Count(), held);

  // Held long enough, - stops at 0 while the repeater keeps running.
  TElWin* minus = (*panel)->minus_button;
  ASSERT_TRUE(user.PressMouse(minus->PlatformControl(), MouseButton::Left, {7, 7}));
  loop.AdvanceBy(10000);
  ASSERT_TRUE(user.ReleaseMouse(minus->PlatformControl(), MouseButton::Left, {7, 7}));
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 0);
  EXPECT_EQ(changes.Last().AsInteger(), 0);
  EXPECT_EQ(loop.RunningTimers(), 0u);
}

TEST_F(CpuLoadPanelTest, WorkZeroShowsAndHidesEveryControl) {
  CpuLoadPanel& p = **panel;
  EXPECT_EQ(Mirror(p.box).geometry, (Rect{315, 0, 232, 43}));
  EXPECT_EQ(Mirror(p.caption_label).text, Cp("Сигнал, если загрузка ЦП более"));
  EXPECT_EQ(Mirror(p.plus_button).hint, Cp("Увеличение"));
  EXPECT_EQ(Mirror(p.minus_button).geometry, (Rect{200, 24, 15, 15}));

  TElWin* controls[] = {p.caption_label, p.value_edit, p.plus_button, p.minus_button, p.percent_label};
  panel->Work(0, TData::Integer(0));
  for (TElWin* control : controls) EXPECT_FALSE(Mirror(control).visible);
  EXPECT_FALSE(user.Click(p.plus_button->PlatformControl()));  // a hidden button cannot be pressed
  panel->Work(0, TData::Integer(1));
  for (TElWin* control : controls) EXPECT_TRUE(Mirror(control).visible);
}

using RepeatUnitTest = test::SchemeTest;

TEST_F(RepeatUnitTest, ReleaseWithinTheDelayStopsTheRepeat) {
  test::PanelHost<RepeatUnit> unit(2);
  test::Probe up;
  test::Probe down;
  unit.multi->OnEvent[0] = test::ToProbe(&up);
  unit.multi->OnEvent[1] = test::ToProbe(&down);

  unit.Work(2, TData::Integer(0));
  loop.AdvanceBy(500);
  unit.Work(3, TData::Integer(0));
  loop.AdvanceBy(3000);
  EXPECT_EQ(down.Count(), 1u);
  EXPECT_EQ(up.Count(), 0u);

  unit.Work(0, TData::Integer(0));
  loop.AdvanceBy(1100);  // delay at 1000, repeats at 1050 and 1100
  unit.Work(1, TData::Integer(0));
  loop.AdvanceBy(3000);
  EXPECT_EQ(up.Count(), 3u);
  EXPECT_EQ(down.Count(), 1u);
  EXPECT_EQ(loop.RunningTimers(), 0u);
}

}  // namespace
}  // namespace lumi

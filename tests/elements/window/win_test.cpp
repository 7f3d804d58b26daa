#include "elements/window/win.h"

#include <gtest/gtest.h>

#include "elements/window/button.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "tests/elements/window/window_fixture.h"

namespace lumi {
namespace {

using platform::ControlKind;
using platform::MouseButton;
using platform::Rect;

class WinTest : public test::WindowTest {};

TEST_F(WinTest, InitCreatesTheControlInItsParentWithTheCommonProperties) {
  TElGroupBox panel(nullptr);
  panel.Left = 6;
  panel.Top = 518;
  panel.Width = 299;
  panel.Height = 36;
  panel.Font.size = 10;
  panel.Init();

  TElButton button(&panel);
  button.Left = 3;
  button.Top = 4;
  button.Width = 30;
  button.Height = 30;
  button.TabOrder = 2;
  button.Color = 0x123456;
  button.Enabled = false;
  button.Hint = Cp("Выход из программы");
  button.Caption = "OK";
  EXPECT_EQ(button.PlatformControl(), nullptr);
  button.Init();
  const auto* const control = button.PlatformControl();
  button.Init();  // once only
  EXPECT_EQ(button.PlatformControl(), control);

  auto* mirror = Mirror(button);
  ASSERT_NE(mirror, nullptr);
  EXPECT_EQ(mirror->Kind(), ControlKind::Button);
  EXPECT_EQ(mirror->Parent(), Mirror(panel));
  EXPECT_EQ(ui.ChildrenOf(panel.PlatformControl()), std::vector{mirror});
  const auto& state = mirror->State();
  EXPECT_EQ(state.geometry, (Rect{3, 4, 30, 30}));
  EXPECT_EQ(state.color, 0x123456u);
  EXPECT_FALSE(state.enabled);
  EXPECT_EQ(state.tab_order, 2);
  EXPECT_EQ(state.hint, Cp("Выход из программы"));
  EXPECT_EQ(state.font.name, "MS Sans Serif");
  EXPECT_EQ(state.font.size, 8);
  EXPECT_EQ(state.raise_count, 1);
  EXPECT_TRUE(state.visible);
  EXPECT_EQ(state.text, "OK");
  EXPECT_EQ(ui.FindByHint(Cp("Выход из программы")), mirror);
  EXPECT_EQ(panel.Children(), std::vector<TElWin*>{&button});
}

TEST_F(WinTest, ParentFontTakesTheFontShownByTheParentAndHiddenStaysHidden) {
  TElGroupBox outer(nullptr);
  outer.Font.size = 9;
  outer.Font.bold = true;
  outer.Init();
  TElGroupBox inner(&outer);
  inner.ParentFont = true;
  inner.Init();
  TElLabel label(&inner);
  label.ParentFont = true;
  label.Visible = false;
  label.TabOrder = -3;  // not a tab stop
  label.Init();

  EXPECT_EQ(Mirror(label)->State().font.size, 9);
  EXPECT_TRUE(Mirror(label)->State().font.bold);
  EXPECT_FALSE(Mirror(label)->State().visible);
  EXPECT_EQ(Mirror(label)->State().tab_order, 0);
}

TEST_F(WinTest, EnabledAndVisibleDisableOnlyForTheIntegerZero) {
  TElButton button(nullptr);
  button.Init();
  auto& state = Mirror(button)->State();

  Act<&TElWin::SetEnabled>(button, TData::Integer(0));
  EXPECT_FALSE(state.enabled);
  EXPECT_FALSE(button.Enabled);
  Act<&TElWin::SetEnabled>(button, TData::String("0"));
  EXPECT_TRUE(state.enabled);
  Act<&TElWin::SetEnabled>(button, TData::Integer(0));
  Act<&TElWin::SetEnabled>(button, TData());  // an empty value
  EXPECT_TRUE(state.enabled);
  Act<&TElWin::SetEnabled>(button, TData::Integer(0));
  Act<&TElWin::SetEnabled>(button, TData::Integer(1));
  EXPECT_TRUE(state.enabled);
  Act<&TElWin::SetEnabled>(button, TData::Real(0.0));  // only an Integer 0 is false
  EXPECT_TRUE(state.enabled);

  Act<&TElWin::SetVisible>(button, TData::Integer(0));
  EXPECT_FALSE(state.visible);
  EXPECT_FALSE(button.Visible);
  Act<&TElWin::SetVisible>(button, TData::String(""));
  EXPECT_TRUE(state.visible);
}

TEST_F(WinTest, WidthAndHeightKeepThePlaceAndTakeTheValueAsInteger) {
  TElGroupBox frame(nullptr);
  frame.Left = 0;
  frame.Top = 476;
  frame.Width = 311;
  frame.Height = 111;
  // Before Init only the fields change; Init applies them.
  Act<&TElWin::SetHeight>(frame, TData::Integer(112));
  frame.Init();
  EXPECT_EQ(Mirror(frame)->State().geometry, (Rect{0, 476, 311, 112}));

  Act<&TElWin::SetWidth>(frame, TData::String("280abc"));
  Act<&TElWin::SetHeight>(frame, TData::Real(41.5));  // rounds half to even
  EXPECT_EQ(Mirror(frame)->State().geometry, (Rect{0, 476, 280, 42}));
  EXPECT_EQ(frame.Width, 280);
  EXPECT_EQ(frame.Height, 42);
}

TEST_F(WinTest, MouseKeyAndFocusNotificationsReachTheEventPoints) {
  TElButton button(nullptr);
  button.Width = 30;
  button.Height = 30;
  button.Init();
  TElButton other(nullptr);
  other.Init();
  test::Probe down, move, up, wheel, key_down, key_up, chars, enter, exit;
  button.OnMouseDown = test::ToProbe(&down);
  button.OnMouseMove = test::ToProbe(&move);
  button.OnMouseUp = test::ToProbe(&up);
  button.OnMouseWheel = test::ToProbe(&wheel);
  button.OnKeyDown = test::ToProbe(&key_down);
  button.OnKeyUp = test::ToProbe(&key_up);
  button.OnChar = test::ToProbe(&chars);
  button.OnEnter = test::ToProbe(&enter);
  button.OnExit = test::ToProbe(&exit);
  auto* control = button.PlatformControl();

  user.PressMouse(control, MouseButton::Right, {5, 5});
  user.MoveMouse(control, {6, 6}, 1);
  user.MoveMouse(control, {7, 7});
  user.ReleaseMouse(control, MouseButton::Right, {7, 7});
  user.PressMouse(control, MouseButton::Middle, {5, 5});
  user.TurnWheel(control, -240);
  user.Type(control, "a1");
  user.Focus(other.PlatformControl());

  EXPECT_EQ(test::Integers(down), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(test::Integers(move), (std::vector<int32_t>{1, platform::kNoSingleButton}));
  EXPECT_EQ(test::Integers(up), (std::vector<int32_t>{1}));
  EXPECT_EQ(test::Integers(wheel), (std::vector<int32_t>{-240}));
  EXPECT_EQ(test::Integers(key_down), (std::vector<int32_t>{'A', '1'}));
  EXPECT_EQ(test::Integers(key_up), (std::vector<int32_t>{'A', '1'}));
  ASSERT_EQ(chars.Count(), 2u);
  EXPECT_EQ(chars.received[0].type, DataType::String);
  EXPECT_EQ(chars.received[0].text, "a");
  EXPECT_EQ(enter.Count(), 1u);  // the first press focused it
  EXPECT_EQ(exit.Count(), 1u);
  EXPECT_TRUE(enter.Last().IsNull());
}

TEST_F(WinTest, DestroyingAnElementRemovesItsControlAndLeavesTheChildrenSafe) {
  auto panel = std::make_unique<TElGroupBox>(nullptr);
  panel->Init();
  auto* panel_control = panel->PlatformControl();
  TElLabel label(panel.get());
  label.Init();
  EXPECT_EQ(ui.Controls().size(), 2u);

  panel.reset();  // out of order: the child still lives
  EXPECT_EQ(ui.Mirror(panel_control), nullptr);
  EXPECT_EQ(label.Parent(), nullptr);
  EXPECT_EQ(Mirror(label)->Parent(), nullptr);
  Act<&TElWin::SetVisible>(label, TData::Integer(0));
  EXPECT_FALSE(Mirror(label)->State().visible);
}

}  // namespace
}  // namespace lumi

#include <gtest/gtest.h>

#include "elements/window/bit_btn.h"
#include "elements/window/button.h"
#include "elements/window/check_box.h"
#include "elements/window/group_box.h"
#include "elements/window/radio_button.h"
#include "tests/elements/window/window_fixture.h"

namespace lumi {
namespace {

using platform::MouseButton;
using Lines = std::vector<std::string>;

class ButtonsTest : public test::WindowTest {};

TEST_F(ButtonsTest, AUserClickReportsDownUpThenClickAndADisabledButtonNothing) {
  TElButton button(nullptr);
  button.Width = 75;
  button.Height = 25;
  button.Init();
  test::Probe log;  // index 0 down, 1 up, 2 click
  button.OnMouseDown = test::ToProbe(&log, 0);
  button.OnMouseUp = test::ToProbe(&log, 1);
  button.OnClick = test::ToProbe(&log, 2);

  EXPECT_TRUE(user.Click(button.PlatformControl()));
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{0, 1, 2}));

  Act<&TElWin::SetEnabled>(button, TData::Integer(0));
  EXPECT_FALSE(user.Click(button.PlatformControl()));
  EXPECT_EQ(log.Count(), 3u);
}

TEST_F(ButtonsTest, CheckFiresOnCheckAlwaysAndOnClickOnlyAfterAUserChange) {
  TElCheckBox box(nullptr);
  box.Caption = Cp("Запускать вместе с Windows");
  box.Checked = true;
  box.Width = 170;
  box.Height = 20;
  box.Init();
  auto& state = Mirror(box)->State();
  EXPECT_TRUE(state.checked);
  EXPECT_EQ(state.text, Cp("Запускать вместе с Windows"));
  test::Probe log;  // index 0 OnCheck, 1 OnClick
  box.OnCheck = test::ToProbe(&log, 0);
  box.OnClick = test::ToProbe(&log, 1);

  Act<&TElCheckBox::Check>(box, TData::Integer(1));  // already checked
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{0}));
  EXPECT_EQ(test::Integers(log), (std::vector<int32_t>{1}));

  Act<&TElCheckBox::Check>(box, TData::Integer(0));
  EXPECT_FALSE(state.checked);
  EXPECT_FALSE(box.Checked);
  Act<&TElCheckBox::Check>(box, TData::String("0"));  // IsTrue: checks
  EXPECT_TRUE(state.checked);
  EXPECT_EQ(test::Integers(log), (std::vector<int32_t>{1, 0, 1}));
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{0, 0, 0}));

  log.received.clear();
  log.indices.clear();
  user.ToggleCheck(box.PlatformControl());
  EXPECT_FALSE(box.Checked);
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{0, 1}));
  EXPECT_EQ(test::Integers(log), (std::vector<int32_t>{0, 0}));
}

TEST_F(ButtonsTest, SelectingARadioButtonUnchecksItsSiblingsOnly) {
  TElGroupBox panel(nullptr), other_panel(nullptr);
  panel.Init();
  other_panel.Init();
  TElRadioButton first(&panel), second(&panel), elsewhere(&other_panel);
  for (TElRadioButton* r : {&first, &second, &elsewhere}) {
    r->Width = 15;
    r->Height = 15;
    r->Init();
  }
  test::Probe selected;
  first.OnSelect = test::ToProbe(&selected, 1);
  second.OnSelect = test::ToProbe(&selected, 2);
  Act<&TElRadioButton::Select>(elsewhere, TData::Integer(1));

  Act<&TElRadioButton::Select>(first, TData::Integer(1));  // as if clicked
  EXPECT_TRUE(first.IsChecked());
  EXPECT_TRUE(Mirror(first)->State().checked);

  EXPECT_TRUE(user.SelectRadio(second.PlatformControl()));
  EXPECT_TRUE(second.IsChecked());
  EXPECT_FALSE(first.IsChecked());
  EXPECT_FALSE(Mirror(first)->State().checked);
  EXPECT_TRUE(elsewhere.IsChecked());

  Act<&TElRadioButton::Select>(second, TData::Integer(0));  // unchecks, no event
  EXPECT_FALSE(Mirror(second)->State().checked);
  EXPECT_EQ(selected.indices, (std::vector<uint16_t>{1, 2}));
}

class BitBtnTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    face.width = 24;
    face.height = 24;
    face.pixels.assign(24 * 24, 0xFF00FF00);
    button.Width = 30;
    button.Height = 30;
    button.Flat = true;
    button.NoFrame = true;
    button.FrameColor = 0x808080;
    button.Color = 0xC0C0C0;
    button.Picture = face;
    button.Init();
  }
  Lines Drawn() {
    ui.Mirror(button.PlatformControl())->PaintNow();
    return ui.Mirror(button.PlatformControl())->Painting().Lines();
  }

  platform::Picture face;
  TElBitBtn button{nullptr};
};

TEST_F(BitBtnTest, AFlatButtonShowsItsEdgeOnlyWhilePointedAtOrPressed) {
  EXPECT_EQ(Drawn(), (Lines{"FillRect 0,0 30x30 #C0C0C0", "Picture (3,3) 24x24"}));

  auto* control = button.PlatformControl();
  user.MoveMouse(control, {10, 10});
  EXPECT_EQ(Drawn().back(), "Edge 0,0 30x30 raised");
  user.PressMouse(control, MouseButton::Left, {10, 10});
  EXPECT_EQ(Drawn().back(), "Edge 0,0 30x30 sunken");
  user.MoveMouse(control, {40, 10}, 0);  // dragged off: not pressed-looking any more
  EXPECT_EQ(Drawn().back(), "Picture (3,3) 24x24");
  user.MoveMouse(control, {12, 10}, 0);
  user.ReleaseMouse(control, MouseButton::Left, {12, 10});
  EXPECT_EQ(Drawn().back(), "Edge 0,0 30x30 raised");
  user.LeaveMouse(control);  // left without a move that lands outside
  EXPECT_EQ(Drawn().back(), "Picture (3,3) 24x24");

  button.NoFrame = false;
  user.MoveMouse(control, {-1, 10});
  EXPECT_EQ(Drawn().back(), "Frame 0,0 30x30 #808080");
  button.Flat = false;
  EXPECT_EQ(Drawn().back(), "Edge 0,0 30x30 raised");
}

TEST_F(BitBtnTest, PictureActionCopiesTheIncomingPictureAndRepaints) {
  test::Probe clicks;
  button.OnClick = test::ToProbe(&clicks);
  platform::Picture other{16, 8, std::vector<uint32_t>(16 * 8, 0xFFFF0000)};
  const int repaints = ui.Mirror(button.PlatformControl())->State().repaint_count;

  TData value;
  value.SetBitmap(&other);
  Act<&TElBitBtn::SetPicture>(button, value);
  other.pixels[0] = 0;  // the button keeps its own copy
  EXPECT_EQ(button.Picture.width, 16);
  EXPECT_EQ(button.Picture.pixels[0], 0xFFFF0000u);
  EXPECT_EQ(ui.Mirror(button.PlatformControl())->State().repaint_count, repaints + 1);
  EXPECT_EQ(ui.Mirror(button.PlatformControl())->Painting().Lines()[1], "Picture (7,11) 16x8");

  Act<&TElBitBtn::SetPicture>(button, TData::Integer(5));  // not a picture
  EXPECT_TRUE(button.Picture.IsEmpty());
  EXPECT_EQ(Drawn(), (Lines{"FillRect 0,0 30x30 #C0C0C0"}));

  user.Click(button.PlatformControl());
  EXPECT_EQ(clicks.Count(), 1u);
}

}  // namespace
}  // namespace lumi

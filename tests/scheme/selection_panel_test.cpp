#include "scheme/selection_panel.h"

#include "scheme/button_frame.h"
#include "tests/scheme/panel_host.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::Rect;

class SelectionPanelTest : public test::SchemeTest {
 protected:
  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
};

TEST_F(SelectionPanelTest, ClickOnRadioNReportsChannelNMinusOne) {
  test::PanelHost<SelectionPanel> panel(1);
  test::Probe probe;
  panel.multi->OnEvent[0] = test::ToProbe(&probe);

  ASSERT_TRUE(user.SelectRadio(panel->radios[4]->PlatformControl()));
  ASSERT_TRUE(user.SelectRadio(panel->radios[13]->PlatformControl()));
  ASSERT_TRUE(user.SelectRadio(panel->radios[0]->PlatformControl()));
  ASSERT_EQ(probe.Count(), 3u);
  EXPECT_EQ(probe.received[0].AsInteger(), 4);
  EXPECT_EQ(probe.received[1].AsInteger(), 13);
  EXPECT_EQ(probe.received[2].AsInteger(), 0);
  EXPECT_TRUE(Mirror(panel->radios[0]).checked);
  EXPECT_FALSE(Mirror(panel->radios[13]).checked);
}

TEST_F(SelectionPanelTest, WorkSelectsTheFirstEvenWhenAlreadyChosen) {
  test::PanelHost<SelectionPanel> panel(1);
  test::Probe probe;
  panel.multi->OnEvent[0] = test::ToProbe(&probe);

  ASSERT_TRUE(user.SelectRadio(panel->radios[6]->PlatformControl()));
  panel.Work(0, TData());
  panel.Work(0, TData::Integer(0));  // whatever the value: entering setup mode re-evaluates №01
  ASSERT_EQ(probe.Count(), 3u);
  EXPECT_EQ(probe.received[1].type, DataType::Integer);
  EXPECT_EQ(probe.received[1].integer, 0);
  EXPECT_EQ(probe.received[2].integer, 0);
  EXPECT_TRUE(Mirror(panel->radios[0]).checked);
  EXPECT_FALSE(Mirror(panel->radios[6]).checked);
}

TEST_F(SelectionPanelTest, RadioButtonsLineUpWithTheLamps) {
  test::PanelHost<SelectionPanel> panel(1);
  EXPECT_EQ(Mirror(panel->box).geometry, (Rect{286, 0, 25, 476}));
  EXPECT_EQ(Mirror(panel->box).hint, Cp("Панель выбора индикатора"));
  EXPECT_EQ(Mirror(panel->radios[0]).geometry, (Rect{5, 22, 15, 15}));
  EXPECT_EQ(Mirror(panel->radios[13]).geometry, (Rect{5, 22 + 33 * 13, 15, 15}));
  EXPECT_EQ(Mirror(panel->radios[13]).hint, Cp("Настроить индикатор №14"));
  EXPECT_EQ(Mirror(panel->radios[13]).text, "");
}

using ButtonFrameTest = SelectionPanelTest;

TEST_F(ButtonFrameTest, FollowsTheModeSizes) {
  test::PanelHost<ButtonFrame> frame;
  EXPECT_EQ(Mirror(frame->box).geometry, (Rect{0, 476, 311, 111}));
  EXPECT_EQ(Mirror(frame->box).text, "");
  frame.Work(0, TData::Integer(280));
  frame.Work(1, TData::Integer(42));
  EXPECT_EQ(Mirror(frame->box).geometry, (Rect{0, 476, 280, 42}));
}

}  // namespace
}  // namespace lumi

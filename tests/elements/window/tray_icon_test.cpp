#include "elements/window/tray_icon.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/elements/window/form_fixture.h"

namespace lumi {
namespace {

using platform::TrayMouse;

class TrayIconTest : public test::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    // Built after the runtime was reset, so that its start-up entry is in the list.
    main_form = std::make_unique<TElMainForm>(nullptr);
    SetUpMain(main());
    tray = std::make_unique<TElTrayIcon>(&main());
    tray->Hint = "Lumiscope 1.0.0.0";
    tray->OnMinimize = test::ToProbe(&minimized);
    main().OnClose = test::ToProbe(&closed);
    main().Start();
  }
  void TearDown() override {
    tray.reset();
    main_form.reset();
    FormTest::TearDown();
  }

  TElMainForm& main() { return *main_form; }

  std::unique_ptr<TElMainForm> main_form;
  std::unique_ptr<TElTrayIcon> tray;
  test::Probe minimized, closed;
};

TEST_F(TrayIconTest, MinimizeHidesThenFiresThenShowsTheIconAndRestoreBringsTheWindowBack) {
  // No icon shown: Restore does nothing, not even show a hidden window.
  Act<&TElWin::SetVisible>(main(), TData::Integer(0));
  const int activations = Mirror(main())->State().activate_count;
  Act<&TElTrayIcon::Restore>(*tray);
  EXPECT_FALSE(Showing(main()));
  EXPECT_EQ(Mirror(main())->State().activate_count, activations);
  Act<&TElWin::SetVisible>(main(), TData::Integer(1));

  tray->Hint = std::string(TElTrayIcon::kTipLength + 7, 'x');
  std::vector<bool> icon_at_minimize;
  test::Spy spy([&] { icon_at_minimize.push_back(ui.TrayShown()); });
  tray->OnMinimize = spy.Point();
  Act<&TElTrayIcon::Minimize>(*tray);
  EXPECT_FALSE(Showing(main()));
  EXPECT_EQ(icon_at_minimize, std::vector<bool>{false});
  EXPECT_TRUE(ui.TrayShown());
  EXPECT_EQ(ui.TrayTip(), std::string(TElTrayIcon::kTipLength, 'x'));
  EXPECT_EQ(ui.TrayIcon(), main().Icon);

  Act<&TElTrayIcon::Restore>(*tray);
  EXPECT_FALSE(ui.TrayShown());
  EXPECT_TRUE(Showing(main()));
  EXPECT_TRUE(IsActive(main()));

  tray->KeepIcon = true;
  Act<&TElTrayIcon::Minimize>(*tray);
  Act<&TElTrayIcon::Restore>(*tray);
  EXPECT_TRUE(Showing(main()));
  EXPECT_TRUE(ui.TrayShown());
}

TEST_F(TrayIconTest, AUserCloseOrMinimiseGoesToTheTrayWhileTheCloseActionEndsTheProgram) {
  user.RequestClose(main().PlatformControl());
  EXPECT_FALSE(Showing(main()));
  EXPECT_TRUE(ui.TrayShown());
  EXPECT_EQ(minimized.Count(), 1u);
  EXPECT_EQ(closed.Count(), 0u);
  EXPECT_EQ(loop.quits, 0);

  user.ClickTray(platform::MouseButton::Left);  // not linked: nothing happens
  Act<&TElTrayIcon::Restore>(*tray);
  user.Minimize(main().PlatformControl());
  EXPECT_FALSE(Showing(main()));
  EXPECT_EQ(minimized.Count(), 2u);

  Act<&TElMainForm::Close>(main());
  EXPECT_EQ(closed.Count(), 1u);
  EXPECT_EQ(loop.quits, 1);
}

TEST_F(TrayIconTest, CloseExitsLetsTheUserCloseEndTheProgram) {
  tray->CloseExits = true;
  user.RequestClose(main().PlatformControl());
  EXPECT_EQ(closed.Count(), 1u);
  EXPECT_EQ(minimized.Count(), 0u);
}

TEST_F(TrayIconTest, MouseMessagesFireInTheSystemsOrder) {
  Act<&TElTrayIcon::Minimize>(*tray);
  test::Probe log;  // 0 down, 1 up, 2 click, 3 double, 4 move
  tray->OnMouseDown = test::ToProbe(&log, 0);
  tray->OnMouseUp = test::ToProbe(&log, 1);
  tray->OnClick = test::ToProbe(&log, 2);
  tray->OnDblClick = test::ToProbe(&log, 3);
  tray->OnMouseMove = test::ToProbe(&log, 4);
  for (TrayMouse m : {TrayMouse::Move, TrayMouse::LeftDown, TrayMouse::LeftUp, TrayMouse::LeftDouble,
                      TrayMouse::RightDown, TrayMouse::RightUp, TrayMouse::RightDouble}) {
    user.TrayMessage(m);
  }
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{4, 0, 2, 1, 3, 0, 1, 2, 3}));
  EXPECT_TRUE(log.received[0].IsNull());
  EXPECT_EQ(test::Integers(log), (std::vector<int32_t>{0, 0, 0, 0, 0, 1, 1, 1, 1}));

  // The application restores on a left release: the icon goes between the two.
  tray->OnMouseUp = Link<&TElTrayIcon::Restore>(tray.get());
  user.ClickTray(platform::MouseButton::Left);
  EXPECT_FALSE(ui.TrayShown());
  EXPECT_TRUE(Showing(main()));
}

TEST_F(TrayIconTest, WithoutATrayTheWindowIsMinimisedToTheTaskbarInstead) {
  ui.SetHasTray(false);
  Act<&TElTrayIcon::Minimize>(*tray);
  EXPECT_TRUE(Showing(main()));
  EXPECT_TRUE(Mirror(main())->State().minimized);
  EXPECT_FALSE(ui.TrayShown());
  EXPECT_EQ(minimized.Count(), 1u);

  Act<&TElTrayIcon::Restore>(*tray);
  EXPECT_FALSE(Mirror(main())->State().minimized);

  user.RequestClose(main().PlatformControl());
  EXPECT_TRUE(Mirror(main())->State().minimized);
  EXPECT_EQ(closed.Count(), 0u);
  EXPECT_EQ(minimized.Count(), 2u);
}

TEST_F(TrayIconTest, DestroyingTheTrayRemovesTheIconAndUnhooksIt) {
  Act<&TElTrayIcon::Minimize>(*tray);
  tray.reset();
  EXPECT_FALSE(ui.TrayShown());
  Act<&TElWin::SetVisible>(main(), TData::Integer(1));
  user.RequestClose(main().PlatformControl());
  EXPECT_EQ(closed.Count(), 1u);
}

TEST_F(TrayIconTest, ATrayWhoseFormIsGoneRemovesItsIconAndDoesNoHarm) {
  auto form = std::make_unique<TElMainForm>(&main());
  form->Init();
  TElTrayIcon orphan(form.get());
  Act<&TElTrayIcon::Minimize>(orphan);
  form.reset();
  EXPECT_FALSE(ui.TrayShown());
  Act<&TElTrayIcon::Restore>(orphan);
  Act<&TElTrayIcon::Minimize>(orphan);
}

}  // namespace
}  // namespace lumi

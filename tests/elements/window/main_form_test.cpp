#include "elements/window/main_form.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/elements/window/form_fixture.h"

namespace lumi {
namespace {

using platform::MouseButton;
using platform::Rect;

class MainFormTest : public test::FormTest {};

TEST_F(MainFormTest, StartFiresOnCreateOnceBeforeTheMainWindowShowsAndHiddenFormsStayHidden) {
  DisableDispatchers();  // as right after construction
  TElMainForm main(nullptr);
  SetUpMain(main);
  TElMainForm about(&main);
  SetUpAbout(about);
  auto gone = std::make_unique<TElMainForm>(&main);
  gone.reset();  // its start-up entry must be skipped
  std::vector<bool> visible_at_create;
  test::Spy create([&] { visible_at_create.push_back(Showing(main)); });
  main.OnCreate = create.Point();
  test::Probe about_created, shows;
  about.OnCreate = test::ToProbe(&about_created);
  main.OnShow = test::ToProbe(&shows);
  EXPECT_FALSE(Showing(main));

  main.Start();
  EXPECT_TRUE(DispatchersEnabled());
  EXPECT_EQ(visible_at_create, std::vector<bool>{false});
  EXPECT_TRUE(Showing(main));
  EXPECT_EQ(shows.Count(), 1u);
  EXPECT_EQ(about_created.Count(), 1u);
  EXPECT_FALSE(Showing(about));

  main.Start();
  EXPECT_EQ(visible_at_create.size(), 1u);
  EXPECT_EQ(TElMainForm::MainWindow(), &main);
  EXPECT_TRUE(main.IsMain());
  EXPECT_FALSE(about.IsMain());
}

TEST_F(MainFormTest, InitSizesCentresTruncatingAndAppliesTheWindowProperties) {
  TElMainForm main(nullptr);
  main.Opacity = 200;
  SetUpMain(main);
  const auto& state = Mirror(main)->State();
  EXPECT_EQ(state.geometry, (Rect{233, 76, 558, 616}));
  EXPECT_EQ(main.Left, 233);
  EXPECT_EQ(state.text, "Lumiscope 1.0.0.0");
  EXPECT_EQ(state.border_style, 1);
  EXPECT_EQ(state.opacity, 200);
  EXPECT_EQ(state.icon, main.Icon);

  TElMainForm debug(&main);  // no icon of its own: the application's
  debug.Width = 171;
  debug.Height = 60;
  debug.BorderStyle = 8;  // no such style: left as the system makes it
  debug.Init();
  EXPECT_EQ(Mirror(debug)->State().geometry, (Rect{426, 354, 171, 60}));  // 853 / 2 = 426
  EXPECT_EQ(Mirror(debug)->State().border_style, -1);
  EXPECT_EQ(Mirror(debug)->State().icon, main.Icon);

  debug.SetBorderStyle(6);
  debug.SetBorderStyle(8);
  debug.SetBorderStyle(-1);
  EXPECT_EQ(Mirror(debug)->State().border_style, 6);
  EXPECT_EQ(debug.BorderStyle, 6);

  // Larger than the screen: halved toward zero, not rounded down.
  ui.SetScreenSize({300, 200});
  TElMainForm wide(&main);
  wide.Width = 371;
  wide.Height = 201;
  wide.Init();
  EXPECT_EQ(Mirror(wide)->State().geometry, (Rect{-35, 0, 371, 201}));
}

TEST_F(MainFormTest, HidingAFormReactivatesTheWindowActiveWhenItWasShown) {
  TElMainForm main(nullptr);
  SetUpMain(main);
  TElMainForm about(&main);
  SetUpAbout(about);
  TElMainForm debug(&main);
  debug.Visible = false;
  debug.Init();
  main.Start();

  Act<&TElWin::SetVisible>(about, TData::Integer(1));
  EXPECT_TRUE(IsActive(about));
  Act<&TElWin::SetVisible>(about, TData::Integer(0));
  EXPECT_TRUE(IsActive(main));

  Act<&TElWin::SetVisible>(debug, TData::Integer(1));
  Act<&TElWin::SetVisible>(about, TData::Integer(1));  // shown while the debug window is active
  user.Activate(main.PlatformControl());
  Act<&TElWin::SetVisible>(about, TData::Integer(0));
  EXPECT_TRUE(IsActive(debug));

  // The window to re-activate is gone by the time the form hides.
  auto other = std::make_unique<TElMainForm>(&main);
  other->Init();
  Act<&TElWin::SetVisible>(*other, TData::Integer(1));
  Act<&TElWin::SetVisible>(about, TData::Integer(1));
  other.reset();
  const int activations = Mirror(main)->State().activate_count;
  Act<&TElWin::SetVisible>(about, TData::Integer(0));
  EXPECT_FALSE(Showing(about));
  EXPECT_EQ(Mirror(main)->State().activate_count, activations);
}

TEST_F(MainFormTest, CloseOnTheMainWindowClosesOpenOwnedFormsThenFiresOnCloseAndEndsOnce) {
  TElMainForm main(nullptr);
  SetUpMain(main);
  TElMainForm about(&main);
  SetUpAbout(about);
  TElMainForm debug(&main);
  debug.Init();
  main.Start();
  Act<&TElWin::SetVisible>(about, TData::Integer(1));
  ASSERT_TRUE(Showing(debug));
  std::vector<bool> owned_showing;
  test::Spy on_close([&] { owned_showing = {Showing(about), Showing(debug)}; });
  main.OnClose = on_close.Point();

  // A user close of an owned form only hides it.
  user.RequestClose(about.PlatformControl());
  EXPECT_FALSE(Showing(about));
  EXPECT_FALSE(about.Visible);
  EXPECT_TRUE(owned_showing.empty());
  Act<&TElWin::SetVisible>(about, TData::Integer(1));

  Act<&TElMainForm::Close>(main);
  EXPECT_EQ(owned_showing, (std::vector<bool>{false, false}));
  EXPECT_EQ(loop.quits, 1);
  EXPECT_TRUE(main.HasEnded());
  EXPECT_FALSE(DispatchersEnabled());
  EXPECT_FALSE(Showing(main));

  EnableDispatchers();
  owned_showing.clear();
  Act<&TElMainForm::Close>(main);
  EXPECT_TRUE(owned_showing.empty());
  EXPECT_EQ(loop.quits, 1);
}

TEST_F(MainFormTest, ACloseFromOnCreateEndsTheProgramWithoutEverShowingTheWindow) {
  TElMainForm main(nullptr);
  SetUpMain(main);
  main.OnCreate = Link<&TElMainForm::Close>(&main);  // the second copy of the program
  test::Probe shows;
  main.OnShow = test::ToProbe(&shows);
  main.Start();
  EXPECT_EQ(loop.quits, 1);
  EXPECT_FALSE(Showing(main));
  EXPECT_EQ(shows.Count(), 0u);
}

TEST_F(MainFormTest, ClientDragActivationAndAnUnhookedMinimise) {
  TElMainForm debug(nullptr);
  debug.DragByClient = true;
  debug.Init();
  TElMainForm about(&debug);
  about.Init();
  debug.Start();
  test::Probe log;  // 0 activate, 1 deactivate
  debug.OnActivate = test::ToProbe(&log, 0);
  debug.OnDeactivate = test::ToProbe(&log, 1);

  user.PressMouse(debug.PlatformControl(), MouseButton::Right, {5, 5});
  EXPECT_EQ(Mirror(debug)->State().drag_move_count, 0);
  user.PressMouse(debug.PlatformControl(), MouseButton::Left, {5, 5});
  EXPECT_EQ(Mirror(debug)->State().drag_move_count, 1);
  user.PressMouse(about.PlatformControl(), MouseButton::Left, {5, 5});
  EXPECT_EQ(Mirror(about)->State().drag_move_count, 0);

  user.Activate(debug.PlatformControl());
  user.Activate(about.PlatformControl());
  EXPECT_EQ(log.indices, (std::vector<uint16_t>{0, 1}));

  user.Minimize(debug.PlatformControl());
  EXPECT_TRUE(Mirror(debug)->State().minimized);
}

}  // namespace
}  // namespace lumi

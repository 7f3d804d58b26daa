// The main window and its small windows: the title bar's close button, the debug
// window over the main window, the About window, the date picker, the "/ih" box.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/gui/support/input.h"
#include "tests/gui/support/main_window.h"
#include "tests/gui/support/poll.h"
#include "tests/gui/support/program.h"
#include "tests/gui/support/screenshot.h"
#include "tests/gui/support/tray.h"
#include "tests/gui/support/windows.h"

namespace lumi::gui {
namespace {

using namespace std::chrono_literals;
using Start = GuiProgram::Start;

TEST(MainWindowTest, CloseButtonInWorkModeHidesTheWindowToTheTray) {
  GuiProgram program("close-work", Start::WithSettings);
  ASSERT_TRUE(program.runner().Start());
  const std::optional<WindowId> window = RestoreFromTray(program);
  ASSERT_TRUE(window) << "the window did not come back from the tray";
  EXPECT_EQ(Property(*window, "_NET_WM_ALLOWED_ACTIONS").find("MAXIMIZE"), std::string::npos);
  ClickCloseButton(*window);
  EXPECT_TRUE(program.WaitWhileShown(kMainTitle));
  EXPECT_TRUE(WaitForTrayIcon());
  // A first start has the default pause of a second.
  EXPECT_GE(program.Frames(std::chrono::milliseconds(2600)), 2u);
  EXPECT_EQ(program.runner().Stop(), 0);
}

TEST(MainWindowTest, TheDebugWindowStaysAboveTheMainWindow) {
  GuiProgram program("debug-above", Start::FirstStart);
  const std::optional<WindowId> window = OpenSetupMode(program);
  ASSERT_TRUE(window) << "no window at the first start";
  EXPECT_FALSE(Screenshot("setup-mode-first-start").empty());
  EXPECT_EQ(Property(*window, "_NET_WM_ALLOWED_ACTIONS").find("MAXIMIZE"), std::string::npos);
  ClickIn(*window, kDebugButton[0], kDebugButton[1]);
  const std::optional<WindowId> debug = program.WaitForWindow(kDebugTitle);
  ASSERT_TRUE(debug) << "no debug window";
  EXPECT_EQ(TransientFor(*debug), window);
  EXPECT_NE(Property(*debug, "_NET_WM_STATE").find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos);

  // The person clicks the main window's title bar, then into the window.
  const std::optional<Box> place = PlaceOf(*window);
  ASSERT_TRUE(place);
  ClickAt(place->x + 60, place->y - 8);
  ClickIn(*window, kQuietSpot[0], kQuietSpot[1]);
  EXPECT_TRUE(WaitUntil([&] { return ActiveWindow() == window; }, 5s));
  EXPECT_TRUE(IsShown(*debug));
  EXPECT_TRUE(IsAbove(*debug, *window));
  EXPECT_FALSE(Screenshot("debug-over-main").empty());
  EXPECT_EQ(program.runner().Stop(), 0);
}

TEST(MainWindowTest, TheAboutWindowOpensAtTheTopOfItsText) {
  GuiProgram program("about-top", Start::FirstStart);
  const std::optional<WindowId> window = OpenSetupMode(program);
  ASSERT_TRUE(window);
  ClickIn(*window, kAboutButton[0], kAboutButton[1]);
  std::optional<WindowId> about = program.WaitForWindow(kAboutTitle);
  ASSERT_TRUE(about) << "no About window";
  EXPECT_FALSE(Screenshot("about-first").empty());
  const std::string at_top = WindowPixels(*about);

  // Scrolled down with the wheel, closed, opened again: at the top again.
  ClickIn(*about, 150, 100);
  Wheel(8);
  ASSERT_TRUE(WaitUntil([&] { return WindowPixels(*about) != at_top; }, 5s)) << "the text did not scroll";
  EXPECT_FALSE(Screenshot("about-scrolled").empty());
  ClickCloseButton(*about);
  ASSERT_TRUE(program.WaitWhileShown(kAboutTitle));
  ClickIn(*window, kAboutButton[0], kAboutButton[1]);
  about = program.WaitForWindow(kAboutTitle);
  ASSERT_TRUE(about);
  EXPECT_TRUE(WaitUntil([&] { return WindowPixels(*about) == at_top; }, 5s));
  EXPECT_FALSE(Screenshot("about-reopened").empty());
  EXPECT_EQ(program.runner().Stop(), 0);
}

TEST(MainWindowTest, TheDatePickerAndItsCalendarOpen) {
  GuiProgram program("date-picker", Start::FirstStart);
  const std::optional<WindowId> window = OpenSetupMode(program);
  ASSERT_TRUE(window);
  // "Указанный день и время", the ninth type, from the list by the keyboard.
  ClickIn(*window, kEventList[0], kEventList[1]);
  ASSERT_TRUE(WaitUntil([&] { return OpenPopup(UnderTest().window_class).has_value(); }, 5s));
  for (int step = 0; step < 8; ++step) PressKey("Down");
  PressKey("Return");
  ASSERT_TRUE(WaitUntil([&] { return !OpenPopup(UnderTest().window_class); }, 5s));
  EXPECT_FALSE(Screenshot("date-picker").empty());
  ClickIn(*window, kDatePickerArrow[0], kDatePickerArrow[1]);
  EXPECT_TRUE(WaitUntil([&] { return OpenPopup(UnderTest().window_class).has_value(); }, 5s));
  EXPECT_FALSE(Screenshot("date-picker-calendar").empty());
  PressKey("Escape");
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.runner().Stop(), 0);
}

TEST(MainWindowTest, TheInfoBoxShowsItsWholeCaption) {
  GuiProgram program("info-box", Start::FirstStart, {"/ih"});
  ASSERT_TRUE(program.runner().Start());
  const std::optional<WindowId> box = program.WaitForWindow("Plexo Info");
  ASSERT_TRUE(box) << "no box";
  EXPECT_FALSE(Screenshot("info-box").empty());
  // Room for "Plexo Info" in the title font beside the window manager's icon and
  // three buttons.
  const std::optional<Box> place = PlaceOf(*box);
  ASSERT_TRUE(place);
  EXPECT_GE(place->width, 180);
  PressKey("Return");
  EXPECT_EQ(program.runner().WaitForExit(kPatience), 0);
}

// X in setup mode enters work mode and hides to the tray.
TEST(MainWindowTest, CloseButtonInSetupModeEntersWorkModeAndHidesToTheTray) {
  GuiProgram program("close-setup", Start::FirstStart);
  const std::optional<WindowId> window = OpenSetupMode(program);
  ASSERT_TRUE(window);
  ClickCloseButton(*window);
  EXPECT_TRUE(program.WaitWhileShown(kMainTitle));
  EXPECT_TRUE(WaitForTrayIcon());
  // A first start has the default pause of a second.
  EXPECT_GE(program.Frames(std::chrono::milliseconds(2600)), 2u);
  EXPECT_EQ(program.runner().Stop(), 0);
}

// A picked event type is written for the selected channel at once.
TEST(MainWindowTest, PickingAnEventTypeWritesItsSignalAtOnce) {
  GuiProgram program("pick-type", Start::FirstStart);
  const std::optional<WindowId> window = OpenSetupMode(program);
  ASSERT_TRUE(window);
  ASSERT_TRUE(program.runner().WaitForFile(program.runner().SettingsPath(), 10s));
  ClickIn(*window, kEventList[0], kEventList[1]);
  ASSERT_TRUE(WaitUntil([&] { return OpenPopup(UnderTest().window_class).has_value(); }, 5s));
  PressKey("Down");
  PressKey("Down");
  PressKey("Return");
  EXPECT_FALSE(Screenshot("event-type-picked").empty());
  EXPECT_TRUE(WaitUntil([&] { return program.Setting("0", "Signal") == "2"; }, 5s)) << program.Settings();
  EXPECT_EQ(program.runner().Stop(), 0);
}

// A threshold typed and confirmed with Enter is written at once.
TEST(MainWindowTest, TypingAThresholdWritesVar1) {
  GuiProgram program("type-threshold", Start::FirstStart);
  const std::optional<WindowId> window = OpenSetupMode(program);
  ASSERT_TRUE(window);
  ASSERT_TRUE(program.runner().WaitForFile(program.runner().SettingsPath(), 10s));
  ClickIn(*window, kCpuThreshold[0], kCpuThreshold[1]);
  // Emptied key by key: a select-all chord can lose its modifier on a busy machine.
  PressKey("End");
  for (int i = 0; i < 3; ++i) PressKey("BackSpace");
  TypeText("75");
  PressKey("Return");
  EXPECT_FALSE(Screenshot("threshold-typed").empty());
  EXPECT_TRUE(WaitUntil([&] { return program.Setting("0", "Var1") == "75"; }, 5s)) << program.Settings();
  EXPECT_EQ(program.runner().Stop(), 0);
}

// The debug window closes when work mode starts.
TEST(MainWindowTest, TheDebugWindowClosesWhenTheWorkButtonIsPressed) {
  GuiProgram program("debug-work", Start::FirstStart);
  const std::optional<WindowId> window = OpenSetupMode(program);
  ASSERT_TRUE(window);
  ClickIn(*window, kDebugButton[0], kDebugButton[1]);
  ASSERT_TRUE(program.WaitForWindow(kDebugTitle));
  ClickIn(*window, kWorkButton[0], kWorkButton[1]);
  EXPECT_TRUE(program.WaitWhileShown(kDebugTitle));
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.runner().Stop(), 0);
}

// A second start shows the hidden copy's window and ends.
TEST(MainWindowTest, ASecondStartBringsTheHiddenWindowToTheFront) {
  GuiProgram program("second-start", Start::WithSettings);
  ASSERT_TRUE(program.runner().Start());
  ASSERT_TRUE(WaitForTrayIcon());
  EXPECT_FALSE(ShownWindow(kMainTitle));
  EXPECT_EQ(program.runner().RunAnother(kPatience), 0);
  EXPECT_TRUE(program.WaitForWindow(kMainTitle));
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.runner().Stop(), 0);
}

}  // namespace
}  // namespace lumi::gui

// The tray icon and its menu: a right click opens "Восстановить", separator,
// "О программе...", separator, "Выход"; the lines are chosen with a click, as a person
// does.
#include "tests/gui/support/tray.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/gui/support/input.h"
#include "tests/gui/support/program.h"
#include "tests/gui/support/screenshot.h"
#include "tests/gui/support/windows.h"

namespace lumi::gui {
namespace {

using namespace std::chrono_literals;
using Start = GuiProgram::Start;

// Why a program is not there any more, for a failure message.
std::string Ended(GuiProgram& program) {
  if (program.Running()) return "";
  return "; the program ended with status " + std::to_string(program.runner().WaitForExit(0ms));
}

bool HasState(WindowId window, const std::string& state) {
  return Property(window, "_NET_WM_STATE").find(state) != std::string::npos;
}

TEST(TrayMenuTest, RestoreShowsTheWindowAndTheProgramRunsOn) {
  GuiProgram program("tray-restore", Start::WithSettings);
  ASSERT_TRUE(program.runner().Start());
  const std::optional<Box> menu = OpenTrayMenu();
  ASSERT_TRUE(menu) << "no tray menu";
  EXPECT_FALSE(Screenshot("tray-menu").empty());
  ChooseTrayItem(*menu, TrayItem::Restore);

  const std::optional<WindowId> window = program.WaitForWindow(kMainTitle);
  ASSERT_TRUE(window) << "the window did not come back" << Ended(program);
  EXPECT_TRUE(WaitForNoTrayIcon());  // the icon goes while the window is shown
  // The person goes on with the window: its title bar, then its inside.
  const std::optional<Box> place = PlaceOf(*window);
  ASSERT_TRUE(place);
  ClickAt(place->x + 60, place->y - 8);
  ClickIn(*window, 140, 5);
  EXPECT_FALSE(Screenshot("tray-restored").empty());
  EXPECT_TRUE(program.CyclesOn());
  EXPECT_EQ(program.runner().Stop(), 0);
}

TEST(TrayMenuTest, AboutOpensTheAboutWindowOwnedByTheMainWindow) {
  GuiProgram program("tray-about", Start::WithSettings);
  ASSERT_TRUE(program.runner().Start());
  ASSERT_TRUE(ChooseFromTrayMenu(TrayItem::About)) << "no tray menu";

  const std::optional<WindowId> about = program.WaitForWindow(kAboutTitle);
  ASSERT_TRUE(about) << "no About window";
  EXPECT_FALSE(Screenshot("tray-about").empty());
  // An owned window: above its owner, without a taskbar entry, and of a fixed size
  // that the window manager offers no maximising for.
  EXPECT_TRUE(TransientFor(*about).has_value());
  EXPECT_TRUE(HasState(*about, "_NET_WM_STATE_SKIP_TASKBAR"));
  EXPECT_EQ(Property(*about, "_NET_WM_ALLOWED_ACTIONS").find("MAXIMIZE"), std::string::npos);
  EXPECT_FALSE(ShownWindow(kMainTitle));  // the main window stays in the tray
  EXPECT_TRUE(TrayIcon(UnderTest().tray_icon_class).has_value());
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.runner().Stop(), 0);
}

TEST(TrayMenuTest, ExitEndsTheProgram) {
  GuiProgram program("tray-exit", Start::WithSettings);
  ASSERT_TRUE(program.runner().Start());
  ASSERT_TRUE(ChooseFromTrayMenu(TrayItem::Exit)) << "no tray menu";
  EXPECT_EQ(program.runner().WaitForExit(kPatience), 0);
  EXPECT_TRUE(WaitForNoTrayIcon());
}

}  // namespace
}  // namespace lumi::gui

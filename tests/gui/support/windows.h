#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumi::gui {

using WindowId = unsigned long;

// A rectangle on the screen, in pixels.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int CenterX() const { return x + width / 2; }
  int CenterY() const { return y + height / 2; }
  bool Contains(const Box& other) const {
    return other.x >= x && other.y >= y && other.x + other.width <= x + width &&
           other.y + other.height <= y + height;
  }
};

// What the X server knows about the windows on the test's display, read with xwininfo
// and xprop. Windows are found by their title (UTF-8), and a program's windows
// without a title (its tray icon, its popup menu) by its class, which Qt takes from
// the executable's name.

// A window with this title that is on the screen now.
std::optional<WindowId> ShownWindow(const std::string& title);
bool IsShown(WindowId window);
// The window's client area on the screen.
std::optional<Box> PlaceOf(WindowId window);
// The window manager's frame around it: left, right, top, bottom.
std::vector<int> FrameExtents(WindowId window);
// Managed windows, bottom to top, as the window manager stacks them.
std::vector<WindowId> Stacking();
// A property as xprop prints it ("" when the window has none).
std::string Property(WindowId window, const std::string& name);
std::optional<WindowId> TransientFor(WindowId window);
// The window that has the focus, as the window manager says.
std::optional<WindowId> ActiveWindow();
// The program's icon in the notification area (trayer's panel).
std::optional<Box> TrayIcon(const std::string& program);
// A popup of the program while it is open: its menu, a drop-down list, a calendar.
std::optional<Box> OpenPopup(const std::string& program);

}  // namespace lumi::gui

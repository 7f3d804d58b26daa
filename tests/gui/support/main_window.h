#pragma once

#include <optional>

#include "tests/gui/support/program.h"
#include "tests/gui/support/windows.h"

namespace lumi::gui {

// Places in the main window's client area (setup mode), as the scheme lays it out: the
// same on every window system.
inline constexpr int kAboutButton[] = {48, 500};
inline constexpr int kDebugButton[] = {293, 500};
inline constexpr int kWorkButton[] = {18, 570};
inline constexpr int kEventList[] = {171, 570};
inline constexpr int kCpuThreshold[] = {504, 24};
inline constexpr int kDatePickerArrow[] = {442, 460};
inline constexpr int kQuietSpot[] = {430, 300};  // an empty panel frame

// Whether the window manager stacks `upper` above `lower`.
bool IsAbove(WindowId upper, WindowId lower);
// The main window in setup mode after a first start.
std::optional<WindowId> OpenSetupMode(GuiProgram& program);
// The main window shown again from the tray, as a person does it: the tray menu.
std::optional<WindowId> RestoreFromTray(GuiProgram& program);

}  // namespace lumi::gui

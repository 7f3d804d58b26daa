#pragma once

#include <optional>

#include "tests/gui/support/windows.h"

namespace lumi::gui {

// The lines of the tray menu that can be chosen, top to bottom (separators between).
enum class TrayItem { Restore, About, Exit };

// The program's icon in the notification area, once it is there.
std::optional<Box> WaitForTrayIcon();
// Whether the icon is gone from the notification area.
bool WaitForNoTrayIcon();
// A left click on the icon.
bool ClickTrayIcon();
// A right click on the icon: the menu, once it is open.
std::optional<Box> OpenTrayMenu();
// Picks a line of the open menu with a click on it.
void ChooseTrayItem(const Box& menu, TrayItem item);
// Opens the menu and picks the line; false when the menu did not open.
bool ChooseFromTrayMenu(TrayItem item);

}  // namespace lumi::gui

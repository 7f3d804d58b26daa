#include "tests/gui/support/tray.h"

#include "tests/gui/support/input.h"
#include "tests/gui/support/poll.h"
#include "tests/gui/support/program.h"

namespace lumi::gui {
std::optional<Box> WaitForTrayIcon() {
  std::optional<Box> icon;
  WaitUntil([&] { return (icon = TrayIcon(UnderTest().tray_icon_class)).has_value(); }, kPatience);
  return icon;
}

bool WaitForNoTrayIcon() {
  return WaitUntil([&] { return !TrayIcon(UnderTest().tray_icon_class); }, kPatience);
}

bool ClickTrayIcon() {
  const std::optional<Box> icon = WaitForTrayIcon();
  if (!icon) return false;
  ClickAt(icon->CenterX(), icon->CenterY());
  return true;
}

std::optional<Box> OpenTrayMenu() {
  if (!WaitForTrayIcon()) return std::nullopt;
  // The icon may be there before the notification area has shown it, or move while the
  // area makes room for it: ask again, where it is now.
  std::optional<Box> menu;
  WaitUntil(
      [&] {
        const std::optional<Box> icon = TrayIcon(UnderTest().tray_icon_class);
        if (!icon) return false;
        ClickAt(icon->CenterX(), icon->CenterY(), Button::Right);
        return WaitUntil([&] { return (menu = OpenPopup(UnderTest().window_class)).has_value(); },
                         std::chrono::seconds(3));
      },
      kPatience, std::chrono::milliseconds(0));
  return menu;
}

bool ChooseFromTrayMenu(TrayItem item) {
  const std::optional<Box> menu = OpenTrayMenu();
  if (menu) ChooseTrayItem(*menu, item);
  return menu.has_value();
}

void ChooseTrayItem(const Box& menu, TrayItem item) {
  // Three lines of text with a thin separator between each two: the first line at the
  // top, the middle one in the middle, the last one at the bottom.
  constexpr int kEdge = 9;
  int y = menu.CenterY();
  if (item == TrayItem::Restore) y = menu.y + kEdge;
  if (item == TrayItem::Exit) y = menu.y + menu.height - kEdge;
  // Onto the line first, so the menu highlights it as a person's pointer would.
  MovePointer(menu.CenterX(), y);
  ClickAt(menu.CenterX(), y);
}

}  // namespace lumi::gui

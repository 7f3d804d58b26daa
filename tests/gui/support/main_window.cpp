#include "tests/gui/support/main_window.h"

#include <algorithm>
#include <vector>

#include "tests/gui/support/tray.h"

namespace lumi::gui {

bool IsAbove(WindowId upper, WindowId lower) {
  const std::vector<WindowId> stacking = Stacking();
  const auto up = std::find(stacking.begin(), stacking.end(), upper);
  const auto low = std::find(stacking.begin(), stacking.end(), lower);
  return up != stacking.end() && low != stacking.end() && up > low;
}

std::optional<WindowId> OpenSetupMode(GuiProgram& program) {
  if (!program.runner().Start()) return std::nullopt;
  return program.WaitForWindow(kMainTitle);
}

std::optional<WindowId> RestoreFromTray(GuiProgram& program) {
  if (!ChooseFromTrayMenu(TrayItem::Restore)) return std::nullopt;
  return program.WaitForWindow(kMainTitle);
}

}  // namespace lumi::gui

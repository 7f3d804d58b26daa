#include "tests/gui/support/screenshot.h"

#include "tests/gui/support/command.h"
#include "tests/gui/support/x_session.h"

namespace lumi::gui {

std::filesystem::path Screenshot(const std::string& name) {
  const std::filesystem::path folder = LUMISCOPE_GUI_SCREENS;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  const std::filesystem::path path = folder / (name + ".png");
  std::filesystem::remove(path, ignored);
  if (Run({"import", "-window", "root", path.string()}, Display()).status != 0) return {};
  return std::filesystem::exists(path) ? path : std::filesystem::path();
}

std::string WindowPixels(unsigned long window) {
  return Run({"xwd", "-silent", "-id", std::to_string(window)}, Display()).output;
}

}  // namespace lumi::gui

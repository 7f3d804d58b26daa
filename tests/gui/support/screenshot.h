#pragma once

#include <filesystem>
#include <string>

namespace lumi::gui {

// The whole screen as a person sees it now, to build/gui-screens/NAME.png; the path,
// or an empty one when it could not be taken.
std::filesystem::path Screenshot(const std::string& name);

// The pixels of one window as xwd dumps them: two dumps of a window are equal when the
// window looks the same.
std::string WindowPixels(unsigned long window);

}  // namespace lumi::gui

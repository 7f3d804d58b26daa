#pragma once

#include <string_view>

#include "platform/ui.h"

namespace lumi::resources {

// The pictures built into the program, drawn once on first use: the icons "ICON0"
// (main window and tray, 32 x 32) and "ICON1" (About window, 32 x 32), and the button
// faces "BITMAP0" to "BITMAP6" (24 x 24, transparent where nothing is drawn):
//   BITMAP0 exit (a power symbol)       BITMAP1 About (an "i" in a circle)
//   BITMAP2 to setup mode (a wrench)    BITMAP3 setup mode on (a greyed gear)
//   BITMAP4 work mode on (a gear)       BITMAP5 debug window (a window of bits)
//   BITMAP6 to work mode (a play triangle)
// An empty picture for a name the program does not have.
const platform::Picture& Picture(std::string_view name);

}  // namespace lumi::resources

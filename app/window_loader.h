#pragma once

#include <string>

#include "app/backends.h"

namespace lumi::app {

// What the program runs in: the window module's entry, or nullptr with the reason
// there is no window (for the one line the headless run starts with).
struct WindowChoice {
  WindowEntry entry = nullptr;
  std::string why_none = "no display";
};

// The window module's entry when a display may be there and the module loads.
WindowChoice LoadWindowEntry();

}  // namespace lumi::app

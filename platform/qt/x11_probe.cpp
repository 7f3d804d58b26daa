#include "platform/qt/x11_probe.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace lumi::platform::qt_backend {

bool XDisplayOpens() {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  Display* display = XOpenDisplay(name);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace lumi::platform::qt_backend

#pragma once

#include <string>

// Last: the macros of Xlib (None, Bool, Status) may clash with other headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace lumi::platform::linux_backend {

// The few Xlib functions the keyboard sensor needs, taken from libX11 when there is a
// display to talk to: a program without one never maps the library (it was a good part
// of a headless run's memory).
struct XlibFunctions {
  decltype(&XOpenDisplay) OpenDisplay;
  decltype(&XCloseDisplay) CloseDisplay;
  decltype(&XFree) Free;
  decltype(&XGetWindowProperty) GetWindowProperty;
  decltype(&XInternAtom) InternAtom;
  decltype(&XSetErrorHandler) SetErrorHandler;
  decltype(&XSetIOErrorHandler) SetIOErrorHandler;
  decltype(&XSetIOErrorExitHandler) SetIOErrorExitHandler;
  decltype(&XkbGetState) GetState;
  decltype(&XkbQueryExtension) QueryExtension;
};

// The functions, loaded once; nothing when `display_name` and $DISPLAY are both empty
// (no display to open) or libX11 cannot be loaded.
const XlibFunctions* LoadXlib(const std::string& display_name);

}  // namespace lumi::platform::linux_backend

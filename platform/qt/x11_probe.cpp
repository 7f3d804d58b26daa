#include "platform/qt/x11_probe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <vector>

namespace lumi::platform::qt_backend {

bool XDisplayOpens() {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  Display* display = XOpenDisplay(name);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

void SkipTaskbar(void* display_handle, unsigned long window) {
  auto* display = static_cast<Display*>(display_handle);
  if (display == nullptr || window == 0) return;
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom wanted[] = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                         XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};
  std::vector<Atom> atoms;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, state, 0, 1024, False, XA_ATOM, &type, &format, &count, &after,
                         &data) == Success &&
      data != nullptr) {
    if (type == XA_ATOM && format == 32) {
      const auto* present = reinterpret_cast<const Atom*>(data);
      atoms.assign(present, present + count);
    }
    XFree(data);
  }
  bool changed = false;
  for (Atom atom : wanted) {
    bool found = false;
    for (Atom present : atoms) found = found || present == atom;
    if (!found) {
      atoms.push_back(atom);
      changed = true;
    }
  }
  if (!changed) return;
  XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
  XFlush(display);
}

}  // namespace lumi::platform::qt_backend

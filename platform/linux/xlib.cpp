#include "platform/linux/xlib.h"

#include <dlfcn.h>

#include <cstdlib>
#include <optional>

namespace lumi::platform::linux_backend {
namespace {

template <class Function>
bool Take(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

std::optional<XlibFunctions> Load() {
  // Loaded for good: a library with a connection's handlers must not go away.
  void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return std::nullopt;
  XlibFunctions x{};
  const bool all =
      Take(library, "XOpenDisplay", x.OpenDisplay) && Take(library, "XCloseDisplay", x.CloseDisplay) &&
      Take(library, "XFree", x.Free) && Take(library, "XGetWindowProperty", x.GetWindowProperty) &&
      Take(library, "XInternAtom", x.InternAtom) && Take(library, "XSetErrorHandler", x.SetErrorHandler) &&
      Take(library, "XSetIOErrorHandler", x.SetIOErrorHandler) &&
      Take(library, "XSetIOErrorExitHandler", x.SetIOErrorExitHandler) &&
      Take(library, "XkbGetState", x.GetState) && Take(library, "XkbQueryExtension", x.QueryExtension);
  if (!all) return std::nullopt;
  return x;
}

}  // namespace

const XlibFunctions* LoadXlib(const std::string& display_name) {
  const char* display = std::getenv("DISPLAY");
  if (display_name.empty() && (display == nullptr || *display == '\0')) return nullptr;
  static const std::optional<XlibFunctions> functions = Load();
  return functions ? &*functions : nullptr;
}

}  // namespace lumi::platform::linux_backend

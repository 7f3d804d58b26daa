#include "app/window_loader.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "app/window_module.h"
#include "platform/services.h"
#include "platform/system.h"

namespace lumi::app {

namespace {

bool MayHaveDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

WindowChoice LoadWindowEntry() {
  WindowChoice choice;
  if (!MayHaveDisplay()) return choice;
  const std::string path = FindWindowModule(platform::Current().system->ExecutableFolder());
  if (path.empty()) {
    // An installed program without its second package: the person learns what to add.
    choice.why_none = "no window module (the package lumiscope-window is not installed)";
    return choice;
  }
  // Loaded for good: the toolkit does not take being unloaded well.
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module != nullptr) choice.entry = reinterpret_cast<WindowEntry>(dlsym(module, kWindowEntry));
  if (choice.entry == nullptr) choice.why_none = std::string("no window: ") + dlerror();
  return choice;
}

}  // namespace lumi::app

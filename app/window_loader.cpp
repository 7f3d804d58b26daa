#include "app/window_loader.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "platform/message_line.h"
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

WindowEntry LoadWindowEntry() {
  if (!MayHaveDisplay()) return nullptr;
  const std::string path = platform::Current().system->ExecutableFolder() + kWindowModule;
  // Loaded for good: the toolkit does not take being unloaded well.
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    platform::WriteMessageLine(std::string("lumiscope: no window: ") + dlerror());
    return nullptr;
  }
  auto entry = reinterpret_cast<WindowEntry>(dlsym(module, kWindowEntry));
  if (entry == nullptr) platform::WriteMessageLine(std::string("lumiscope: no window: ") + dlerror());
  return entry;
}

}  // namespace lumi::app

#include "app/window_module.h"

#include <sys/stat.h>

#include "app/backends.h"

namespace lumi::app {

std::vector<std::string> WindowModulePlaces(const std::string& executable_folder) {
  std::string folder = executable_folder;
  if (folder.empty()) return {};
  if (folder.back() != '/') folder += '/';
  return {folder + kWindowModule, folder + LUMISCOPE_MODULE_FROM_PROGRAM "/" + kWindowModule};
}

std::string FindWindowModule(const std::string& executable_folder) {
  for (const std::string& place : WindowModulePlaces(executable_folder)) {
    struct stat info {};
    if (stat(place.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return place;
  }
  return {};
}

}  // namespace lumi::app

#include "platform/linux/settings_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <string_view>

#include "platform/linux/atomic_file.h"

namespace lumi::platform::linux_backend {

namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool IsSystemProgramFolder(const std::string& folder) {
  static constexpr std::array<std::string_view, 8> kFolders = {
      "/usr/bin/",        "/usr/sbin/",        "/usr/games/", "/usr/local/bin/",
      "/usr/local/sbin/", "/usr/local/games/", "/bin/",       "/sbin/"};
  for (std::string_view system_folder : kFolders) {
    if (folder == system_folder) return true;
  }
  return false;
}

}  // namespace

std::string ChooseSettingsFolder(const std::string& executable_folder, const std::string& config_home) {
  const std::string beside = WithSlash(executable_folder);
  struct stat info {};
  // Whatever stands there under that name (a file, a link, even one that cannot be
  // used) is the settings this copy already has: its problems are told, not bypassed.
  if (lstat((beside + "Settings.ini").c_str(), &info) == 0) return beside;
  if (access(beside.c_str(), W_OK) == 0 && !IsSystemProgramFolder(beside)) return beside;
  if (config_home.empty() || config_home.front() != '/') return beside;
  const std::string folder = WithSlash(config_home) + "lumiscope/";
  // Made private (0700) when missing. When it cannot be made, creating the settings
  // file fails there and is said.
  MakeFolders(folder.substr(0, folder.size() - 1));
  return folder;
}

}  // namespace lumi::platform::linux_backend

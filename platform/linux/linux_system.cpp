#include "platform/linux/linux_system.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace lumi::platform::linux_backend {

std::string LinuxSystem::ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    if (buffer.size() >= 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string LinuxSystem::ExecutableFolder() {
  std::string path = ExecutablePath();
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string LinuxSystem::WindowsFolder() { return "/etc"; }

std::string LinuxSystem::SystemFolder() { return "/usr/lib"; }

std::string LinuxSystem::TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp != nullptr && *tmp == '/' ? tmp : "/tmp/";
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace lumi::platform::linux_backend

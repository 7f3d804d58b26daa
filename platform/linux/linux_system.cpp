#include "platform/linux/linux_system.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string_view>
#include <vector>

namespace lumi::platform::linux_backend {

namespace {

std::string ReadLink(const std::string& link) {
  std::vector<char> buffer(256);
  for (;;) {
    ssize_t n = readlink(link.c_str(), buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    if (buffer.size() >= 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

// The kernel marks the executable of a process whose file was replaced or removed
// since it started (an update while it runs) with " (deleted)". That process is still a
// copy of the program at that path, so the mark goes, unless a file of that very name
// exists.
std::string ExecutableLink(const std::string& link) {
  static constexpr std::string_view kDeleted = " (deleted)";
  std::string path = ReadLink(link);
  if (path.size() > kDeleted.size() && path.ends_with(kDeleted)) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) path.resize(path.size() - kDeleted.size());
  }
  return path;
}

}  // namespace

std::string LinuxSystem::ExecutablePath() { return ExecutableLink("/proc/self/exe"); }

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

FileKind LinuxSystem::KindOf(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) return FileKind::Missing;
  return S_ISDIR(info.st_mode) ? FileKind::Folder : FileKind::File;
}

std::vector<std::string> LinuxSystem::ProcessExecutables() {
  std::vector<std::string> executables;
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return executables;
  while (dirent* entry = readdir(proc)) {
    std::string pid = entry->d_name;
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string exe = ExecutableLink("/proc/" + pid + "/exe");
    if (exe.empty()) {
      std::ifstream comm("/proc/" + pid + "/comm");
      std::getline(comm, exe);
    }
    if (!exe.empty()) executables.push_back(exe);
  }
  closedir(proc);
  return executables;
}

}  // namespace lumi::platform::linux_backend

#include "platform/linux/linux_system.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/linux/proc_file.h"
#include "platform/linux/settings_folder.h"
#include "platform/linux/xdg_folders.h"

namespace lumi::platform::linux_backend {

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

namespace {

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

std::string LinuxSystem::SettingsFolder() {
  if (!settings_folder_) settings_folder_ = ChooseSettingsFolder(ExecutableFolder(), ConfigHome());
  return *settings_folder_;
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
  if (S_ISDIR(info.st_mode)) return FileKind::Folder;
  if (!S_ISREG(info.st_mode)) return FileKind::Other;
  return access(path.c_str(), R_OK) == 0 ? FileKind::File : FileKind::Unreadable;
}

namespace {

struct ProcessEntry {
  uint64_t id = 0;
  uid_t owner = 0;
  std::optional<uint64_t> started;  // clock ticks after boot
  std::string executable;
};

// Without a stream: the first stream of a run sets up the whole locale machinery,
// memory a program that prints nothing through streams would carry for ever.
std::string ReadWhole(const std::string& path) {
  std::string text;
  ReadWholeFile(path, text);
  return text;
}

// Every process that can be looked at; the start time only when asked for, as it
// costs one more file per process.
std::vector<ProcessEntry> ListProcesses(bool with_start) {
  std::vector<ProcessEntry> processes;
  ForEachProcessId([&](const std::string& pid) {
    ProcessEntry process;
    process.id = std::stoull(pid);
    struct stat info {};
    if (stat(("/proc/" + pid).c_str(), &info) != 0) return;  // gone meanwhile
    process.owner = info.st_uid;
    errno = 0;
    process.executable = ExecutableLink("/proc/" + pid + "/exe");
    // Another user's process hides its executable but keeps its name readable. A
    // zombie or a kernel thread has no executable at all, and must not count as a
    // running copy of anything.
    if (process.executable.empty() && errno == EACCES) {
      process.executable = ReadWhole("/proc/" + pid + "/comm");
      process.executable = process.executable.substr(0, process.executable.find('\n'));
    }
    if (process.executable.empty()) return;
    if (with_start) process.started = ProcessStartTicks(ReadWhole("/proc/" + pid + "/stat"));
    processes.push_back(std::move(process));
  });
  return processes;
}

}  // namespace

void ForEachProcessId(const std::function<void(const std::string& pid)>& visit) {
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return;
  while (dirent* entry = readdir(proc)) {
    const std::string pid = entry->d_name;
    if (pid.empty() || pid.size() > 19 || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    visit(pid);
  }
  closedir(proc);
}

std::optional<int64_t> ProcessStatField(std::string_view stat_text, int field) {
  // The command name in brackets may itself hold blanks and brackets: the fields start
  // after the last ")", with field 3.
  size_t name_end = stat_text.rfind(')');
  if (name_end == std::string_view::npos || field < 3) return std::nullopt;
  std::string_view rest = stat_text.substr(name_end + 1);
  for (int number = 3;; ++number) {
    size_t begin = rest.find_first_not_of(" \n");
    if (begin == std::string_view::npos) return std::nullopt;
    rest.remove_prefix(begin);
    size_t end = std::min(rest.find_first_of(" \n"), rest.size());
    if (number == field) {
      int64_t value = 0;
      auto [last, error] = std::from_chars(rest.data(), rest.data() + end, value);
      if (error != std::errc() || last != rest.data() + end) return std::nullopt;
      return value;
    }
    rest.remove_prefix(end);
  }
}

std::optional<uint64_t> ProcessStartTicks(std::string_view stat_text) {
  std::optional<int64_t> ticks = ProcessStatField(stat_text, 22);
  if (!ticks || *ticks < 0) return std::nullopt;
  return static_cast<uint64_t>(*ticks);
}

std::vector<std::string> LinuxSystem::ProcessExecutables() {
  std::vector<std::string> executables;
  for (ProcessEntry& process : ListProcesses(false)) executables.push_back(std::move(process.executable));
  return executables;
}

namespace {

// This process and this user's processes that started before it, a tie going to the
// lower process id.
std::vector<ProcessEntry> EarlierOwnProcesses() {
  std::vector<ProcessEntry> processes = ListProcesses(true);
  const auto own_id = static_cast<uint64_t>(getpid());
  const uid_t own_user = geteuid();
  std::optional<uint64_t> own_start = ProcessStartTicks(ReadWhole("/proc/self/stat"));
  std::vector<ProcessEntry> earlier;
  for (ProcessEntry& process : processes) {
    if (process.owner != own_user) continue;
    // A process whose start cannot be read (gone meanwhile, or hidden) is left out
    // rather than guessed to be earlier: it must not close a copy that runs alone.
    if (process.id == own_id || (own_start && process.started &&
                                 std::tie(*process.started, process.id) < std::tie(*own_start, own_id))) {
      earlier.push_back(std::move(process));
    }
  }
  return earlier;
}

std::string_view FileName(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> LinuxSystem::EarlierProcessExecutables() {
  std::vector<std::string> executables;
  for (ProcessEntry& process : EarlierOwnProcesses()) executables.push_back(std::move(process.executable));
  return executables;
}

int64_t LinuxSystem::ShowRunningCopy() {
  const std::string own_path = ExecutablePath();
  const std::string_view own_name = FileName(own_path);
  const auto own_id = static_cast<uint64_t>(getpid());
  std::optional<ProcessEntry> earliest;
  for (ProcessEntry& process : EarlierOwnProcesses()) {
    if (process.id == own_id || FileName(process.executable) != own_name) continue;
    if (!earliest || std::tie(*process.started, process.id) < std::tie(*earliest->started, earliest->id)) {
      earliest = std::move(process);
    }
  }
  // The running copy turns SIGUSR1 into bringing its window forward.
  if (!earliest || kill(static_cast<pid_t>(earliest->id), SIGUSR1) != 0) return 0;
  return static_cast<int64_t>(earliest->id);
}

}  // namespace lumi::platform::linux_backend

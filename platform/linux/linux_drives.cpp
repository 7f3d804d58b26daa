#include "platform/linux/linux_drives.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/linux/proc_file.h"
#include "platform/services.h"

namespace lumi::platform::linux_backend {
namespace {

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> ReadLink(const std::string& link) {
  char buffer[PATH_MAX];
  ssize_t n = readlink(link.c_str(), buffer, sizeof buffer);
  if (n < 0 || static_cast<size_t>(n) >= sizeof buffer) return std::nullopt;
  return std::string(buffer, static_cast<size_t>(n));
}

// A statvfs of a network file system can hang for as long as its server is away (hard
// mounts). The call runs on a thread of its own; the caller waits a bounded time, and
// while one call for a path is still stuck no second one is started for it.
struct PendingQuery {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool ok = false;
  struct statvfs result {};
};

constexpr auto kNetworkWait = std::chrono::milliseconds(1500);

std::optional<struct statvfs> StatvfsBounded(const std::string& path) {
  static std::mutex table_mutex;
  static std::map<std::string, std::shared_ptr<PendingQuery>> pending;

  auto query = std::make_shared<PendingQuery>();
  {
    std::lock_guard table(table_mutex);
    auto it = pending.find(path);
    if (it != pending.end()) {
      std::lock_guard lock(it->second->mutex);
      if (!it->second->done) return std::nullopt;
      pending.erase(it);
    }
    pending[path] = query;
  }
  try {
    std::thread([query, path] {
      struct statvfs info {};
      bool ok = statvfs(path.c_str(), &info) == 0;
      std::lock_guard lock(query->mutex);
      query->result = info;
      query->ok = ok;
      query->done = true;
      query->finished.notify_all();
    }).detach();
  } catch (const std::exception&) {
    std::lock_guard table(table_mutex);
    pending.erase(path);
    return std::nullopt;
  }

  std::optional<struct statvfs> answer;
  {
    std::unique_lock lock(query->mutex);
    if (!query->finished.wait_for(lock, kNetworkWait, [&query] { return query->done; })) return std::nullopt;
    if (query->ok) answer = query->result;
  }
  std::lock_guard table(table_mutex);
  auto it = pending.find(path);
  if (it != pending.end() && it->second == query) pending.erase(it);
  return answer;
}

std::optional<struct statvfs> Statvfs(const std::string& path, bool network) {
  if (network) return StatvfsBounded(path);
  struct statvfs info {};
  if (statvfs(path.c_str(), &info) != 0) return std::nullopt;
  return info;
}

bool IsNetworkMount(const std::optional<MountEntry>& mount) {
  return mount && IsRemoteFileSystem(mount->fs_type);
}

int LetterIndex(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a';
  return -1;
}

}  // namespace

int LetterOfDrive(const std::string& drive) {
  if (drive.empty() || drive.size() > 3) return -1;
  int letter = LetterIndex(drive[0]);
  if (letter < 0) return -1;
  if (drive.size() >= 2 && drive[1] != ':') return -1;
  if (drive.size() == 3 && drive[2] != '\\' && drive[2] != '/') return -1;
  return letter;
}

LinuxDrives::LinuxDrives(std::string program_folder, std::string mountinfo_path, std::string sysfs_root,
                         std::function<int64_t()> monotonic_ms)
    : program_folder_(std::move(program_folder)),
      mountinfo_path_(std::move(mountinfo_path)),
      sysfs_root_(std::move(sysfs_root)),
      monotonic_ms_(std::move(monotonic_ms)) {
  if (!program_folder_.empty() && program_folder_.back() != '/') program_folder_ += '/';
}

LinuxDrives::~LinuxDrives() {
  if (mountinfo_fd_ < 0) return;
  if (watching_loop_ == platform::Current().loop) platform::Current().loop->Unwatch(mountinfo_fd_);
  close(mountinfo_fd_);
}

int64_t LinuxDrives::SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void LinuxDrives::ReadMounts(int fd) {
  // Reading the table through the watched descriptor is what clears its signal.
  buffer_.clear();
  char chunk[8192];
  if (lseek(fd, 0, SEEK_SET) == 0) {
    for (;;) {
      const ssize_t got = read(fd, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      buffer_.append(chunk, static_cast<size_t>(got));
    }
  }
  mounts_ = ParseMountinfo(buffer_);
  mounts_known_ = true;
  letters_.reset();
  removable_.clear();
}

bool LinuxDrives::WatchMounts() {
  EventLoop* loop = platform::Current().loop;
  if (mountinfo_fd_ >= 0 && watching_loop_ == loop) return true;
  if (mountinfo_fd_ >= 0) close(mountinfo_fd_);
  mountinfo_fd_ = -1;
  watching_loop_ = loop;
  // Only the kernel's own table signals a change.
  if (!mountinfo_path_.starts_with("/proc/")) return false;
  const int fd = open(mountinfo_path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  if (!loop->Watch(fd, /*priority=*/true, [this, fd] { ReadMounts(fd); })) {
    close(fd);
    return false;
  }
  mountinfo_fd_ = fd;
  ReadMounts(fd);
  return true;
}

const std::vector<MountEntry>& LinuxDrives::Mounts() {
  if (WatchMounts() && mounts_known_) return mounts_;
  ReadWholeFile(mountinfo_path_, buffer_);
  mounts_ = ParseMountinfo(buffer_);
  removable_.clear();
  return mounts_;
}

bool LinuxDrives::ResolveMap(Letters& letters, const std::vector<MountEntry>& mounts) {
  if (program_folder_.empty()) return false;
  std::string map = program_folder_ + "drives";
  if (!IsFolder(map)) return false;
  DIR* dir = opendir(map.c_str());
  if (dir == nullptr) return true;  // the map exists but cannot be read: no drives
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() != 1) continue;
    int i = LetterIndex(name[0]);
    if (i < 0 || !letters[static_cast<size_t>(i)].folder.empty()) continue;

    std::string link = map + "/" + name;
    // The mount is found from the link's text, without touching the target: if the
    // target is on a server that does not answer, even a stat of it would hang.
    std::string target = link;
    if (std::optional<std::string> text = ReadLink(link))
      target = (*text)[0] == '/' ? *text : map + "/" + *text;
    if (target.empty() || target[0] != '/') continue;
    const MountEntry* mount = MountHolding(mounts, NormalisePath(target));

    Letter letter;
    if (mount != nullptr) letter.mount = *mount;
    bool present = IsNetworkMount(letter.mount) ? StatvfsBounded(link).has_value() : IsFolder(link);
    if (!present) continue;
    letter.folder = link;
    letters[static_cast<size_t>(i)] = std::move(letter);
  }
  closedir(dir);
  return true;
}

const LinuxDrives::Letters& LinuxDrives::Resolve() {
  const int64_t now = monotonic_ms_();
  if (letters_ && now - letters_at_ms_ >= 0 && now - letters_at_ms_ < kFreshMs) return *letters_;
  const std::vector<MountEntry>& mounts = Mounts();
  Letters letters;
  if (!ResolveMap(letters, mounts)) {
    std::vector<MountEntry> drives = DriveMounts(mounts, IsFolder);
    for (size_t k = 0; k < drives.size() && k + 2 < letters.size(); ++k) {
      letters[k + 2].folder = drives[k].mount_point;
      letters[k + 2].mount = std::move(drives[k]);
    }
  }
  letters_ = std::move(letters);
  letters_at_ms_ = now;
  return *letters_;
}

bool LinuxDrives::IsRemovable(const MountEntry& mount) {
  if (mount.major == 0) return false;  // no block device behind it
  // A mounted device stays what it is: asked once, not at every cycle.
  const auto device_number = std::pair{mount.major, mount.minor};
  if (auto known = removable_.find(device_number); known != removable_.end()) return known->second;
  const bool removable = LooksRemovable(mount);
  removable_.emplace(device_number, removable);
  return removable;
}

bool LinuxDrives::LooksRemovable(const MountEntry& mount) {
  std::string link =
      sysfs_root_ + "/dev/block/" + std::to_string(mount.major) + ":" + std::to_string(mount.minor);
  char* resolved = realpath(link.c_str(), nullptr);
  if (resolved == nullptr) return false;
  std::string device = resolved;
  std::free(resolved);
  if (device.find("/usb") != std::string::npos) return true;
  // The flag belongs to the disk, not to its partitions.
  if (access((device + "/partition").c_str(), F_OK) == 0) {
    size_t slash = device.rfind('/');
    if (slash != std::string::npos) device.erase(slash);
  }
  std::string flag;
  return ReadWholeFile(device + "/removable", flag) && !flag.empty() && flag[0] == '1';
}

uint32_t LinuxDrives::PresentMask() {
  const Letters& letters = Resolve();
  uint32_t mask = 0;
  for (size_t i = 0; i < letters.size(); ++i) {
    if (!letters[i].folder.empty()) mask |= 1u << i;
  }
  return mask;
}

DriveType LinuxDrives::TypeOf(char letter) {
  int i = LetterIndex(letter);
  if (i < 0) return DriveType::NoRootDirectory;
  const Letters& letters = Resolve();
  const Letter& drive = letters[static_cast<size_t>(i)];
  if (drive.folder.empty()) return DriveType::NoRootDirectory;
  if (!drive.mount) return DriveType::Fixed;
  return TypeOfMount(*drive.mount, IsRemovable(*drive.mount));
}

std::optional<DriveSpace> LinuxDrives::SpaceOf(const std::string& drive) {
  int i = LetterOfDrive(drive);
  if (i < 0) return std::nullopt;
  const Letters& letters = Resolve();
  const Letter& letter = letters[static_cast<size_t>(i)];
  if (letter.folder.empty()) return std::nullopt;
  std::optional<struct statvfs> info = Statvfs(letter.folder, IsNetworkMount(letter.mount));
  if (!info) return std::nullopt;
  uint64_t unit = info->f_frsize != 0 ? info->f_frsize : info->f_bsize;
  DriveSpace space;
  space.total_bytes = SaturatingMultiply(info->f_blocks, unit);
  space.free_bytes = std::min(SaturatingMultiply(info->f_bavail, unit), space.total_bytes);
  return space;
}

}  // namespace lumi::platform::linux_backend

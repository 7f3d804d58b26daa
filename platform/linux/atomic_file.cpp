#include "platform/linux/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <set>

#include "platform/linux/linux_system.h"

namespace lumi::platform::linux_backend {
namespace {

// Links a path may pass through before it counts as a loop, as the kernel counts them.
constexpr int kMaxLinkHops = 40;
// A temporary's name is the file's name with a dot before and a number and ".tmp"
// after; a very long name is cut so that the temporary's name still fits.
constexpr size_t kMaxBaseInTemporary = 200;
constexpr uint64_t kTemporaryNumbers = 100'000'000;
constexpr std::string_view kTemporarySuffix = ".tmp";

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string_view BaseOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool AllDigits(std::string_view text, size_t most) {
  return !text.empty() && text.size() <= most &&
         text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The names our writers give temporaries of `base`: ".BASE.N.tmp" (this writer, and the
// settings writer before it) and "BASE.~N.tmp" (the first-start writer of old).
bool IsTemporaryName(std::string_view name, std::string_view base) {
  if (!name.ends_with(kTemporarySuffix)) return false;
  name.remove_suffix(kTemporarySuffix.size());
  const std::string_view short_base = base.substr(0, kMaxBaseInTemporary);
  if (name.starts_with('.') && name.substr(1).starts_with(short_base) &&
      name.substr(1 + short_base.size()).starts_with('.')) {
    return AllDigits(name.substr(short_base.size() + 2), 8);
  }
  return name.starts_with(base) && name.substr(base.size()).starts_with(".~") &&
         AllDigits(name.substr(base.size() + 2), 20);
}

// A temporary is locked for as long as its writer works on it, up to and including
// the rename, so a lock we get means its writer is gone.
void RemoveIfAbandoned(const std::string& path) {
  struct stat named {};
  if (lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode) || named.st_uid != geteuid()) return;
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat held {};
  if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 &&
      held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
    unlink(path.c_str());
  }
  close(fd);
}

void RemoveLeftoversOf(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string_view base = BaseOf(target);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (dirent* entry = readdir(dir)) {
    if (IsTemporaryName(entry->d_name, base)) RemoveIfAbandoned(folder + "/" + entry->d_name);
  }
  closedir(dir);
}

void RemoveLeftoversOfTargetOnce(const std::string& target) {
  static std::mutex mutex;
  static std::set<std::string> done;
  {
    std::lock_guard lock(mutex);
    if (!done.insert(target).second) return;
  }
  RemoveLeftoversOf(target);
}

// Creates a new file beside `target` that no one else can have opened, locked until it
// is closed.
int CreateTemporary(const std::string& target, mode_t mode, std::string& temp) {
  static std::atomic<uint64_t> counter{0};
  const std::string prefix =
      FolderOf(target) + "/." + std::string(BaseOf(target).substr(0, kMaxBaseInTemporary)) + ".";
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const uint64_t tag = (static_cast<uint64_t>(now.tv_nsec) * 2654435761u) ^ (counter.fetch_add(1) << 20) ^
                         static_cast<uint64_t>(getpid());
    temp = prefix + std::to_string(tag % kTemporaryNumbers) + std::string(kTemporarySuffix);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    // Between the create and the lock, another program's clean-up may have taken the
    // unlocked file for a leftover; then it is gone, and another name is tried.
    struct stat info {};
    if (flock(fd, LOCK_EX) == 0 && fstat(fd, &info) == 0 && info.st_nlink > 0) return fd;
    close(fd);
  }
  return -1;
}

}  // namespace

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    std::string part = folder.substr(0, slash);
    if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WriteTarget(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    struct stat info {};
    if (lstat(current.c_str(), &info) != 0) return errno == ENOENT ? current : std::string();
    if (!S_ISLNK(info.st_mode)) return current;
    const std::string link = ReadLink(current);
    if (link.empty()) return {};
    current = link.front() == '/' ? link : FolderOf(current) + "/" + link;
  }
  return {};
}

bool ReplaceFile(const std::string& path, std::string_view bytes, mode_t new_file_mode) {
  if (path.empty()) return false;
  const std::string target = WriteTarget(path);
  if (target.empty()) return false;
  RemoveLeftoversOfTargetOnce(target);

  struct stat old {};
  const bool exists = lstat(target.c_str(), &old) == 0;
  if (exists ? !S_ISREG(old.st_mode) : errno != ENOENT) return false;

  std::string temp;
  const int fd = CreateTemporary(target, exists ? S_IRUSR | S_IWUSR : new_file_mode, temp);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && exists) {
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
      // Only root may hand the file back to its owner; for anyone else the file
      // becomes theirs, as with any editor that replaces files.
      [[maybe_unused]] int ignored = fchown(fd, old.st_uid, old.st_gid);
    }
    ok = fchmod(fd, old.st_mode & 07777) == 0;
  }
  ok = ok && fsync(fd) == 0;
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  // Closed only now: the lock marks the temporary as being written until it is gone.
  close(fd);
  if (ok) SyncFolder(FolderOf(target));
  return ok;
}

void RemoveLeftoversOnce(const std::string& path) {
  const std::string target = WriteTarget(path);
  if (!target.empty()) RemoveLeftoversOfTargetOnce(target);
}

}  // namespace lumi::platform::linux_backend

#include "platform/linux/ini_profile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace lumi::platform::linux_backend {

namespace {

// File systems stamp times from a coarse clock (one kernel tick, up to 10 ms) that may
// lag the precise one; a file modified less than this before it was read could change
// again without its time stamp moving, so it is not trusted from the cache.
constexpr int64_t kRacyWindowNs = 100'000'000;
constexpr size_t kMaxCachedFiles = 16;

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

timespec Minus(timespec t, int64_t ns) {
  t.tv_sec -= static_cast<time_t>(ns / 1'000'000'000);
  t.tv_nsec -= static_cast<long>(ns % 1'000'000'000);
  if (t.tv_nsec < 0) {
    t.tv_nsec += 1'000'000'000;
    --t.tv_sec;
  }
  return t;
}

// The whole content of an open file, at most `limit` bytes; false on a read error or
// a longer file.
bool ReadAll(int fd, size_t size_hint, size_t limit, std::string& out) {
  out.clear();
  out.resize(size_hint < limit ? size_hint + 1 : limit + 1);
  size_t used = 0;
  for (;;) {
    if (used == out.size()) {
      if (out.size() > limit) return false;
      out.resize(std::min(out.size() * 2, limit + 1));
    }
    ssize_t n = read(fd, out.data() + used, out.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  if (used > limit) return false;
  out.resize(used);
  return true;
}

bool ReadFile(const std::string& path, std::string& out, struct stat& info) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            static_cast<uint64_t>(info.st_size) <= IniProfile::kMaxFileSize &&
            ReadAll(fd, static_cast<size_t>(info.st_size), IniProfile::kMaxFileSize, out);
  close(fd);
  return ok;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A symbolic link is written through: replacing the link itself would cut it off from
// the file it names.
std::string WriteTarget(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

// Creates a new file next to `target` that no one else can have opened.
int CreateTemporary(const std::string& target, mode_t mode, std::string& temp) {
  static std::atomic<uint64_t> counter{0};
  const std::string folder = FolderOf(target);
  size_t slash = target.rfind('/');
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (base.size() > 200) base.resize(200);
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const uint64_t tag = (static_cast<uint64_t>(now.tv_nsec) * 2654435761u) ^ (counter.fetch_add(1) << 20) ^
                         static_cast<uint64_t>(getpid());
    temp = folder + "/." + base + "." + std::to_string(tag % 100'000'000) + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
    if (errno != EEXIST) return -1;
  }
  return -1;
}

void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool ReplaceFile(const std::string& target, std::string_view bytes, const struct stat* old) {
  std::string temp;
  // A new file gets the usual mode through the umask; a replacement the old mode.
  int fd = CreateTemporary(target, old != nullptr ? S_IRUSR | S_IWUSR : 0666, temp);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && old != nullptr) {
    if (old->st_uid != geteuid() || old->st_gid != getegid()) {
      // Only root may hand the file back to its owner; for anyone else the file
      // becomes theirs, as with any editor that replaces files.
      [[maybe_unused]] int ignored = fchown(fd, old->st_uid, old->st_gid);
    }
    ok = fchmod(fd, old->st_mode & 07777) == 0;
  }
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
}

}  // namespace

std::shared_ptr<const IniDocument> IniProfile::Load(const std::string& file) {
  struct stat info {};
  if (file.empty() || stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::lock_guard lock(mutex_);
    cache_.erase(file);
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  auto it = cache_.find(file);
  if (it != cache_.end()) {
    const Stamp& s = it->second.stamp;
    if (!it->second.racy && s.device == info.st_dev && s.inode == info.st_ino && s.size == info.st_size &&
        SameTime(s.modified, info.st_mtim)) {
      return it->second.document;
    }
  }

  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::string bytes;
  if (!ReadFile(file, bytes, info)) {
    cache_.erase(file);
    return nullptr;
  }
  Cached entry;
  entry.stamp = Stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
  entry.racy = !Before(info.st_mtim, Minus(now, kRacyWindowNs));
  entry.document = std::make_shared<const IniDocument>(std::move(bytes));
  if (it == cache_.end() && cache_.size() >= kMaxCachedFiles) cache_.clear();
  auto document = entry.document;
  cache_.insert_or_assign(file, std::move(entry));
  return document;
}

int32_t IniProfile::ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                                int32_t fallback) {
  auto document = Load(file);
  if (document == nullptr) return fallback;
  auto value = document->Find(section, key);
  if (!value || value->empty()) return fallback;
  return ParseProfileInteger(*value);
}

std::string IniProfile::ReadString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& fallback, size_t max_length) {
  auto document = Load(file);
  std::optional<std::string_view> value;
  if (document != nullptr) value = document->Find(section, key);
  std::string_view text = value ? *value : std::string_view(fallback);
  return std::string(text.substr(0, max_length));
}

bool IniProfile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) {
  if (file.empty()) return false;
  std::lock_guard lock(mutex_);
  const std::string target = WriteTarget(file);

  // Always from the disk, never from the cache: the edit must keep what is there now.
  struct stat old {};
  std::string bytes;
  const bool exists = stat(target.c_str(), &old) == 0;
  if (exists) {
    if (!S_ISREG(old.st_mode) || access(target.c_str(), W_OK) != 0) return false;
    if (!ReadFile(target, bytes, old)) return false;
  } else if (errno != ENOENT) {
    return false;
  }

  IniDocument document(std::move(bytes));
  IniDocument::Edit edit = document.With(section, key, value);
  if (edit.outcome == IniDocument::Outcome::Rejected) return false;
  if (edit.outcome == IniDocument::Outcome::Unchanged) return true;
  if (edit.bytes.size() > kMaxFileSize) return false;

  const bool written = ReplaceFile(target, edit.bytes, exists ? &old : nullptr);
  cache_.erase(file);
  cache_.erase(target);
  return written;
}

}  // namespace lumi::platform::linux_backend

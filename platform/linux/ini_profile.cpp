#include "platform/linux/ini_profile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/linux/atomic_file.h"

namespace lumi::platform::linux_backend {

namespace {

// File systems stamp times from a coarse clock (one kernel tick, up to 10 ms) that may
// lag the precise one, and some (FAT) only to two seconds, which shows as times without
// nanoseconds: a parse this long after another one that saw the same stamp finds the
// file's final content for that stamp.
constexpr int64_t kFineStampTickMs = 100;
constexpr int64_t kCoarseStampTickMs = 2100;
constexpr size_t kMaxCachedFiles = 16;

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

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
  // Non-blocking: a FIFO put in the file's place must not hold the loop.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            static_cast<uint64_t>(info.st_size) <= IniProfile::kMaxFileSize &&
            ReadAll(fd, static_cast<size_t>(info.st_size), IniProfile::kMaxFileSize, out);
  close(fd);
  return ok;
}

}  // namespace

IniProfile::IniProfile(std::function<int64_t()> monotonic_ms) : monotonic_ms_(std::move(monotonic_ms)) {}

int64_t IniProfile::SteadyMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

bool IniProfile::Stamp::operator==(const Stamp& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         SameTime(modified, other.modified) && SameTime(changed, other.changed);
}

IniProfile::Stamp IniProfile::StampOf(const struct stat& info) {
  return Stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

std::shared_ptr<const IniDocument> IniProfile::Load(const std::string& file) {
  {
    std::lock_guard lock(mutex_);
    auto it = cache_.find(file);
    if (it != cache_.end() && it->second.watched) return it->second.document;
  }
  struct stat info {};
  if (file.empty() || stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::lock_guard lock(mutex_);
    cache_.erase(file);
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  auto it = cache_.find(file);
  const bool known = it != cache_.end() && it->second.stamp == StampOf(info);
  if (known && it->second.settled) return it->second.document;
  if (it == cache_.end()) RemoveLeftoversOnce(file);

  const int64_t now = monotonic_ms_();
  // Watched before it is read, so that no change between the two goes unreported. A
  // symbolic link's target may live in another folder: that file is looked at instead.
  struct stat link_info {};
  const std::optional<FolderWatch::Place> watched =
      lstat(file.c_str(), &link_info) == 0 && S_ISREG(link_info.st_mode) ? watch_.Cover(file) : std::nullopt;
  std::string bytes;
  if (!ReadFile(file, bytes, info)) {
    cache_.erase(file);
    return nullptr;
  }
  ++parses_;
  Cached entry;
  entry.stamp = StampOf(info);
  entry.first_parsed_ms = now;
  if (it != cache_.end() && it->second.stamp == entry.stamp) {
    entry.first_parsed_ms = it->second.first_parsed_ms;
    const int64_t tick = info.st_ctim.tv_nsec == 0 ? kCoarseStampTickMs : kFineStampTickMs;
    entry.settled = now - entry.first_parsed_ms >= tick;
  }
  entry.watched = watched;
  entry.document = std::make_shared<const IniDocument>(std::move(bytes));
  if (it == cache_.end() && cache_.size() >= kMaxCachedFiles) cache_.clear();
  auto document = entry.document;
  cache_.insert_or_assign(file, std::move(entry));
  return document;
}

void IniProfile::Forget(const FolderWatch::Place& place) {
  std::lock_guard lock(mutex_);
  std::erase_if(cache_, [&](const auto& entry) {
    const std::optional<FolderWatch::Place>& watched = entry.second.watched;
    if (place.folder < 0) return true;
    return watched && watched->folder == place.folder && (place.name.empty() || watched->name == place.name);
  });
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
  std::optional<std::string> value;
  if (document != nullptr) value = document->Find(section, key);
  std::string text = value ? std::move(*value) : fallback;
  if (text.size() > max_length) text.resize(max_length);
  return text;
}

bool IniProfile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) {
  if (file.empty()) return false;
  std::lock_guard lock(mutex_);
  const std::string target = WriteTarget(file);
  if (target.empty()) return false;

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

  const bool written = ReplaceFile(target, edit.bytes);
  cache_.erase(file);
  cache_.erase(target);
  return written;
}

}  // namespace lumi::platform::linux_backend

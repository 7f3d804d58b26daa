#include "platform/linux/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/event_loop.h"
#include "platform/services.h"

namespace lumi::platform::linux_backend {
namespace {

constexpr uint32_t kFileChanges = IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE |
                                  IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

FolderWatch::FolderWatch(Changed changed) : changed_(std::move(changed)) {}

FolderWatch::~FolderWatch() {
  if (fd_ < 0) return;
  if (loop_ == platform::Current().loop) loop_->Unwatch(fd_);
  close(fd_);
}

bool FolderWatch::Listen() {
  EventLoop* loop = platform::Current().loop;
  if (fd_ >= 0 && loop == loop_) return true;
  // Another loop (a test's, or the program's after start-up): start afresh with it.
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  folders_.clear();
  loop_ = loop;
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return false;
  if (!loop->Watch(fd, false, [this] { Drain(); })) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

std::optional<FolderWatch::Place> FolderWatch::Cover(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (path.empty() || path.front() != '/' || slash == std::string::npos || slash + 1 == path.size()) {
    return std::nullopt;
  }
  if (!Listen()) return std::nullopt;
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  auto it = folders_.find(folder);
  if (it == folders_.end()) {
    const int watch = inotify_add_watch(fd_, folder.c_str(), kFileChanges);
    if (watch < 0) return std::nullopt;
    it = folders_.emplace(folder, watch).first;
  }
  return Place{it->second, path.substr(slash + 1)};
}

void FolderWatch::Drain() {
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t got = read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
      inotify_event event{};
      std::memcpy(&event, buffer + at, sizeof event);
      const char* name = buffer + at + sizeof(inotify_event);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
      if (event.mask & IN_Q_OVERFLOW) {
        changed_(Place{});
        continue;
      }
      if (event.mask & IN_IGNORED) {
        // The folder went away (or was unmounted): the watch is gone with it.
        const int gone = event.wd;
        std::erase_if(folders_, [gone](const auto& entry) { return entry.second == gone; });
        changed_(Place{gone, {}});
        continue;
      }
      changed_(Place{event.wd, event.len > 0 ? std::string(name) : std::string()});
    }
  }
}

}  // namespace lumi::platform::linux_backend

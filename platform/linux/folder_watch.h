#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace lumi::platform {
class EventLoop;
}

namespace lumi::platform::linux_backend {

// Changes to the files of a few folders, learnt from inotify through the event loop
// instead of by looking at each file before each use. Atomic writes replace a file, so
// its folder is watched, not the file.
class FolderWatch {
 public:
  struct Place {
    int folder = -1;   // the watch of the file's folder
    std::string name;  // the file's name in it
    bool operator==(const Place&) const = default;
  };
  // A file changed (created, written, replaced, removed, its mode changed); with no
  // name, anything in that folder may have; with folder -1, anything anywhere (the
  // kernel dropped events).
  using Changed = std::function<void(const Place& place)>;

  explicit FolderWatch(Changed changed);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Watches the folder of `path` (absolute, no symbolic link in its last part) when the
  // program's loop can watch descriptors: where its changes will be reported, or
  // nothing when they will not.
  std::optional<Place> Cover(const std::string& path);

 private:
  bool Listen();
  void Drain();

  Changed changed_;
  EventLoop* loop_ = nullptr;  // the loop the descriptor is watched by
  int fd_ = -1;
  std::map<std::string, int> folders_;  // folder -> watch
};

}  // namespace lumi::platform::linux_backend

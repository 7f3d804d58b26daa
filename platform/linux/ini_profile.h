#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/linux/folder_watch.h"
#include "platform/linux/ini_document.h"
#include "platform/profile.h"

namespace lumi::platform::linux_backend {

// Windows-style ini files on Linux, with the Windows private-profile rules (see
// IniDocument). The integer read is decimal only: optional sign and digits, wrapping
// modulo 2^32; an empty value reads as the fallback, as on Windows.
//
// Reads keep each parsed file. Where the program's loop can watch descriptors, a plain
// file's folder is watched with inotify and the file is trusted until a change to it is
// reported, which the loop handles between two channels of a cycle: a read then costs
// no system call, and an edit by hand is still seen by the next channel. Otherwise (a
// symbolic link, a loop that cannot watch) each read checks the file's identity, size,
// and modification and change times, so an edit is seen at once.
// A file's stamp is trusted only once a parse at least a time-stamp tick after the
// first parse that saw it found it unchanged: a change in the same tick as a parse
// could keep the stamp. No wall-clock time is consulted, so a file stamped in the
// future is parsed twice, like any other, and then kept.
//
// Files that are well-formed UTF-8 beyond ASCII are read and written as UTF-8 (see
// IniDocument); everything else is Windows-1251.
//
// Every write replaces the file atomically (ReplaceFile) and keeps the file's mode and
// owner; a symbolic link is written through to its target, which is created when it is
// missing. A write that cannot be done leaves everything as it was and answers false;
// that includes a file that is not writable to us (as Windows refuses it) and a folder
// in which no file can be created (where Windows would still rewrite a writable file
// in place). The first touch of a file removes the temporary files that a killed
// write of it left behind.
//
// Files larger than 64 MiB are not taken for ini files: they read as missing and are
// never written.
class IniProfile final : public Profile {
 public:
  static constexpr size_t kMaxFileSize = size_t{64} << 20;

  // `monotonic_ms` tells the time between two parses; tests give a clock of their own.
  explicit IniProfile(std::function<int64_t()> monotonic_ms = SteadyMilliseconds);

  static int64_t SteadyMilliseconds();

  int32_t ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                      int32_t fallback) override;
  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback, size_t max_length) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;

  // How many times a file was parsed: what the cache saves shows in it.
  uint64_t ParseCount() const { return parses_; }

 private:
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const Stamp& other) const;
  };
  struct Cached {
    Stamp stamp;
    int64_t first_parsed_ms = 0;  // the first parse that saw this stamp
    bool settled = false;
    std::optional<FolderWatch::Place> watched;  // set: trusted until inotify says otherwise
    std::shared_ptr<const IniDocument> document;
  };

  static Stamp StampOf(const struct stat& info);

  // The parsed file, or null when there is no regular file to read.
  std::shared_ptr<const IniDocument> Load(const std::string& file);
  // A file changed: its parse is no longer trusted.
  void Forget(const FolderWatch::Place& place);

  std::function<int64_t()> monotonic_ms_;
  std::mutex mutex_;
  std::unordered_map<std::string, Cached> cache_;
  std::atomic<uint64_t> parses_{0};
  FolderWatch watch_{[this](const FolderWatch::Place& place) { Forget(place); }};
};

}  // namespace lumi::platform::linux_backend

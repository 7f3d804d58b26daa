#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/linux/ini_document.h"
#include "platform/profile.h"

namespace lumi::platform::linux_backend {

// Windows-style ini files on Linux, with the Windows private-profile rules (see
// IniDocument). The integer read is decimal only: optional sign and digits, wrapping
// modulo 2^32; an empty value reads as the fallback, as on Windows.
//
// Reads keep each parsed file and check it against the file's identity, size and
// modification time before every read, so an edit by hand is seen at once. A file
// changed so recently that the file system's clock could give a further change the
// same time stamp is parsed anew on every read until it has aged.
//
// Every write replaces the file atomically (a temporary file in the same folder,
// flushed to disk, renamed over the file) and keeps the file's mode and owner; a
// symbolic link is written through to its target. A write that cannot be done leaves
// everything as it was and answers false; that includes a file that is not writable
// to us (as Windows refuses it) and a folder in which no file can be created (where
// Windows would still rewrite a writable file in place).
//
// Files larger than 64 MiB are not taken for ini files: they read as missing and are
// never written.
class IniProfile final : public Profile {
 public:
  static constexpr size_t kMaxFileSize = size_t{64} << 20;

  int32_t ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                      int32_t fallback) override;
  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback, size_t max_length) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
  };
  struct Cached {
    Stamp stamp;
    bool racy = false;
    std::shared_ptr<const IniDocument> document;
  };

  // The parsed file, or null when there is no regular file to read.
  std::shared_ptr<const IniDocument> Load(const std::string& file);

  std::mutex mutex_;
  std::unordered_map<std::string, Cached> cache_;
};

}  // namespace lumi::platform::linux_backend

#pragma once

#include "platform/files.h"

namespace lumi::platform::linux_backend {

// Files replaced with ReplaceFile; a new file gets the usual mode through the umask.
class LinuxFiles final : public Files {
 public:
  bool Replace(const std::string& path, std::string_view bytes) override;
};

}  // namespace lumi::platform::linux_backend

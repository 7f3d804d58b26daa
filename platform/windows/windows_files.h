#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

namespace lumi::platform::windows_backend {

// A new file written beside the old one, flushed, then put in its place in one step
// (ReplaceFileA, which keeps the old file's attributes, or MoveFileExA where there is
// nothing to replace). A link is written through to the file it finally names.
class WindowsFiles final : public Files {
 public:
  bool Replace(const std::string& path, std::string_view bytes) override;

  // The file a path finally names (links followed), or the path itself when it
  // names nothing yet.
  static std::string FinalPath(const std::string& path);
};

}  // namespace lumi::platform::windows_backend

#pragma once

#include <string>
#include <string_view>

namespace lumi::platform {

// Whole files, written as one step.
class Files {
 public:
  virtual ~Files() = default;
  // Puts `bytes` in place of the file at `path`, so that a reader, and a crash at any
  // moment, find the old file or the new one, never a part of either. A symbolic link
  // is written through to the file it names (a link to a file not there yet creates
  // it); a file that is replaced keeps its mode. False when it cannot be done: then
  // the file is as it was and nothing is left behind.
  virtual bool Replace(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace lumi::platform

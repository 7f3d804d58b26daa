#pragma once

#include <string>

#include "platform/profile.h"

namespace lumi::platform::windows_backend {

// The private-profile functions themselves, so the file reads and changes exactly as
// on Windows.
class WindowsProfile final : public Profile {
 public:
  int32_t ReadInteger(const std::string& file, const std::string& section, const std::string& key,
                      int32_t fallback) override;
  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback, size_t max_length) override;
  // Refuses what Windows would write into a line of its own and so break the file (a
  // line break, "]" in a section, "=" in a key, a key read back as a comment or a
  // section) and what it would cut at a zero byte, as the Linux profile refuses them.
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;

  static bool SafeToWrite(const std::string& section, const std::string& key, const std::string& value);
};

}  // namespace lumi::platform::windows_backend

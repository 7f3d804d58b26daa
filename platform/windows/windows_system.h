#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/system.h"

namespace lumi::platform::windows_backend {

// The program's own path and the Windows folders as Windows reports them; processes
// from a Toolhelp snapshot.
class WindowsSystem final : public System {
 public:
  std::string ExecutablePath() override;
  std::string ExecutableFolder() override;
  std::string WindowsFolder() override;
  std::string SystemFolder() override;
  std::string TempFolder() override;
  FileKind KindOf(const std::string& path) override;
  std::vector<std::string> ProcessExecutables() override;
  std::vector<std::string> EarlierProcessExecutables() override;
  int64_t ShowRunningCopy() override;
};

}  // namespace lumi::platform::windows_backend

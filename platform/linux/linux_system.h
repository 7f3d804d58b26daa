#pragma once

#include "platform/system.h"

namespace lumi::platform::linux_backend {

// The program's own path from /proc/self/exe. The Windows folders have stand-ins:
// "%windir%" is /etc and "%sysdir%" is /usr/lib (reported without a final "/", as
// Windows reports its folders), "%tmpdir%" is $TMPDIR or /tmp/ (with the final "/").
class LinuxSystem final : public System {
 public:
  std::string ExecutablePath() override;
  std::string ExecutableFolder() override;
  std::string WindowsFolder() override;
  std::string SystemFolder() override;
  std::string TempFolder() override;
};

}  // namespace lumi::platform::linux_backend

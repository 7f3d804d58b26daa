#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

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
  FileKind KindOf(const std::string& path) override;
  // From /proc/<pid>/exe; where that link cannot be read (other users' processes), the
  // name the kernel keeps in /proc/<pid>/comm.
  std::vector<std::string> ProcessExecutables() override;
  // Ordered by the start time in /proc/<pid>/stat, then by process id; the owner is
  // the owner of /proc/<pid>.
  std::vector<std::string> EarlierProcessExecutables() override;
  // Sends the copy SIGUSR1, which a running copy's loop takes as a show request.
  int64_t ShowRunningCopy() override;
};

// The start time (clock ticks after boot) in the text of /proc/<pid>/stat; nothing when
// the text is not one.
std::optional<uint64_t> ProcessStartTicks(std::string_view stat_text);

}  // namespace lumi::platform::linux_backend

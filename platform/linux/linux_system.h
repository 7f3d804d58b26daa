#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
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
  // Chosen at the first call (see ChooseSettingsFolder) and kept for the run, so the
  // settings never move while the program runs.
  std::string SettingsFolder() override;
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

 private:
  std::optional<std::string> settings_folder_;
};

// What the symbolic link `link` holds; empty when it is no link or cannot be read.
std::string ReadLink(const std::string& link);

// Calls `visit` with the id of every process /proc lists at the moment.
void ForEachProcessId(const std::function<void(const std::string& pid)>& visit);

// Field `field` (counted from 1, as proc(5) counts them; the state, field 3, is no
// number) of the text of /proc/<pid>/stat; nothing when the text has no such number.
std::optional<int64_t> ProcessStatField(std::string_view stat_text, int field);

// The start time (clock ticks after boot) in the text of /proc/<pid>/stat; nothing when
// the text is not one.
std::optional<uint64_t> ProcessStartTicks(std::string_view stat_text);

}  // namespace lumi::platform::linux_backend

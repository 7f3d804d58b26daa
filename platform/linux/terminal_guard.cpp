#include "platform/linux/terminal_guard.h"

#include <sys/sysmacros.h>

#include <string>

#include "platform/linux/linux_system.h"
#include "platform/linux/proc_file.h"

namespace lumi::platform::linux_backend {

namespace {

constexpr unsigned kTtyAuxMajor = 5;  // /dev/tty 5:0, /dev/console 5:1, /dev/ptmx 5:2
constexpr unsigned kVirtualConsoleMajor = 4;
constexpr int kTerminalField = 7;

}  // namespace

bool IsTerminalAlias(dev_t device) {
  const unsigned group = major(device);
  const unsigned number = minor(device);
  return (group == kTtyAuxMajor && number <= 2) || (group == kVirtualConsoleMajor && number == 0);
}

dev_t DecodeTerminalNumber(int64_t tty_nr) {
  const auto code = static_cast<uint32_t>(tty_nr);
  return makedev((code >> 8) & 0xFFF, (code & 0xFF) | ((code >> 12) & 0xFFF00));
}

bool IsSessionTerminal(dev_t device) {
  bool found = false;
  std::string text;
  ForEachProcessId([&](const std::string& pid) {
    if (found || !ReadWholeFile("/proc/" + pid + "/stat", text)) return;
    const std::optional<int64_t> terminal = ProcessStatField(text, kTerminalField);
    found = terminal && *terminal != 0 && DecodeTerminalNumber(*terminal) == device;
  });
  return found;
}

}  // namespace lumi::platform::linux_backend

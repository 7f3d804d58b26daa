#include "tools/unit/line.h"

// The kernel's own terminal structures (termios2, BOTHER) clash with <termios.h>, so
// this file alone talks to the line.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/linux/serial_line.h"

namespace lumi::unit {

static_assert(sizeof(termios2) <= sizeof(SavedLine::data));

bool save_line(int fd, SavedLine& saved) {
  termios2 line{};
  if (ioctl(fd, TCGETS2, &line) != 0) return false;
  std::memcpy(saved.data.data(), &line, sizeof line);
  saved.valid = true;
  return true;
}

bool restore_line(int fd, const SavedLine& saved) {
  if (!saved.valid) return false;
  termios2 line{};
  std::memcpy(&line, saved.data.data(), sizeof line);
  return ioctl(fd, TCSETS2, &line) == 0;
}

bool set_raw_line(int fd, unsigned baud, std::string& error) {
  // The same raw 8N1 setting, speed table and read-back check as the program's own
  // serial ports.
  platform::linux_backend::SerialMode mode;
  mode.baud = static_cast<int32_t>(baud);
  if (baud == 0 || mode.baud <= 0 || !platform::linux_backend::ApplyLine(fd, mode, false)) {
    error = "the line does not take raw 8N1 at " + std::to_string(baud) + " baud: " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace lumi::unit

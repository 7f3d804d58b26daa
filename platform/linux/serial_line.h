#pragma once

#include <array>
#include <cstdint>

#include "platform/linux/serial_mode.h"

namespace lumi::platform::linux_backend {

// The control-flag word for `mode`, built on the one the driver had: character size,
// parity, stop bits and CTS flow control replaced, the receiver on, modem lines
// ignored (so no carrier line can block or hang up the port), the speed bits kept.
uint32_t LineControlFlags(const SerialMode& mode, uint32_t current);

// Puts the terminal behind `fd` into raw mode with `mode`'s settings and reads them
// back. False when `fd` is not a terminal, the driver refuses a setting, or what it
// kept is not what was asked (a speed within 3%, as UART clocks allow). A
// pseudo-terminal has no wire and the kernel holds it at 8 bits without parity
// whatever is asked, so on one those two are not checked.
//
// Speeds without a classic Bnnn constant (7200, 14400) need the arbitrary-rate
// interface, whose kernel structures clash with <termios.h>; this file is the only
// one that uses them.
bool ApplyLine(int fd, const SerialMode& mode, bool pseudo_terminal);

// A terminal's whole settings as found, speeds of any rate included, to be put back
// when the port closes: the line is left as the program found it, not raw.
class SavedLine {
 public:
  // False when `fd` is no terminal.
  bool Save(int fd);
  // Does nothing when nothing was saved or the line is gone.
  void Restore(int fd) const;

 private:
  // The kernel's structure, which cannot be named where <termios.h> is included.
  alignas(8) std::array<unsigned char, 64> settings_{};
  bool saved_ = false;
};

}  // namespace lumi::platform::linux_backend

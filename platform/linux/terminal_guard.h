#pragma once

#include <sys/types.h>

#include <string_view>

namespace lumi::platform::linux_backend {

// Terminals that belong to somebody else and are never opened as a port, whatever a
// port map points at: writing frames into them and switching them to raw mode would
// take over a person's terminal.

// /dev/tty, /dev/console and /dev/tty0 stand for some other terminal (the caller's,
// the system console, the active virtual console), and opening /dev/ptmx creates a new
// pseudo-terminal: none of them is a port, by their device numbers, so no name or link
// can smuggle them in.
bool IsTerminalAlias(dev_t device);

// True when some session has the terminal as its controlling terminal: a login, a
// person's shell in a terminal window. Read from /proc (every process names its
// controlling terminal there), so it sees other users' sessions as well.
bool IsSessionTerminal(dev_t device);

// The device number of /proc/<pid>/stat's tty_nr field (field 7), as the kernel
// encodes it; 0 for no terminal.
dev_t DecodeTerminalNumber(int64_t tty_nr);

}  // namespace lumi::platform::linux_backend

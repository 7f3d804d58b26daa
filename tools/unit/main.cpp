// lumiscope-unit: a stand-in for the external unit of fourteen LEDs. It listens on a
// pseudo-terminal (or a given device), decodes the probe and the two-byte frames and
// shows the LEDs in the terminal, or prints one JSON line per event with --json.

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/unit/event_json.h"
#include "tools/unit/frame_decoder.h"
#include "tools/unit/led_display.h"
#include "tools/unit/options.h"
#include "tools/unit/port.h"

namespace lumi::unit {
namespace {

volatile std::sig_atomic_t g_signal = 0;
int g_wake_fd = -1;

void on_signal(int number) {
  g_signal = number;
  int saved = errno;
  char byte = 1;
  // The pipe wakes the poll even when the signal lands just before it.
  [[maybe_unused]] ssize_t ignored = ::write(g_wake_fd, &byte, 1);
  errno = saved;
}

void install_signals(int wake_fd) {
  g_wake_fd = wake_fd;
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  for (int number : {SIGINT, SIGTERM, SIGHUP}) sigaction(number, &action, nullptr);
  // A closed stdout shows up as a failed write; a background read of the keyboard as an
  // error that turns the keys off, instead of stopping the unit.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGTTIN, SIG_IGN);
}

// While the LEDs are drawn: the cursor hidden, and the keyboard neither echoed (it
// would tear the block) nor line-buffered (so "q" quits at once). Put back at the end.
class TerminalGuard {
 public:
  explicit TerminalGuard(bool interactive) : active_(interactive) {
    if (!active_) return;
    std::cout << "\x1b[?25l" << std::flush;
    // Only from the foreground: a background job changing the terminal would be
    // stopped, or would change it under the shell.
    if (isatty(STDIN_FILENO) && tcgetpgrp(STDIN_FILENO) == getpgrp() &&
        tcgetattr(STDIN_FILENO, &saved_) == 0) {
      termios quiet = saved_;
      quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON);
      quiet.c_cc[VMIN] = 1;
      quiet.c_cc[VTIME] = 0;
      keys_ = tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0;
    }
  }
  TerminalGuard(const TerminalGuard&) = delete;
  TerminalGuard& operator=(const TerminalGuard&) = delete;
  ~TerminalGuard() {
    // TCSAFLUSH: keys typed meanwhile are not handed to the shell afterwards.
    if (keys_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    if (active_) std::cout << "\x1b[?25h" << std::flush;
  }

  bool keys() const { return keys_; }

 private:
  bool active_;
  bool keys_ = false;
  termios saved_{};
};

Layout choose_layout(int rows) {
  if (rows == 1) return Layout::one_line;
  if (rows == 2) return Layout::two_rows;
  winsize size{};
  // The one-line block is 47 columns wide.
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col != 0 && size.ws_col < 50) {
    return Layout::two_rows;
  }
  return Layout::one_line;
}

bool quit_key(const char* keys, ssize_t count) {
  for (ssize_t i = 0; i < count; ++i) {
    if (keys[i] == 'q' || keys[i] == 'Q' || keys[i] == 0x04) return true;
  }
  return false;
}

int run(const Options& options) {
  int wake[2];
  if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0)
    throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
  Fd wake_read(wake[0]);
  Fd wake_write(wake[1]);
  install_signals(wake_write.get());

  std::unique_ptr<Port> port = options.device.empty() ? Port::open_pseudo_terminal(options.baud)
                                                      : Port::open_device(options.device, options.baud);
  std::optional<SymlinkGuard> link;
  if (!options.link.empty()) link.emplace(options.link, port->path());

  std::cout << "device: " << port->path() << '\n' << std::flush;
  if (!std::cout) return 1;

  const bool interactive = !options.json && isatty(STDOUT_FILENO) != 0;
  TerminalGuard terminal(interactive);
  LedDisplay display(std::cout, interactive, choose_layout(options.rows));
  FrameDecoder decoder;
  if (interactive) display.refresh(LedDisplay::Clock::now());

  auto emit = [&](const Event& event, LedDisplay::Clock::time_point now) {
    if (options.json) {
      std::cout << to_json(event) << '\n' << std::flush;
    } else {
      display.show(event, now);
    }
  };

  bool keys = terminal.keys();
  // Set when the pseudo-terminal reports that no writer is left; the unit then only
  // waits a little before it listens again, instead of spinning on the hang-up.
  bool hung_up = false;
  int exit_code = 0;
  std::array<std::uint8_t, 4096> buffer;
  std::vector<Event> events;

  while (g_signal == 0 && std::cout) {
    std::array<pollfd, 3> fds{};
    nfds_t count = 0;
    fds[count++] = {wake_read.get(), POLLIN, 0};
    int port_index = -1;
    if (!hung_up) {
      port_index = static_cast<int>(count);
      fds[count++] = {port->fd(), POLLIN, 0};
    }
    int key_index = -1;
    if (keys) {
      key_index = static_cast<int>(count);
      fds[count++] = {STDIN_FILENO, POLLIN, 0};
    }
    int timeout = hung_up ? 100 : interactive ? 250 : -1;
    int ready = poll(fds.data(), count, timeout);
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll: " + std::string(std::strerror(errno)));
    }
    if (g_signal != 0) break;
    auto now = LedDisplay::Clock::now();
    if (ready == 0) {
      hung_up = false;
      display.refresh(now);
      continue;
    }
    if (fds[0].revents != 0) {
      char drain[16];
      while (::read(wake_read.get(), drain, sizeof drain) > 0) {
      }
    }
    if (key_index >= 0 && fds[static_cast<std::size_t>(key_index)].revents != 0) {
      char typed[64];
      ssize_t got = ::read(STDIN_FILENO, typed, sizeof typed);
      if (got > 0 && quit_key(typed, got)) break;
      if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) keys = false;
    }
    if (port_index < 0) continue;
    short revents = fds[static_cast<std::size_t>(port_index)].revents;
    if (revents == 0) continue;
    if ((revents & POLLNVAL) != 0) {
      std::cerr << "lumiscope-unit: " << port->path() << ": lost\n";
      exit_code = 1;
      break;
    }
    ssize_t got = ::read(port->fd(), buffer.data(), buffer.size());
    if (got > 0) {
      events.clear();
      decoder.feed(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(got)), events);
      for (const Event& event : events) emit(event, now);
      continue;
    }
    int error = got < 0 ? errno : 0;
    if (got < 0 && (error == EINTR || (error == EAGAIN && (revents & (POLLHUP | POLLERR)) == 0))) continue;
    if (port->pseudo_terminal()) {
      hung_up = true;
      continue;
    }
    if (got == 0 && !port->terminal()) break;  // a file or FIFO came to its end
    std::cerr << "lumiscope-unit: " << port->path() << ": "
              << (got == 0 ? std::string("hung up") : std::string(std::strerror(error))) << '\n';
    exit_code = 1;
    break;
  }

  if (auto rest = decoder.finish(); rest && std::cout) emit(*rest, LedDisplay::Clock::now());
  display.finish();
  if (!std::cout) return 1;
  return exit_code;
}

}  // namespace
}  // namespace lumi::unit

int main(int argc, char** argv) {
  using namespace lumi::unit;
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string error;
  std::optional<Options> options = parse_options(args, error);
  if (!options) {
    std::cerr << "lumiscope-unit: " << error << '\n' << usage_text();
    return 2;
  }
  if (options->help) {
    std::cout << usage_text();
    return 0;
  }
  try {
    return run(*options);
  } catch (const std::exception& failure) {
    std::cout.flush();
    std::cerr << "lumiscope-unit: " << failure.what() << '\n';
    return 1;
  }
}

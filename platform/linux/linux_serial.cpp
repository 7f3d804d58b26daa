#include "platform/linux/linux_serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <optional>
#include <string>
#include <utility>

#include "platform/linux/linux_system.h"
#include "platform/linux/proc_file.h"
#include "platform/linux/serial_line.h"
#include "platform/linux/serial_mode.h"
#include "platform/linux/terminal_guard.h"

namespace lumi::platform::linux_backend {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Nothing may hold the loop thread longer than this; Windows' "no time-out" (0) too
// is taken as this bound.
constexpr int64_t kLongestWaitMs = 2000;

// Windows bounds a write by `timeout` per byte plus `timeout`.
int64_t WriteBoundMs(int32_t timeout_ms, size_t bytes) {
  if (timeout_ms <= 0) return kLongestWaitMs;
  int64_t bound =
      static_cast<int64_t>(timeout_ms) * (static_cast<int64_t>(std::min<size_t>(bytes, 1u << 20)) + 1);
  return std::min(bound, kLongestWaitMs);
}

int64_t MsLeft(SteadyClock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return std::max<int64_t>(left, 0);
}

bool HungUp(int fd) {
  pollfd probe{fd, POLLOUT, 0};
  int ready = poll(&probe, 1, 0);
  if (ready < 0) return errno != EINTR;
  return (probe.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// Where the port was found at open: the link a port map points with, and what it held.
struct PortSource {
  std::string path;
  std::string link;  // empty when `path` is no link
};

class LinuxSerialPort final : public SerialPort {
 public:
  LinuxSerialPort(int fd, int32_t timeout_ms, PortSource source, const SavedLine& found)
      : fd_(fd), timeout_ms_(timeout_ms), source_(std::move(source)), found_(found) {}

  ~LinuxSerialPort() override {
    // close() of a serial port waits, up to half a minute, for queued bytes to leave.
    // Give them the time a write may take, then drop the rest, so closing is bounded.
    int pending = 1;
    const bool line_up = !HungUp(fd_);
    if (healthy_ && line_up && ioctl(fd_, TIOCOUTQ, &pending) == 0 && pending > 0) {
      auto deadline = SteadyClock::now() +
                      std::chrono::milliseconds(WriteBoundMs(timeout_ms_, static_cast<size_t>(pending)));
      while (pending > 0 && MsLeft(deadline) > 0) {
        poll(nullptr, 0, 1);
        if (ioctl(fd_, TIOCOUTQ, &pending) != 0) break;
      }
    }
    // Only when something is left: on a pseudo-terminal the bytes already handed over
    // wait in the other side's input, and a flush would take them back unread.
    if (pending > 0) tcflush(fd_, TCOFLUSH);
    if (line_up) found_.Restore(fd_);
    close(fd_);
  }

  std::optional<size_t> Write(std::string_view bytes) override {
    if (!healthy_) return std::nullopt;
    if (bytes.empty()) {
      if (HungUp(fd_)) return Fail();
      return 0;
    }
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(WriteBoundMs(timeout_ms_, bytes.size()));
    size_t done = 0;
    while (done < bytes.size()) {
      // A terminal never raises SIGPIPE; only character devices are ever opened.
      ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (written > 0) {
        done += static_cast<size_t>(written);
        continue;
      }
      if (written < 0 && errno == EINTR) continue;
      if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return Fail();
      int64_t left = MsLeft(deadline);
      if (left <= 0) break;
      pollfd wait{fd_, POLLOUT, 0};
      int ready = poll(&wait, 1, static_cast<int>(left));
      if (ready < 0 && errno != EINTR) return Fail();
      if (ready > 0 && (wait.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return Fail();
    }
    // A time-out is no failure: Windows reports the bytes that went, as here.
    return done;
  }

  // A port map link pointed elsewhere meanwhile makes the port stale too: the frames
  // must go where the map says, not to a device that merely still lives.
  bool IsHealthy() override {
    if (healthy_ && (HungUp(fd_) || ReadLink(source_.path) != source_.link)) healthy_ = false;
    return healthy_;
  }

 private:
  std::optional<size_t> Fail() {
    healthy_ = false;
    return std::nullopt;
  }

  int fd_;
  int32_t timeout_ms_;
  PortSource source_;
  SavedLine found_;
  bool healthy_ = true;
};

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A ttyS node exists for every port the kernel reserved; only a known UART type means
// hardware answered the probe.
bool HasUart(const std::string& type_file) {
  std::string text;
  if (!ReadWholeFile(type_file, text)) return false;
  int type = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), type);
  return error == std::errc() && end != text.data() && type != 0;
}

// Unix98 pseudo-terminal slaves, and the old BSD ones.
bool IsPseudoTerminal(dev_t device) {
  unsigned int group = major(device);
  return (group >= 136 && group <= 143) || group == 3;
}

}  // namespace

LinuxSerial::LinuxSerial(std::string executable_folder, std::string system_root)
    : folder_(std::move(executable_folder)), root_(std::move(system_root)) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
  while (!root_.empty() && root_.back() == '/') root_.pop_back();
}

std::string LinuxSerial::DevicePath(int32_t number) const {
  if (number <= 0) return {};
  if (!folder_.empty() && IsFolder(folder_ + "ports")) return folder_ + "ports/COM" + std::to_string(number);
  if (number <= 32) {
    std::string name = "ttyS" + std::to_string(number - 1);
    if (!HasUart(root_ + "/sys/class/tty/" + name + "/type")) return {};
    return root_ + "/dev/" + name;
  }
  if (number <= 64) return root_ + "/dev/ttyUSB" + std::to_string(number - 33);
  if (number <= 96) return root_ + "/dev/ttyACM" + std::to_string(number - 65);
  return {};
}

// Opening some character devices acts by itself (a watchdog starts its count-down),
// so a device sysfs files under another class is never opened. Pseudo-terminals have
// no sysfs entry; for them the terminal check after opening decides.
bool LinuxSerial::IsTerminalDevice(uint64_t device) const {
  std::string link = root_ + "/sys/dev/char/" + std::to_string(major(device)) + ":" +
                     std::to_string(minor(device)) + "/subsystem";
  char target[512];
  ssize_t length = readlink(link.c_str(), target, sizeof target);
  if (length < 0) return true;
  std::string_view subsystem(target, static_cast<size_t>(length));
  return subsystem == "tty" || (subsystem.size() > 4 && subsystem.substr(subsystem.size() - 4) == "/tty");
}

std::unique_ptr<SerialPort> LinuxSerial::Open(int32_t number, std::string_view mode_text,
                                              int32_t timeout_ms) {
  std::optional<SerialMode> mode = ParseSerialMode(mode_text);
  if (!mode) return nullptr;
  std::string path = DevicePath(number);
  if (path.empty()) return nullptr;

  // Read before the device is opened: a link changed in between counts as changed.
  PortSource source{path, ReadLink(path)};
  struct stat before {};
  if (stat(path.c_str(), &before) != 0 || !S_ISCHR(before.st_mode)) return nullptr;
  if (!IsTerminalDevice(before.st_rdev) || IsTerminalAlias(before.st_rdev)) return nullptr;
  if (IsSessionTerminal(before.st_rdev)) return nullptr;

  // Non-blocking: neither the open nor a write may wait for a carrier or a full line.
  // Opening a terminal with O_NOCTTY changes nothing about it.
  int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat opened {};
  pid_t session = 0;
  if (fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode) || opened.st_rdev != before.st_rdev ||
      ioctl(fd, TIOCGSID, &session) == 0) {
    // The last check catches our own controlling terminal even where /proc hides it.
    close(fd);
    return nullptr;
  }
  // The lock keeps out a second copy of this program and every other program that
  // locks its ports, and the kernel lets go of it however the program ends. The
  // terminal's exclusive flag is not used: it stays on a pseudo-terminal after a
  // killed holder, keeping every later start out until the device is recreated.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return nullptr;
  }
  SavedLine found;
  if (!found.Save(fd) || !ApplyLine(fd, *mode, IsPseudoTerminal(opened.st_rdev))) {
    found.Restore(fd);
    close(fd);
    return nullptr;
  }
  return std::make_unique<LinuxSerialPort>(fd, timeout_ms, std::move(source), found);
}

}  // namespace lumi::platform::linux_backend

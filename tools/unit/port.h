#pragma once

#include <memory>
#include <string>

#include "tools/unit/line.h"

namespace lumi::unit {

class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : fd_(other.release()) {}
  Fd& operator=(Fd&& other) noexcept;
  ~Fd();

  int get() const { return fd_; }
  int release();
  void reset(int fd = -1);

 private:
  int fd_ = -1;
};

// Where the unit listens. Every failure to open throws std::runtime_error with a
// message for the user.
class Port {
 public:
  // A fresh pseudo-terminal, raw. A descriptor of the slave is kept open for the whole
  // run: a writer that opens, writes and closes the slave again and again (the port
  // scan does) would otherwise leave the master hung up between its opens.
  static std::unique_ptr<Port> open_pseudo_terminal(unsigned baud);
  // A serial device, raw at the given speed (8N1); its settings are put back when the
  // port is destroyed. A path that is not a terminal (a FIFO, a file) is read as it is.
  static std::unique_ptr<Port> open_device(const std::string& path, unsigned baud);

  Port(const Port&) = delete;
  Port& operator=(const Port&) = delete;
  ~Port();

  int fd() const { return fd_.get(); }
  const std::string& path() const { return path_; }
  bool pseudo_terminal() const { return slave_.get() >= 0; }
  bool terminal() const { return terminal_; }

 private:
  Port() = default;

  Fd fd_;
  Fd slave_;
  std::string path_;
  bool terminal_ = false;
  SavedLine saved_;
};

// PATH made a symlink to a target while the object lives. An old symlink at PATH is
// replaced atomically; anything else there is left alone and reported. At the end the
// link is removed only while it still points to our target, so a second unit that took
// the name over keeps it.
class SymlinkGuard {
 public:
  SymlinkGuard(std::string path, std::string target);
  SymlinkGuard(const SymlinkGuard&) = delete;
  SymlinkGuard& operator=(const SymlinkGuard&) = delete;
  ~SymlinkGuard();

 private:
  std::string path_;
  std::string target_;
};

}  // namespace lumi::unit

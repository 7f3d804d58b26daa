#include "tools/unit/port.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lumi::unit {

namespace {

std::runtime_error failure(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

Fd& Fd::operator=(Fd&& other) noexcept {
  if (this != &other) reset(other.release());
  return *this;
}

Fd::~Fd() { reset(); }

int Fd::release() {
  int fd = fd_;
  fd_ = -1;
  return fd;
}

void Fd::reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

std::unique_ptr<Port> Port::open_pseudo_terminal(unsigned baud) {
  std::unique_ptr<Port> port(new Port());
  port->fd_.reset(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (port->fd_.get() < 0) throw failure("cannot open a pseudo-terminal");
  if (grantpt(port->fd_.get()) != 0) throw failure("grantpt");
  if (unlockpt(port->fd_.get()) != 0) throw failure("unlockpt");
  char name[256];
  if (ptsname_r(port->fd_.get(), name, sizeof name) != 0) throw failure("ptsname");
  port->path_ = name;
  port->slave_.reset(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (port->slave_.get() < 0) throw failure("cannot open " + port->path_);
  std::string error;
  // Raw on the slave side: the writer's LF must not turn into CR LF on its way to us.
  if (!set_raw_line(port->slave_.get(), baud, error)) throw std::runtime_error(port->path_ + ": " + error);
  int flags = fcntl(port->fd_.get(), F_GETFL);
  if (flags < 0 || fcntl(port->fd_.get(), F_SETFL, flags | O_NONBLOCK) != 0) throw failure("fcntl");
  port->terminal_ = true;
  return port;
}

std::unique_ptr<Port> Port::open_device(const std::string& path, unsigned baud) {
  std::unique_ptr<Port> port(new Port());
  port->path_ = path;
  // Non-blocking so that a modem line without carrier does not hold the open.
  port->fd_.reset(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (port->fd_.get() < 0 && (errno == EACCES || errno == EISDIR || errno == EROFS)) {
    port->fd_.reset(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  }
  if (port->fd_.get() < 0) throw failure("cannot open " + path);
  struct stat info {};
  if (fstat(port->fd_.get(), &info) != 0) throw failure(path);
  if (S_ISDIR(info.st_mode)) throw std::runtime_error(path + ": is a folder");
  port->terminal_ = isatty(port->fd_.get()) != 0;
  if (port->terminal_) {
    save_line(port->fd_.get(), port->saved_);
    std::string error;
    if (!set_raw_line(port->fd_.get(), baud, error)) throw std::runtime_error(path + ": " + error);
  }
  return port;
}

Port::~Port() {
  if (fd_.get() >= 0 && saved_.valid) restore_line(fd_.get(), saved_);
}

SymlinkGuard::SymlinkGuard(std::string path, std::string target)
    : path_(std::move(path)), target_(std::move(target)) {
  struct stat info {};
  if (lstat(path_.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
    throw std::runtime_error(path_ + " exists and is not a symlink; not replaced");
  }
  // A new name first, then rename over the old link: the path never goes missing.
  std::string temporary = path_ + ".new." + std::to_string(getpid());
  ::unlink(temporary.c_str());
  if (symlink(target_.c_str(), temporary.c_str()) != 0) throw failure("cannot create " + temporary);
  if (rename(temporary.c_str(), path_.c_str()) != 0) {
    auto error = failure("cannot create " + path_);
    ::unlink(temporary.c_str());
    throw error;
  }
}

SymlinkGuard::~SymlinkGuard() {
  char buffer[4096];
  ssize_t length = readlink(path_.c_str(), buffer, sizeof buffer);
  if (length >= 0 && std::string(buffer, static_cast<std::size_t>(length)) == target_) {
    ::unlink(path_.c_str());
  }
}

}  // namespace lumi::unit

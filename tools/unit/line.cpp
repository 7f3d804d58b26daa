#include "tools/unit/line.h"

// The kernel's own terminal structures (termios2, BOTHER) clash with <termios.h>, so
// this file alone talks to the line.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>

namespace lumi::unit {

namespace {

static_assert(sizeof(termios2) <= sizeof(SavedLine::data));

struct SpeedCode {
  unsigned baud;
  tcflag_t code;
};

constexpr SpeedCode kSpeedCodes[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

tcflag_t speed_code(unsigned baud) {
  for (const SpeedCode& entry : kSpeedCodes) {
    if (entry.baud == baud) return entry.code;
  }
  return BOTHER;
}

}  // namespace

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
  termios2 line{};
  if (ioctl(fd, TCGETS2, &line) != 0) {
    error = std::string("not a terminal: ") + std::strerror(errno);
    return false;
  }
  line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                         IXOFF | IXANY | INPCK);
  line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  line.c_cflag |= CS8 | CREAD | CLOCAL;
  line.c_cc[VMIN] = 1;
  line.c_cc[VTIME] = 0;
  line.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  line.c_cflag |= speed_code(baud);
  line.c_ospeed = baud;
  line.c_ispeed = baud;
  if (ioctl(fd, TCSETS2, &line) != 0) {
    error = std::string("cannot set the line: ") + std::strerror(errno);
    return false;
  }
  // Drivers answer a speed they cannot do by keeping another one, not by an error.
  termios2 kept{};
  if (ioctl(fd, TCGETS2, &kept) != 0) {
    error = std::string("cannot read the line back: ") + std::strerror(errno);
    return false;
  }
  unsigned long long got = kept.c_ispeed;
  unsigned long long wanted = baud;
  unsigned long long difference = got > wanted ? got - wanted : wanted - got;
  if (difference * 100 > wanted * 3) {
    error =
        "the driver does not take " + std::to_string(baud) + " baud (it kept " + std::to_string(got) + ")";
    return false;
  }
  return true;
}

}  // namespace lumi::unit

#include "platform/linux/serial_line.h"

// The kernel's own terminal structures (termios2, BOTHER); never with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cstdlib>
#include <cstring>

namespace lumi::platform::linux_backend {

namespace {

struct SpeedCode {
  int32_t baud;
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

// Old drivers know only the classic codes, so those go as codes; anything else asks
// for the rate itself.
tcflag_t SpeedCodeFor(int32_t baud) {
  for (const SpeedCode& entry : kSpeedCodes) {
    if (entry.baud == baud) return entry.code;
  }
  return BOTHER;
}

tcflag_t SizeBits(int data_bits) {
  switch (data_bits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

bool SpeedClose(speed_t got, int32_t wanted) {
  int64_t difference = static_cast<int64_t>(got) - wanted;
  return std::llabs(difference) * 100 <= static_cast<int64_t>(wanted) * 3;
}

}  // namespace

uint32_t LineControlFlags(const SerialMode& mode, uint32_t current) {
  tcflag_t flags = current;
  flags &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  flags |= SizeBits(mode.data_bits) | CREAD | CLOCAL;
  switch (mode.parity) {
    case 'O': flags |= PARENB | PARODD; break;
    case 'E': flags |= PARENB; break;
    case 'M': flags |= PARENB | CMSPAR | PARODD; break;
    case 'S': flags |= PARENB | CMSPAR; break;
    default: break;
  }
  // With 5 data bits the same flag gives 1.5 stop bits.
  if (mode.stop != StopBits::One) flags |= CSTOPB;
  if (mode.cts_flow) flags |= CRTSCTS;
  return flags;
}

bool ApplyLine(int fd, const SerialMode& mode, bool pseudo_terminal) {
  if (mode.baud <= 0) return false;
  struct termios2 line {};
  if (ioctl(fd, TCGETS2, &line) != 0) return false;

  line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                         IXOFF | IXANY);
  line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  line.c_cflag = LineControlFlags(mode, line.c_cflag);
  line.c_cc[VMIN] = 1;
  line.c_cc[VTIME] = 0;
  // Input at the output speed: the input speed field left at zero.
  line.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  line.c_cflag |= SpeedCodeFor(mode.baud);
  line.c_ospeed = static_cast<speed_t>(mode.baud);
  line.c_ispeed = static_cast<speed_t>(mode.baud);
  if (ioctl(fd, TCSETS2, &line) != 0) return false;

  // Drivers answer an unsupported setting by keeping another one, not by an error.
  struct termios2 kept {};
  if (ioctl(fd, TCGETS2, &kept) != 0) return false;
  if ((kept.c_iflag & (IXON | IXOFF)) != 0) return false;
  if ((kept.c_oflag & OPOST) != 0) return false;
  if ((kept.c_lflag & (ICANON | ECHO | ISIG)) != 0) return false;
  tcflag_t checked = CSTOPB | CRTSCTS | CLOCAL | PARODD | CMSPAR;
  if (!pseudo_terminal) checked |= CSIZE | PARENB;
  if ((kept.c_cflag & checked) != (line.c_cflag & checked)) return false;
  return SpeedClose(kept.c_ospeed, mode.baud);
}

static_assert(sizeof(termios2) <= 64);

bool SavedLine::Save(int fd) {
  struct termios2 line {};
  saved_ = ioctl(fd, TCGETS2, &line) == 0;
  if (saved_) std::memcpy(settings_.data(), &line, sizeof line);
  return saved_;
}

void SavedLine::Restore(int fd) const {
  if (!saved_) return;
  struct termios2 line {};
  std::memcpy(&line, settings_.data(), sizeof line);
  ioctl(fd, TCSETS2, &line);
}

}  // namespace lumi::platform::linux_backend

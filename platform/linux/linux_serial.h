#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/serial.h"

namespace lumi::platform::linux_backend {

// Serial ports by their Windows numbers.
//
// When the folder "ports/" exists in the program's folder it is the whole map: COM n
// is the device the link "ports/COMn" points to (a pseudo-terminal, or a stable
// /dev/serial/by-id/... name). Without it, COM1..COM32 are /dev/ttyS0..31 (a node
// counts only when the kernel found a UART behind it), COM33..COM64 are
// /dev/ttyUSB0..31 and COM65..COM96 are /dev/ttyACM0..31. COM 0 and every other
// number never open.
//
// Only terminal character devices open, and only by one program at a time, as a
// Windows port opens unshared (an flock on the open port, which every other program
// that locks its ports respects and which ends with the process, however it ends). A
// terminal that is somebody's (a session's controlling terminal, or an alias such as
// /dev/tty) never opens. A port gives the line back with the settings it had when it
// was opened, and counts as unhealthy once its port map link points elsewhere.
class LinuxSerial final : public Serial {
 public:
  // `system_root` is put in front of /dev and /sys in the default table; tests give
  // a folder of their own.
  explicit LinuxSerial(std::string executable_folder, std::string system_root = {});

  std::unique_ptr<SerialPort> Open(int32_t number, std::string_view mode, int32_t timeout_ms) override;

  // The device COM `number` stands for, or empty when the number is not mapped.
  std::string DevicePath(int32_t number) const;

 private:
  bool IsTerminalDevice(uint64_t device) const;

  std::string folder_;
  std::string root_;
};

}  // namespace lumi::platform::linux_backend

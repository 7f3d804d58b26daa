#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/serial.h"

namespace lumi::platform::windows_backend {

// COM ports as Windows opens them ("\\.\COMn", so numbers above 9 work too), unshared,
// set up from the mode text by BuildCommDCBA.
class WindowsSerial final : public Serial {
 public:
  // A write time-out of 0 means "wait for ever" to Windows; a unit that stopped
  // reading must not hold the program, so no write waits longer than this.
  static constexpr int32_t kLongestWriteMs = 2000;

  std::unique_ptr<SerialPort> Open(int32_t number, std::string_view mode, int32_t timeout_ms) override;
};

}  // namespace lumi::platform::windows_backend

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace lumi::platform {

// An open serial line. Closing is destroying it.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Writes all bytes, bounded by the time-out given at open. Answers the number of
  // bytes the system took, or nothing when the write failed; a failed write or a
  // hang-up leaves the port unhealthy, and it should be closed.
  virtual std::optional<size_t> Write(std::string_view bytes) = 0;
  virtual bool IsHealthy() = 0;
};

class Serial {
 public:
  virtual ~Serial() = default;
  // Opens port COM `number` with a Windows mode text ("baud=9600 parity=N data=8
  // stop=1 octs=off") and a time-out in milliseconds. Nothing when the port is
  // missing or busy, or when the line refuses the settings.
  virtual std::unique_ptr<SerialPort> Open(int32_t number, std::string_view mode, int32_t timeout_ms) = 0;
};

}  // namespace lumi::platform

#pragma once

#include <string>
#include <string_view>

#include "platform/sensors.h"

namespace lumi::platform::linux_backend {

// MemTotal, MemAvailable, SwapTotal and SwapFree of a /proc/meminfo text, in bytes.
// Available memory is MemFree where MemAvailable is missing (kernels before 3.14) or
// larger than MemTotal; an available amount never exceeds its total, so a share
// computed from the pair stays within 0..100. A missing or garbled value reads as 0.
MemoryStatus ParseMeminfo(std::string_view text);

class LinuxMemory final : public Memory {
 public:
  explicit LinuxMemory(std::string meminfo_path = "/proc/meminfo");

  MemoryStatus Read() override;

 private:
  std::string path_;
  std::string buffer_;
};

}  // namespace lumi::platform::linux_backend

#pragma once

#include <string>
#include <vector>

#include "platform/sensors.h"

namespace lumi::platform::linux_backend {

// Processor times from /proc/stat, in clock ticks since boot. Processors are numbered
// as the kernel numbers them, so an offline processor keeps its place (as zeros) and
// the count is the highest number + 1; the entry after the last processor is the
// "cpu" line of all of them.
class LinuxProcessors final : public Processors {
 public:
  explicit LinuxProcessors(std::string stat_path = "/proc/stat");

  int32_t Count() override;
  std::vector<ProcessorTimes> Sample() override;

 private:
  std::string path_;
  std::string buffer_;  // kept between samples: /proc/stat is read every work cycle
};

}  // namespace lumi::platform::linux_backend

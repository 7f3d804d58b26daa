#include "platform/linux/linux_processors.h"

#include <utility>

#include "platform/linux/proc_file.h"
#include "platform/linux/proc_stat.h"

namespace lumi::platform::linux_backend {

LinuxProcessors::LinuxProcessors(std::string stat_path) : path_(std::move(stat_path)) {}

int32_t LinuxProcessors::Count() {
  // From the same lines the samples come from, so that this count always selects the
  // total of a sample, even with processors offline.
  std::vector<ProcessorTimes> times = Sample();
  return times.empty() ? 0 : static_cast<int32_t>(times.size() - 1);
}

std::vector<ProcessorTimes> LinuxProcessors::Sample() {
  if (!ReadWholeFile(path_, buffer_)) return {};
  return ParseProcStat(buffer_);
}

}  // namespace lumi::platform::linux_backend

#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/sensors.h"

namespace lumi::platform::linux_backend {

// Processor numbers at or above this are taken for garbage (the kernel's own limit).
inline constexpr int32_t kMaxProcessors = 8192;

// The processor lines of a /proc/stat text: entry N from the line "cpuN", entry n from
// the "cpu" line, where n is the highest N + 1. A processor without a line (offline)
// reads as zeros, and so does a field that is missing or not a number. Idle and iowait
// count as idle time; steal counts as busy, since the processor was not ours to use;
// guest and guest_nice are left out, the kernel already counts them in user and nice.
// Without a "cpu" line the total is the sum of the processors. Empty when the text has
// no processor line at all.
std::vector<ProcessorTimes> ParseProcStat(std::string_view text);

}  // namespace lumi::platform::linux_backend

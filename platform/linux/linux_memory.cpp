#include "platform/linux/linux_memory.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "platform/linux/proc_file.h"

namespace lumi::platform::linux_backend {
namespace {

// The value of a "Name:   1234 kB" line, in bytes. The file states every amount in
// kilobytes.
std::optional<uint64_t> KilobytesToBytes(std::string_view value) {
  size_t start = value.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  value.remove_prefix(start);
  uint64_t kilobytes = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), kilobytes);
  if (error != std::errc() || end == value.data()) return std::nullopt;
  std::string_view unit = value.substr(static_cast<size_t>(end - value.data()));
  size_t unit_start = unit.find_first_not_of(" \t");
  unit = unit_start == std::string_view::npos ? std::string_view() : unit.substr(unit_start);
  while (!unit.empty() && (unit.back() == ' ' || unit.back() == '\t' || unit.back() == '\r')) {
    unit.remove_suffix(1);
  }
  if (!unit.empty() && unit != "kB") return std::nullopt;
  return SaturatingMultiply(kilobytes, 1024);
}

}  // namespace

MemoryStatus ParseMeminfo(std::string_view text) {
  std::optional<uint64_t> total, available, free, swap_total, swap_free;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view name = line.substr(0, colon);
    std::optional<uint64_t>* slot = name == "MemTotal"       ? &total
                                    : name == "MemAvailable" ? &available
                                    : name == "MemFree"      ? &free
                                    : name == "SwapTotal"    ? &swap_total
                                    : name == "SwapFree"     ? &swap_free
                                                             : nullptr;
    if (slot == nullptr || slot->has_value()) continue;
    *slot = KilobytesToBytes(line.substr(colon + 1));
  }
  MemoryStatus status;
  status.total_physical = total.value_or(0);
  uint64_t avail = available && *available <= status.total_physical ? *available : free.value_or(0);
  status.available_physical = std::min(avail, status.total_physical);
  status.total_swap = swap_total.value_or(0);
  status.available_swap = std::min(swap_free.value_or(0), status.total_swap);
  return status;
}

LinuxMemory::LinuxMemory(std::string meminfo_path) : path_(std::move(meminfo_path)) {}

MemoryStatus LinuxMemory::Read() {
  if (!ReadWholeFile(path_, buffer_)) return {};
  return ParseMeminfo(buffer_);
}

}  // namespace lumi::platform::linux_backend

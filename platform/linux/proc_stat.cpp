#include "platform/linux/proc_stat.h"

#include <charconv>
#include <optional>

#include "platform/linux/proc_file.h"

namespace lumi::platform::linux_backend {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next blank-separated word of `rest`, which is advanced past it.
std::string_view NextWord(std::string_view& rest) {
  size_t start = 0;
  while (start < rest.size() && IsBlank(rest[start])) ++start;
  size_t end = start;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  std::string_view word = rest.substr(start, end - start);
  rest.remove_prefix(end);
  return word;
}

uint64_t ToCounter(std::string_view word) {
  uint64_t value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return 0;
  return value;
}

ProcessorTimes ParseTimes(std::string_view fields) {
  // user nice system idle iowait irq softirq steal (guest guest_nice)
  uint64_t f[8] = {};
  for (uint64_t& value : f) value = ToCounter(NextWord(fields));
  uint64_t busy = 0;
  for (int i : {0, 1, 2, 5, 6, 7}) busy = SaturatingAdd(busy, f[i]);
  uint64_t idle = SaturatingAdd(f[3], f[4]);
  return ProcessorTimes{busy, SaturatingAdd(busy, idle)};
}

// -1 for the "cpu" line, N for "cpuN", nothing for any other line.
std::optional<int32_t> ProcessorNumber(std::string_view label) {
  if (label.substr(0, 3) != "cpu") return std::nullopt;
  std::string_view digits = label.substr(3);
  if (digits.empty()) return -1;
  int32_t n = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (error != std::errc() || end != digits.data() + digits.size() || n < 0 || n >= kMaxProcessors) {
    return std::nullopt;
  }
  return n;
}

}  // namespace

std::vector<ProcessorTimes> ParseProcStat(std::string_view text) {
  std::vector<ProcessorTimes> processors;
  std::vector<bool> seen;
  std::optional<ProcessorTimes> total;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    std::string_view rest = line;
    std::optional<int32_t> number = ProcessorNumber(NextWord(rest));
    if (!number) continue;
    if (*number < 0) {
      if (!total) total = ParseTimes(rest);
      continue;
    }
    size_t k = static_cast<size_t>(*number);
    if (k >= processors.size()) {
      processors.resize(k + 1);
      seen.resize(k + 1);
    }
    if (seen[k]) continue;  // a repeated line is garbage; the first one stands
    seen[k] = true;
    processors[k] = ParseTimes(rest);
  }
  if (processors.empty() && !total) return {};
  if (!total) {
    total.emplace();
    for (const ProcessorTimes& p : processors) {
      total->busy = SaturatingAdd(total->busy, p.busy);
      total->total = SaturatingAdd(total->total, p.total);
    }
  }
  processors.push_back(*total);
  return processors;
}

}  // namespace lumi::platform::linux_backend

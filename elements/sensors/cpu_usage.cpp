#include "elements/sensors/cpu_usage.h"

#include <cmath>
#include <utility>
#include <vector>

#include "platform/sensors.h"
#include "platform/services.h"

namespace lumi {
namespace {

// The process-wide sampler. It is dropped when the last instance goes, so a scheme
// built afterwards starts again from the counters since boot.
struct Sampler {
  int users = 0;
  std::vector<platform::ProcessorTimes> previous;
  std::vector<platform::ProcessorTimes> current;
};

Sampler& TheSampler() {
  static Sampler sampler;
  return sampler;
}

uint64_t Growth(uint64_t before, uint64_t after) { return after >= before ? after - before : 0; }

// The entry of the previous sample that `k` of the current one is compared with. The
// total is always last, so it is paired with the previous total even when the number
// of processors changed between the samples; a processor the previous sample did not
// have is compared with the start of its counters.
platform::ProcessorTimes PreviousOf(const Sampler& s, size_t k) {
  if (s.previous.empty()) return {};
  if (k + 1 == s.current.size()) return s.previous.back();
  if (k + 1 < s.previous.size()) return s.previous[k];
  return {};
}

// Busy share of entry k between the two samples, 0..1. Busy and idle time are taken
// apart so that a counter running backwards (a reset, iowait's known jitter) counts as
// no change of that counter instead of a negative or huge share.
double BusyShare(const Sampler& s, int32_t k) {
  if (k < 0 || static_cast<size_t>(k) >= s.current.size()) return 0.0;
  platform::ProcessorTimes before = PreviousOf(s, static_cast<size_t>(k));
  platform::ProcessorTimes after = s.current[static_cast<size_t>(k)];
  auto idle = [](const platform::ProcessorTimes& t) { return t.total >= t.busy ? t.total - t.busy : 0; };
  long double busy = Growth(before.busy, after.busy);
  long double all = busy + Growth(idle(before), idle(after));
  if (all <= 0) return 0.0;
  return static_cast<double>(busy / all);
}

double RoundHalfEven(double value) {
  double lower = std::floor(value);
  double fraction = value - lower;
  if (fraction > 0.5) return lower + 1;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
}

}  // namespace

TElCPUUsage::TElCPUUsage() { ++TheSampler().users; }

TElCPUUsage::~TElCPUUsage() {
  Sampler& s = TheSampler();
  if (--s.users == 0) {
    s.previous.clear();
    s.current.clear();
  }
}

void TElCPUUsage::SetProcessor(TData& data, uint16_t) { Processor = data.AsInteger(); }

void TElCPUUsage::Measure(TData& data, uint16_t) {
  Sampler& s = TheSampler();
  s.previous = std::move(s.current);
  s.current = platform::Current().processors->Sample();
  double value = BusyShare(s, Processor) * 100.0;
  if (!(value > 0.0)) value = 0.0;
  TailReal(data, OnLoad, RoundHalfEven(value));
}

void TElCPUUsage::OutProcessorCount(TData& data, uint16_t) {
  data.SetInteger(platform::Current().processors->Count());
}

}  // namespace lumi

#include "elements/compute/for_loop.h"

#include <algorithm>
#include <limits>

namespace lumi {

namespace {

int32_t Saturate(int64_t value) {
  constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
  constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(value, kLow, kHigh));
}

}  // namespace

void TElFor::Run(TData& data, uint16_t) {
  if (!PassData) data.SetNull();
  stop_ = false;
  // The index runs in 64 bits: stepping past End = INT32_MAX (or INT32_MIN) must end
  // the loop, not wrap round into it again.
  int64_t i = PullInteger(data, InStart, Start);
  const int64_t end = PullInteger(data, InEnd, End);
  const int64_t step = Step;
  bool stopped = false;
  auto within = [&] {
    if (step > 0) return IncludeEnd ? i <= end : i < end;
    return IncludeEnd ? i >= end : i > end;
  };
  if (step != 0) {
    while (within()) {
      index_ = static_cast<int32_t>(i);
      FireInteger(OnIteration, index_);
      if (stop_) {
        stopped = true;
        break;
      }
      i += step;
    }
  }
  index_ = Saturate(i);
  if (stopped && BreakEvent) {
    TailNull(data, OnBreak);
  } else {
    TailInteger(data, OnStop, index_);
  }
}

void TElFor::Stop(TData&, uint16_t) { stop_ = true; }

void TElFor::OutIndex(TData& result, uint16_t) { result.SetInteger(index_); }

}  // namespace lumi

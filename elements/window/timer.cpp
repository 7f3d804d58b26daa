#include "elements/window/timer.h"

#include <algorithm>

#include "platform/services.h"

namespace lumi {

TElTimer::~TElTimer() { StopPlatformTimer(); }

void TElTimer::StartPlatformTimer() {
  loop_ = platform::Current().loop;
  // Raised here as well as in the loop: a 0 ms timer would spin whatever loop hosts it.
  const uint32_t period =
      AtIdle ? platform::EventLoop::kIdle : std::max(interval_ms_, platform::EventLoop::kMinimumIntervalMs);
  timer_ = loop_->StartTimer(period, [this] { Tick(); });
}

void TElTimer::StopPlatformTimer() {
  if (loop_ != nullptr) loop_->StopTimer(timer_);
  loop_ = nullptr;
  timer_ = 0;
}

void TElTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    StartPlatformTimer();
  } else {
    StopPlatformTimer();
  }
}

void TElTimer::SetIntervalMs(uint32_t ms) {
  if (ms == interval_ms_) return;
  interval_ms_ = ms;
  if (!enabled_) return;
  StopPlatformTimer();
  StartPlatformTimer();
}

void TElTimer::SetAutoStop(int32_t ticks) {
  AutoStop = ticks;
  remaining_ = ticks;
}

void TElTimer::Start(TData&, uint16_t) {
  remaining_ = AutoStop;
  SetEnabled(true);
}

void TElTimer::Stop(TData& data, uint16_t) {
  SetEnabled(false);
  TailNull(data, OnStop);
}

void TElTimer::SetInterval(TData& data, uint16_t) {
  const int32_t ms = data.AsInteger();
  SetIntervalMs(ms < 0 ? platform::EventLoop::kMinimumIntervalMs : static_cast<uint32_t>(ms));
}

void TElTimer::Tick() {
  if (++depth_ > 1) {
    // A tick further up the stack is still being handled: it picks this one up when
    // its pass ends, or this one is lost.
    if (!QueueTicks) --depth_;
    return;
  }
  do {
    if (remaining_ >= 0) --remaining_;
    const bool last = remaining_ == 0;
    FireNull(OnTimer);
    if (last) {
      depth_ = 0;
      SetEnabled(false);
      FireNull(OnStop);
    }
    if (depth_ > 0) --depth_;
  } while (depth_ != 0);
}

}  // namespace lumi

#pragma once

#include <cstdint>

#include "platform/event_loop.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Fires OnTimer periodically on the loop thread, optionally stopping itself after
// AutoStop ticks, and guards against a tick arriving while the previous one is still
// being handled (an OnTimer chain that pumps messages).
//
// The platform timer lives on platform::Current().loop as it was when the timer was
// enabled; that loop must outlive the element.
class TElTimer : public TElement {
 public:
  TElTimer() = default;
  ~TElTimer() override;

  int32_t AutoStop = 0;  // stop after this many ticks of a run; 0 = never
  bool QueueTicks = false;
  // Ticks as soon as the loop has handled what is pending instead of after Interval:
  // a step that lets the window breathe without sleeping.
  bool AtIdle = false;
  TEl_Event OnTimer;
  TEl_Event OnStop;

  // Properties. Changing the interval of an enabled timer restarts the period from
  // now; setting the interval or the enabled flag it already has does nothing.
  void SetIntervalMs(uint32_t ms);
  void SetEnabled(bool enabled);
  void SetAutoStop(int32_t ticks);  // also reloads the countdown

  uint32_t IntervalMs() const { return interval_ms_; }
  bool IsEnabled() const { return enabled_; }
  int32_t Remaining() const { return remaining_; }

  // Actions.
  void Start(TData& data, uint16_t index);  // reloads the countdown, then enables
  void Stop(TData& data, uint16_t index);   // disables, then fires OnStop
  // The incoming value read as an integer. A negative one cannot be a period and is
  // taken as the shortest the platform allows; 0 is kept but never ticks faster than
  // that either.
  void SetInterval(TData& data, uint16_t index);

  // Called by the platform timer.
  void Tick();

 private:
  void StartPlatformTimer();
  void StopPlatformTimer();

  int32_t depth_ = 0;      // ticks being handled or waiting
  int32_t remaining_ = 0;  // ticks left before the automatic stop; < 0: none pending
  uint32_t interval_ms_ = 1000;
  bool enabled_ = false;
  platform::EventLoop* loop_ = nullptr;
  platform::EventLoop::TimerId timer_ = 0;
};

}  // namespace lumi

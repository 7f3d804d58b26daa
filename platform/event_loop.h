#pragma once

#include <cstdint>
#include <functional>

namespace lumi::platform {

// The one loop that runs the program: timers tick on it, and work from other threads
// is posted to it.
class EventLoop {
 public:
  using TimerId = uint32_t;  // 0 is never a timer
  // Windows never ticks faster than every 10 ms; neither do we, so an interval of 0
  // cannot spin the loop.
  static constexpr uint32_t kMinimumIntervalMs = 10;

  virtual ~EventLoop() = default;

  // Calls `tick` on the loop thread every `interval_ms` until stopped; the first tick
  // comes one interval from now.
  virtual TimerId StartTimer(uint32_t interval_ms, std::function<void()> tick) = 0;
  // Stopping a timer that is not running does nothing; after this returns its tick is
  // never called again, even from within a tick.
  virtual void StopTimer(TimerId id) = 0;

  // Runs `task` on the loop thread soon. Callable from any thread.
  virtual void Post(std::function<void()> task) = 0;

  // Runs until Quit; Quit may be called from a tick or a posted task.
  virtual void Run() = 0;
  virtual void Quit() = 0;

  // Milliseconds on a monotonic clock.
  virtual int64_t NowMs() = 0;

  // What to do when another start of this program asks this one to bring its window
  // forward (the later start then ends). Runs on the loop thread; an empty handler
  // forgets the previous one.
  void SetShowRequestHandler(std::function<void()> handler) { show_request_ = std::move(handler); }

 protected:
  void ShowRequested() {
    if (show_request_) show_request_();
  }

 private:
  std::function<void()> show_request_;
};

}  // namespace lumi::platform

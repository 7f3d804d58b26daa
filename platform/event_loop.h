#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace lumi::platform {

// The one loop that runs the program: timers tick on it, and work from other threads
// is posted to it.
class EventLoop {
 public:
  using TimerId = uint32_t;  // 0 is never a timer
  // Windows never ticks faster than every 10 ms; neither does a timer here, but for
  // one of interval 0 (kIdle).
  static constexpr uint32_t kMinimumIntervalMs = 10;
  // The interval of a timer that ticks as soon as the loop has handled what is pending,
  // and again at each later turn of the loop, without sleeping in between: a step that
  // yields to the loop. A timer that stops itself in its tick runs once.
  static constexpr uint32_t kIdle = 0;

  virtual ~EventLoop() = default;

  // Calls `tick` on the loop thread every `interval_ms` (kIdle, or at least
  // kMinimumIntervalMs) until stopped; the first tick comes one interval from now.
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

  // Calls `ready` on the loop thread whenever `fd` has something to read (`priority`:
  // an exceptional condition instead, as a changed mount table signals it), so that a
  // change is learnt of without looking for it at every use. False where the loop
  // cannot watch descriptors: the caller then looks for itself. One watch per
  // descriptor; it ends with Unwatch or with the loop.
  virtual bool Watch(int /*fd*/, bool /*priority*/, std::function<void()> /*ready*/) { return false; }
  virtual void Unwatch(int /*fd*/) {}

  // From now on an end asked of the program from outside (Ctrl-C, its terminal gone,
  // a request to terminate) ends Run cleanly, and a later start's show request reaches
  // the handler below. False where the loop cannot (another loop owns them).
  virtual bool QuitOnSignals() { return false; }

  // What to do when another start of this program asks this one to bring its window
  // forward (the later start then ends). Runs on the loop thread; an empty handler
  // forgets the previous one.
  void SetShowRequestHandler(std::function<void()> handler) { show_request_ = std::move(handler); }

  // What must be done before the process may go: the program's own ending, which
  // EndNow runs early. Runs on the loop thread; an empty handler forgets the previous one.
  void SetEndingHandler(std::function<void()> handler) { ending_ = std::move(handler); }
  // The system ends the program and does not wait for Run to return (Windows ends the
  // process once the windows have answered the end of the session): Run is asked to
  // return, and the ending has run, once, when this returns.
  void EndNow() {
    Quit();
    if (std::function<void()> ending = std::exchange(ending_, nullptr)) ending();
  }

 protected:
  void ShowRequested() {
    if (show_request_) show_request_();
  }

 private:
  std::function<void()> show_request_;
  std::function<void()> ending_;
};

}  // namespace lumi::platform

#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/event_loop.h"
#include "platform/loop_signals.h"

class QObject;
class QTimer;

namespace lumi::platform::qt_backend {

// The program's loop on the Qt event loop. Make it after the QApplication, on the
// thread that runs it; only Post and Quit may be called from other threads.
class QtEventLoop final : public EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;
  QtEventLoop(const QtEventLoop&) = delete;
  QtEventLoop& operator=(const QtEventLoop&) = delete;

  TimerId StartTimer(uint32_t interval_ms, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
  void Post(std::function<void()> task) override;
  // A Quit that came before Run makes Run return at once.
  void Run() override;
  void Quit() override;
  int64_t NowMs() override;

  // From now on SIGINT and SIGTERM end Run cleanly instead of killing the process; the
  // previous handlers come back with the loop's end. False when they could not be
  // taken over.
  bool QuitOnSignals() override;
  bool Watch(int fd, bool priority, std::function<void()> ready) override;
  void Unwatch(int fd) override;

  size_t RunningTimers() const { return timers_.size(); }

 private:
  // Owns the timers and receives the posted tasks; gone with the loop, so tasks
  // posted to a destroyed loop are dropped.
  std::unique_ptr<QObject> context_;
  std::map<TimerId, QTimer*> timers_;
  std::vector<QTimer*> idle_timers_;  // stopped, ready for the next start
  TimerId last_id_ = 0;
  std::atomic<bool> running_ = false;
  std::atomic<bool> quit_requested_ = false;
  std::map<int, QObject*> watched_;  // the notifier of each watched descriptor
  int signal_fd_ = -1;               // written by the signal handler, watched by the loop
  LoopSignals signals_;
};

}  // namespace lumi::platform::qt_backend

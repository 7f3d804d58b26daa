#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <tuple>
#include <vector>

#include "platform/event_loop.h"
#include "platform/loop_signals.h"

namespace lumi::platform::headless {

// The real loop of the headless program: poll(2) on an eventfd that Post writes, with
// the timers kept in due order on the steady clock.
//
// Timers keep their rhythm (each due time is the previous one plus the interval) but
// never catch up after a stall: periods missed while the thread was busy are skipped,
// as the desktop's own timers do. Timers are started and stopped on the loop thread;
// only Post may be called from elsewhere.
class PollLoop final : public EventLoop {
 public:
  PollLoop();
  ~PollLoop() override;
  PollLoop(const PollLoop&) = delete;
  PollLoop& operator=(const PollLoop&) = delete;

  TimerId StartTimer(uint32_t interval_ms, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
  void Post(std::function<void()> task) override;
  bool Watch(int fd, bool priority, std::function<void()> ready) override;
  void Unwatch(int fd) override;

  // Runs until Quit (callable from any thread). A Quit that came before Run (say from start-up code that
  // closes the program at once) makes Run return straight away.
  void Run() override;
  void Quit() override;
  int64_t NowMs() override;

  // From now on SIGINT, SIGTERM and SIGHUP end Run cleanly instead of killing the
  // process, and SIGUSR1 is a show request.
  // One loop at a time owns them; the previous handlers come back when it is
  // destroyed. Returns false when the signals could not be taken over.
  bool QuitOnSignals() override;

  using Clock = std::chrono::steady_clock;
  // The tick after the one due at `due`, handled at `now`: one interval on, or, after
  // a stall, the first moment of the rhythm that is still ahead.
  static Clock::time_point NextDue(Clock::time_point due, std::chrono::milliseconds interval,
                                   Clock::time_point now);

 private:
  struct Timer {
    std::chrono::milliseconds interval;
    Clock::time_point due;
    uint64_t order;
    std::function<void()> tick;
  };
  // Due time, then start order, then id: the first entry is the next tick.
  using DueKey = std::tuple<Clock::time_point, uint64_t, TimerId>;

  void FireDueTimers();
  void RunPosted();
  int PollTimeoutMs();
  void WaitForWork();

  int wake_fd_ = -1;    // written by Post
  int signal_fd_ = -1;  // written by the signal handler
  LoopSignals signals_;

  TimerId last_id_ = 0;
  uint64_t last_order_ = 0;
  std::map<TimerId, std::shared_ptr<Timer>> timers_;
  std::set<DueKey> due_order_;
  std::atomic<bool> quit_ = false;  // Quit also works from another thread

  struct Watched {
    int fd;
    bool priority;
    std::shared_ptr<std::function<void()>> ready;  // alive while it runs, even unwatched
  };
  std::vector<Watched> watched_;

  std::mutex posted_mutex_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace lumi::platform::headless

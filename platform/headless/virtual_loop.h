#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/event_loop.h"

namespace lumi::platform::headless {

// A loop for tests: time stands still until the test moves it. Every tick runs at its
// own virtual moment, so NowMs() inside a tick reads exactly when that tick was due.
//
// A tick may move time itself (AdvanceBy from within a tick, as an OnTimer chain that
// pumps messages would): the ticks due in that nested span fire inside the nested call,
// the ticking timer's own next tick included.
class VirtualLoop final : public EventLoop {
 public:
  // Run() gives up after this many callbacks, so a test whose timers never quit
  // still ends.
  static constexpr uint64_t kDefaultRunLimit = 1'000'000;

  VirtualLoop() = default;
  VirtualLoop(const VirtualLoop&) = delete;
  VirtualLoop& operator=(const VirtualLoop&) = delete;

  TimerId StartTimer(uint32_t interval_ms, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
  void Post(std::function<void()> task) override;
  // Descriptors are real even where time is not: each turn looks at them without
  // waiting, as the real loop's poll does between two ticks.
  bool Watch(int fd, bool priority, std::function<void()> ready) override;
  void Unwatch(int fd) override;

  // Moves time to the next due timer again and again until Quit, until nothing is
  // due and nothing is posted, or until the run limit is reached. A Quit that came
  // before Run makes it return at once.
  void Run() override;
  void Quit() override;
  int64_t NowMs() override { return now_ms_; }

  // Fires every timer due up to the target moment in due order (ties in start order),
  // running posted tasks before each tick and once more at the end. A moment in the
  // past moves nothing but still runs posted tasks.
  void AdvanceBy(int64_t ms);
  // One turn of the loop: what was posted, then the one timer due first up to
  // `limit_ms` (time moves to its moment). False when none was due.
  bool Turn(int64_t limit_ms);
  // Another start of the program asks for the window, as a signal would on a real loop.
  void RequestShow() { ShowRequested(); }
  void AdvanceTo(int64_t moment_ms);
  // Runs posted tasks (and what they post) only; time does not move. Answers how many
  // ran.
  size_t RunPending();

  // For tests that look at the timers themselves.
  bool IsRunning(TimerId id) const { return timers_.count(id) != 0; }
  size_t RunningTimers() const { return timers_.size(); }
  std::optional<uint32_t> IntervalOf(TimerId id) const;
  std::optional<int64_t> NextDueMs() const;

  void SetRunLimit(uint64_t callbacks) { run_limit_ = callbacks; }

 private:
  struct Timer {
    uint32_t interval_ms;
    int64_t due_ms;
    uint64_t order;  // start order, breaks ties between timers due at one moment
    std::function<void()> tick;
  };

  // Fires the earliest timer due at or before `limit_ms`; false when none is.
  bool FireNext(int64_t limit_ms);
  void PollWatched();

  struct Watched {
    int fd;
    bool priority;
    std::shared_ptr<std::function<void()>> ready;
  };
  std::vector<Watched> watched_;
  std::optional<std::function<void()>> TakePosted();

  int64_t now_ms_ = 0;
  TimerId last_id_ = 0;
  uint64_t last_order_ = 0;
  std::map<TimerId, std::shared_ptr<Timer>> timers_;
  bool quit_ = false;
  uint64_t run_limit_ = kDefaultRunLimit;

  std::mutex posted_mutex_;  // Post is callable from any thread
  std::deque<std::function<void()>> posted_;
};

}  // namespace lumi::platform::headless

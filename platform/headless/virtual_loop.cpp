#include "platform/headless/virtual_loop.h"

#ifndef _WIN32
#include <poll.h>
#endif

#include <algorithm>
#include <limits>
#include <utility>

namespace lumi::platform::headless {
namespace {

constexpr int64_t kEndOfTime = std::numeric_limits<int64_t>::max();

// Moments are far from the end of int64, but a test may ask for "forever".
int64_t SaturatingAdd(int64_t a, int64_t b) { return a > kEndOfTime - b ? kEndOfTime : a + b; }

}  // namespace

EventLoop::TimerId VirtualLoop::StartTimer(uint32_t interval_ms, std::function<void()> tick) {
  auto timer = std::make_shared<Timer>();
  timer->interval_ms = interval_ms == kIdle ? kIdle : std::max(interval_ms, kMinimumIntervalMs);
  timer->due_ms = SaturatingAdd(now_ms_, timer->interval_ms);
  timer->order = ++last_order_;
  timer->tick = std::move(tick);
  // Ids wrap only after four billion timers; skip 0 and any id still in use.
  do ++last_id_;
  while (last_id_ == 0 || timers_.count(last_id_) != 0);
  timers_.emplace(last_id_, std::move(timer));
  return last_id_;
}

void VirtualLoop::StopTimer(TimerId id) { timers_.erase(id); }

void VirtualLoop::Post(std::function<void()> task) {
  std::lock_guard lock(posted_mutex_);
  posted_.push_back(std::move(task));
}

void VirtualLoop::Quit() { quit_ = true; }

std::optional<std::function<void()>> VirtualLoop::TakePosted() {
  std::lock_guard lock(posted_mutex_);
  if (posted_.empty()) return std::nullopt;
  std::function<void()> task = std::move(posted_.front());
  posted_.pop_front();
  return task;
}

bool VirtualLoop::Watch(int fd, bool priority, std::function<void()> ready) {
  // Windows has no descriptors to poll; callers look for changes themselves there.
  constexpr bool kCanPoll =
#ifdef _WIN32
      false;
#else
      true;
#endif
  if (!kCanPoll || fd < 0 || !ready) return false;
  Unwatch(fd);
  watched_.push_back({fd, priority, std::make_shared<std::function<void()>>(std::move(ready))});
  return true;
}

void VirtualLoop::Unwatch(int fd) {
  std::erase_if(watched_, [fd](const Watched& w) { return w.fd == fd; });
}

void VirtualLoop::PollWatched() {
  if (watched_.empty()) return;
#ifndef _WIN32
  std::vector<pollfd> fds;
  for (const Watched& w : watched_)
    fds.push_back({w.fd, static_cast<short>(w.priority ? POLLPRI : POLLIN), 0});
  if (poll(fds.data(), fds.size(), 0) <= 0) return;
  for (const pollfd& ready : fds) {
    if (ready.revents == 0) continue;
    auto it =
        std::find_if(watched_.begin(), watched_.end(), [&](const Watched& w) { return w.fd == ready.fd; });
    if (it == watched_.end()) continue;
    const std::shared_ptr<std::function<void()>> call = it->ready;
    (*call)();
  }
#endif
}

size_t VirtualLoop::RunPending() {
  PollWatched();
  size_t ran = 0;
  while (ran < run_limit_) {
    auto task = TakePosted();
    if (!task) break;
    if (*task) (*task)();
    ++ran;
  }
  return ran;
}

bool VirtualLoop::FireNext(int64_t limit_ms) {
  std::shared_ptr<Timer> next;
  for (const auto& [id, timer] : timers_) {
    if (timer->due_ms > limit_ms) continue;
    if (!next || timer->due_ms < next->due_ms ||
        (timer->due_ms == next->due_ms && timer->order < next->order))
      next = timer;
  }
  if (!next) return false;
  now_ms_ = std::max(now_ms_, next->due_ms);
  // Rescheduled before the tick, so a tick that moves time itself meets its own next
  // tick inside that nested span. `next` keeps the callback alive should the tick
  // stop its own timer.
  next->due_ms = SaturatingAdd(next->due_ms, next->interval_ms);
  // An idle timer takes its turn after every other timer due at this moment.
  if (next->interval_ms == kIdle) next->order = ++last_order_;
  if (next->tick) next->tick();
  return true;
}

bool VirtualLoop::Turn(int64_t limit_ms) {
  RunPending();
  return FireNext(limit_ms);
}

void VirtualLoop::AdvanceBy(int64_t ms) { AdvanceTo(SaturatingAdd(now_ms_, std::max<int64_t>(ms, 0))); }

void VirtualLoop::AdvanceTo(int64_t moment_ms) {
  // An idle timer that never stops would keep virtual time from moving: bounded.
  size_t ticks = 0;
  do RunPending();
  while (FireNext(moment_ms) && ++ticks < run_limit_);
  // A nested advance may already have gone further than this one asked.
  now_ms_ = std::max(now_ms_, moment_ms);
}

void VirtualLoop::Run() {
  uint64_t callbacks = 0;
  while (!quit_ && callbacks < run_limit_) {
    if (auto task = TakePosted()) {
      if (*task) (*task)();
    } else if (!FireNext(kEndOfTime)) {
      break;
    }
    ++callbacks;
  }
  quit_ = false;
}

std::optional<uint32_t> VirtualLoop::IntervalOf(TimerId id) const {
  auto it = timers_.find(id);
  if (it == timers_.end()) return std::nullopt;
  return it->second->interval_ms;
}

std::optional<int64_t> VirtualLoop::NextDueMs() const {
  std::optional<int64_t> due;
  for (const auto& [id, timer] : timers_) {
    if (!due || timer->due_ms < *due) due = timer->due_ms;
  }
  return due;
}

}  // namespace lumi::platform::headless

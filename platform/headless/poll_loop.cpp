#include "platform/headless/poll_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <system_error>
#include <utility>

namespace lumi::platform::headless {
namespace {

int NewEventFd() { return eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK); }

void Signal(int fd) {
  const uint64_t one = 1;
  if (write(fd, &one, sizeof one) < 0) {
    // EAGAIN only when the counter is near overflow: the loop is woken anyway.
  }
}

void Drain(int fd) {
  uint64_t count = 0;
  while (read(fd, &count, sizeof count) > 0) {
  }
}

}  // namespace

PollLoop::PollLoop() {
  wake_fd_ = NewEventFd();
  if (wake_fd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

PollLoop::~PollLoop() {
  signals_.Release();
  if (signal_fd_ >= 0) close(signal_fd_);
  close(wake_fd_);
}

EventLoop::TimerId PollLoop::StartTimer(uint32_t interval_ms, std::function<void()> tick) {
  auto timer = std::make_shared<Timer>();
  timer->interval =
      std::chrono::milliseconds(interval_ms == kIdle ? kIdle : std::max(interval_ms, kMinimumIntervalMs));
  timer->due = Clock::now() + timer->interval;
  timer->order = ++last_order_;
  timer->tick = std::move(tick);
  do ++last_id_;
  while (last_id_ == 0 || timers_.count(last_id_) != 0);
  due_order_.emplace(timer->due, timer->order, last_id_);
  timers_.emplace(last_id_, std::move(timer));
  return last_id_;
}

void PollLoop::StopTimer(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  due_order_.erase(DueKey{it->second->due, it->second->order, id});
  timers_.erase(it);
}

void PollLoop::Post(std::function<void()> task) {
  {
    std::lock_guard lock(posted_mutex_);
    posted_.push_back(std::move(task));
  }
  Signal(wake_fd_);
}

void PollLoop::Quit() {
  quit_ = true;
  Signal(wake_fd_);
}

int64_t PollLoop::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

void PollLoop::Run() {
  while (!quit_) {
    FireDueTimers();
    if (quit_) break;
    RunPosted();
    if (quit_) break;
    WaitForWork();
  }
  quit_ = false;
}

void PollLoop::FireDueTimers() {
  // Every timer is rescheduled past `now` before it ticks, and timers started by a
  // tick are due later still, so this pass ends even if ticks keep starting timers.
  const Clock::time_point now = Clock::now();
  while (!quit_ && !due_order_.empty()) {
    const auto [due, order, id] = *due_order_.begin();
    if (due > now) break;
    due_order_.erase(due_order_.begin());
    std::shared_ptr<Timer> timer = timers_.at(id);  // alive even if its tick stops it

    const Clock::time_point next = NextDue(due, timer->interval, now);
    timer->due = next;
    due_order_.emplace(next, order, id);

    if (timer->tick) timer->tick();
  }
}

PollLoop::Clock::time_point PollLoop::NextDue(Clock::time_point due, std::chrono::milliseconds interval,
                                              Clock::time_point now) {
  // An idle timer ticks once per turn of the loop: due again just past this pass, so
  // the loop polls (and handles what waits) before its next tick.
  if (interval.count() == 0) return now + Clock::duration(1);
  const Clock::time_point next = due + interval;
  if (next > now) return next;
  return due + ((now - due) / interval + 1) * interval;
}

void PollLoop::RunPosted() {
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(posted_mutex_);
    batch.swap(posted_);
  }
  while (!batch.empty()) {
    std::function<void()> task = std::move(batch.front());
    batch.pop_front();
    if (task) task();
    if (quit_) break;
  }
  if (batch.empty()) return;
  // Quit came first: keep what is left, in order, for a later Run.
  std::lock_guard lock(posted_mutex_);
  while (!batch.empty()) {
    posted_.push_front(std::move(batch.back()));
    batch.pop_back();
  }
}

int PollLoop::PollTimeoutMs() {
  {
    std::lock_guard lock(posted_mutex_);
    if (!posted_.empty()) return 0;
  }
  if (due_order_.empty()) return -1;
  const auto wait =
      std::chrono::ceil<std::chrono::milliseconds>(std::get<0>(*due_order_.begin()) - Clock::now());
  if (wait.count() <= 0) return 0;
  return wait.count() > INT_MAX ? INT_MAX : static_cast<int>(wait.count());
}

bool PollLoop::Watch(int fd, bool priority, std::function<void()> ready) {
  if (fd < 0 || !ready) return false;
  Unwatch(fd);
  watched_.push_back({fd, priority, std::make_shared<std::function<void()>>(std::move(ready))});
  return true;
}

void PollLoop::Unwatch(int fd) {
  std::erase_if(watched_, [fd](const Watched& w) { return w.fd == fd; });
}

void PollLoop::WaitForWork() {
  std::vector<pollfd> fds = {{wake_fd_, POLLIN, 0}, {signal_fd_, POLLIN, 0}};
  const size_t first_watched = fds.size();
  for (const Watched& w : watched_)
    fds.push_back({w.fd, static_cast<short>(w.priority ? POLLPRI : POLLIN), 0});
  if (!signals_.Owned()) fds[1].fd = -1;                           // poll skips negative descriptors
  if (poll(fds.data(), fds.size(), PollTimeoutMs()) <= 0) return;  // time-out, or EINTR: look again
  if (fds[0].revents & POLLIN) Drain(wake_fd_);
  if (fds[1].revents & POLLIN) {
    Drain(signal_fd_);
    const LoopSignals::Pending pending = LoopSignals::TakePending();
    if (pending.show) ShowRequested();
    if (pending.quit) quit_ = true;
  }
  // The handlers may watch and unwatch: each is found again by its descriptor.
  for (size_t i = first_watched; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    auto it =
        std::find_if(watched_.begin(), watched_.end(), [&](const Watched& w) { return w.fd == fds[i].fd; });
    if (it == watched_.end()) continue;
    const std::shared_ptr<std::function<void()>> ready = it->ready;
    (*ready)();
  }
}

bool PollLoop::QuitOnSignals() {
  if (signal_fd_ < 0) signal_fd_ = NewEventFd();
  return signals_.Take(signal_fd_);
}

}  // namespace lumi::platform::headless

#include "platform/qt/qt_event_loop.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <limits>

namespace lumi::platform::qt_backend {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

QtEventLoop::~QtEventLoop() {
  signals_.Release();
  context_.reset();  // the context takes its timers and the notifier along
  if (signal_fd_ >= 0) close(signal_fd_);
}

bool QtEventLoop::QuitOnSignals() {
  if (signals_.Owned()) return true;
  if (signal_fd_ < 0) signal_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (!signals_.Take(signal_fd_)) return false;
  auto* notifier = new QSocketNotifier(signal_fd_, QSocketNotifier::Read, context_.get());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this] {
    uint64_t count = 0;
    [[maybe_unused]] ssize_t taken = read(signal_fd_, &count, sizeof count);
    const LoopSignals::Pending pending = LoopSignals::TakePending();
    if (pending.show) ShowRequested();
    if (pending.quit) Quit();
  });
  return true;
}

bool QtEventLoop::Watch(int fd, bool priority, std::function<void()> ready) {
  if (fd < 0 || !ready) return false;
  Unwatch(fd);
  auto* notifier =
      new QSocketNotifier(fd, priority ? QSocketNotifier::Exception : QSocketNotifier::Read, context_.get());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [ready = std::move(ready)] { ready(); });
  watched_[fd] = notifier;
  return true;
}

void QtEventLoop::Unwatch(int fd) {
  auto it = watched_.find(fd);
  if (it == watched_.end()) return;
  // Not deleted here: Unwatch may come from the notifier's own handler.
  it->second->deleteLater();
  static_cast<QSocketNotifier*>(it->second)->setEnabled(false);
  watched_.erase(it);
}

EventLoop::TimerId QtEventLoop::StartTimer(uint32_t interval_ms, std::function<void()> tick) {
  TimerId id = ++last_id_;
  if (id == 0) id = ++last_id_;  // after wrapping round, 0 still names no timer
  // Stopped timers are kept for the next start: the work cycle starts and stops a
  // one-shot step timer for every channel, and a new timer each time, deleted later,
  // would cost the idle program more than its own work.
  QTimer* timer = nullptr;
  if (!idle_timers_.empty()) {
    timer = idle_timers_.back();
    idle_timers_.pop_back();
  } else {
    timer = new QTimer(context_.get());
    // Precise, so that a 10 ms step is not stretched to the coarse timers' 5 % slack.
    timer->setTimerType(Qt::PreciseTimer);
  }
  const uint32_t interval = interval_ms == kIdle ? kIdle
                                                 : std::clamp<uint32_t>(interval_ms, kMinimumIntervalMs,
                                                                        std::numeric_limits<int>::max());
  timer->setInterval(static_cast<int>(interval));
  // The tick is held by the connection; Qt keeps it alive while it runs, even when its
  // own StopTimer disconnects it.
  QObject::connect(timer, &QTimer::timeout, timer, [tick = std::move(tick)] { tick(); });
  timers_.emplace(id, timer);
  timer->start();
  return id;
}

void QtEventLoop::StopTimer(TimerId id) {
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  QTimer* timer = found->second;
  timers_.erase(found);
  timer->stop();
  timer->disconnect();
  idle_timers_.push_back(timer);
}

void QtEventLoop::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(context_.get(), std::move(task), Qt::QueuedConnection);
}

void QtEventLoop::Run() {
  running_ = true;
  if (!quit_requested_.exchange(false)) QCoreApplication::exec();
  running_ = false;
  quit_requested_ = false;
}

void QtEventLoop::Quit() {
  quit_requested_ = true;
  if (!running_) return;  // Run sees the request when it starts
  // Queued, so that a Quit from another thread, or one just before the loop starts
  // waiting, is not lost; whoever takes the request first acts on it.
  QMetaObject::invokeMethod(
      context_.get(),
      [this] {
        if (quit_requested_.exchange(false)) QCoreApplication::exit(0);
      },
      Qt::QueuedConnection);
}

int64_t QtEventLoop::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace lumi::platform::qt_backend

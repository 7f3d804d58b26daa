#include "platform/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <limits>

namespace lumi::platform::qt_backend {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

QtEventLoop::~QtEventLoop() = default;  // the context takes its timers along

EventLoop::TimerId QtEventLoop::StartTimer(uint32_t interval_ms, std::function<void()> tick) {
  TimerId id = ++last_id_;
  if (id == 0) id = ++last_id_;  // after wrapping round, 0 still names no timer
  auto* timer = new QTimer(context_.get());
  // Precise, so that a 10 ms step is not stretched to the coarse timers' 5 % slack.
  timer->setTimerType(Qt::PreciseTimer);
  const uint32_t interval =
      std::clamp<uint32_t>(interval_ms, kMinimumIntervalMs, std::numeric_limits<int>::max());
  timer->setInterval(static_cast<int>(interval));
  // The tick is held by the connection, which survives its own StopTimer until the
  // tick returns.
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
  // A timer stopped from its own tick is still running that tick: it goes once the
  // loop is back.
  timer->disconnect();
  timer->deleteLater();
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

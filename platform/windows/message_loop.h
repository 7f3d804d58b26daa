#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/event_loop.h"

struct HWND__;

namespace lumi::platform::windows_backend {

// The Win32 message loop of the program's thread: timers are SetTimer timers of a
// message-only window, Post is a posted message to it, and a later start's show
// request is a registered message to it. A timer of interval kIdle ticks whenever the
// queue has been emptied, without sleeping in between. Everything but Post and Quit
// runs on the thread that made the loop.
class MessageLoop final : public EventLoop {
 public:
  MessageLoop();
  ~MessageLoop() override;
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  TimerId StartTimer(uint32_t interval_ms, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
  void Post(std::function<void()> task) override;
  // A Quit that came before Run makes Run return at once.
  void Run() override;
  void Quit() override;
  int64_t NowMs() override;
  // Ctrl-C, Ctrl-Break, closing the console, logging off and shutting down end Run
  // cleanly; for the last three Windows waits (a few seconds) until the program has
  // ended.
  bool QuitOnSignals() override;

  // Handles one message or idle step; for tests that drive the loop themselves.
  // Answers false when nothing was there to do.
  bool RunOnce();

 private:
  static intptr_t __stdcall WindowProcedure(HWND__* window, unsigned message, uintptr_t wparam,
                                            intptr_t lparam);
  void Tick(TimerId id);
  void RunPosted();
  void RunIdleTimers();
  bool HasIdleTimers() const;

  HWND__* window_ = nullptr;
  unsigned show_message_ = 0;
  TimerId last_id_ = 0;
  struct Timer {
    uint32_t interval_ms;
    std::function<void()> tick;
  };
  std::map<TimerId, std::shared_ptr<Timer>> timers_;
  std::atomic<bool> quit_ = false;
  std::mutex posted_mutex_;
  std::deque<std::function<void()>> posted_;
  bool owns_console_events_ = false;
};

}  // namespace lumi::platform::windows_backend

#include "platform/windows/message_loop.h"

#include "platform/windows/show_request.h"
#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

constexpr UINT kPostedMessage = WM_APP + 1;

// The loop that console events end; they arrive on a thread of their own.
std::atomic<MessageLoop*> console_loop = nullptr;
// Set when that loop has finished, so that a console close waits for the clean end.
HANDLE loop_ended = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  MessageLoop* loop = console_loop.load();
  if (loop == nullptr) return FALSE;
  loop->Quit();
  // Windows ends the process as soon as this returns for these events.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    WaitForSingleObject(loop_ended, 4000);
  }
  return TRUE;
}

void RegisterWindowClass() {
  static const bool registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = reinterpret_cast<WNDPROC>(&DefWindowProcA);
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kLoopWindowClass;
    return RegisterClassA(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

MessageLoop::MessageLoop() {
  RegisterWindowClass();
  show_message_ = RegisterWindowMessageA(kShowRequestMessage);
  window_ = CreateWindowExA(0, kLoopWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (window_ != nullptr) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageLoop::WindowProcedure));
  }
}

MessageLoop::~MessageLoop() {
  if (owns_console_events_) {
    console_loop = nullptr;
    SetEvent(loop_ended);
  }
  if (window_ != nullptr) {
    for (const auto& [id, timer] : timers_) KillTimer(window_, id);
    DestroyWindow(window_);
  }
}

intptr_t __stdcall MessageLoop::WindowProcedure(HWND window, unsigned message, uintptr_t wparam,
                                                intptr_t lparam) {
  auto* loop = reinterpret_cast<MessageLoop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (loop != nullptr) {
    if (message == WM_TIMER) {
      loop->Tick(static_cast<TimerId>(wparam));
      return 0;
    }
    if (message == kPostedMessage) {
      loop->RunPosted();
      return 0;
    }
    if (message == loop->show_message_ && message != 0) {
      loop->ShowRequested();
      return 0;
    }
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

EventLoop::TimerId MessageLoop::StartTimer(uint32_t interval_ms, std::function<void()> tick) {
  const TimerId id = ++last_id_;
  timers_[id] = std::make_shared<Timer>(Timer{interval_ms, std::move(tick)});
  if (interval_ms != kIdle) {
    SetTimer(window_, id, interval_ms < kMinimumIntervalMs ? kMinimumIntervalMs : interval_ms, nullptr);
  }
  return id;
}

void MessageLoop::StopTimer(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  if (it->second->interval_ms != kIdle) KillTimer(window_, id);
  timers_.erase(it);
}

void MessageLoop::Tick(TimerId id) {
  auto it = timers_.find(id);
  // A WM_TIMER already queued when its timer was stopped.
  if (it == timers_.end()) return;
  const std::shared_ptr<Timer> timer = it->second;
  timer->tick();
}

void MessageLoop::Post(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> lock(posted_mutex_);
    posted_.push_back(std::move(task));
  }
  PostMessageA(window_, kPostedMessage, 0, 0);
}

void MessageLoop::RunPosted() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard<std::mutex> lock(posted_mutex_);
      if (posted_.empty()) return;
      task = std::move(posted_.front());
      posted_.pop_front();
    }
    task();
    if (quit_) return;
  }
}

bool MessageLoop::HasIdleTimers() const {
  for (const auto& [id, timer] : timers_) {
    if (timer->interval_ms == kIdle) return true;
  }
  return false;
}

void MessageLoop::RunIdleTimers() {
  std::vector<TimerId> idle;
  for (const auto& [id, timer] : timers_) {
    if (timer->interval_ms == kIdle) idle.push_back(id);
  }
  for (TimerId id : idle) {
    if (quit_) return;
    Tick(id);
  }
}

bool MessageLoop::RunOnce() {
  MSG message{};
  if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit_ = true;
      return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
  }
  if (HasIdleTimers()) {
    RunIdleTimers();
    return true;
  }
  return false;
}

void MessageLoop::Run() {
  while (!quit_) {
    if (RunOnce()) continue;
    if (quit_) break;
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  quit_ = false;
}

void MessageLoop::Quit() {
  quit_ = true;
  // Wakes the loop when it waits.
  PostMessageA(window_, kPostedMessage, 0, 0);
}

int64_t MessageLoop::NowMs() { return static_cast<int64_t>(GetTickCount64()); }

bool MessageLoop::QuitOnSignals() {
  MessageLoop* none = nullptr;
  if (!console_loop.compare_exchange_strong(none, this)) return console_loop.load() == this;
  if (loop_ended == nullptr) loop_ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!SetConsoleCtrlHandler(&OnConsoleEvent, TRUE)) {
    console_loop = nullptr;
    return false;
  }
  owns_console_events_ = true;
  return true;
}

}  // namespace lumi::platform::windows_backend

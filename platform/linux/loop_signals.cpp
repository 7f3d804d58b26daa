#include "platform/loop_signals.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>

namespace lumi::platform {
namespace {

constexpr std::array<int, 4> kSignals = {SIGINT, SIGTERM, SIGHUP, SIGUSR1};

// The handler has nothing to talk to but these, and may only write to them.
std::atomic<int> g_signal_fd{-1};
std::atomic<bool> g_quit{false};
std::atomic<bool> g_show{false};
std::array<struct sigaction, kSignals.size()> g_previous;

void OnSignal(int number) {
  const int saved_errno = errno;
  (number == SIGUSR1 ? g_show : g_quit).store(true);
  const int fd = g_signal_fd.load();
  if (fd >= 0) {
    const uint64_t one = 1;
    if (write(fd, &one, sizeof one) < 0) {
      // Nothing to do: the counter is already set, or the loop is going away.
    }
  }
  errno = saved_errno;
}

}  // namespace

bool LoopSignals::Take(int fd) {
  if (owned_) return true;
  int free_slot = -1;
  if (fd < 0 || !g_signal_fd.compare_exchange_strong(free_slot, fd)) return false;

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) {
    if (sigaction(kSignals[i], &action, &g_previous[i]) != 0) {
      while (i-- > 0) sigaction(kSignals[i], &g_previous[i], nullptr);
      g_signal_fd = -1;
      return false;
    }
  }
  owned_ = true;
  return true;
}

void LoopSignals::Release() {
  if (!owned_) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &g_previous[i], nullptr);
  g_signal_fd = -1;
  owned_ = false;
}

LoopSignals::Pending LoopSignals::TakePending() { return {g_quit.exchange(false), g_show.exchange(false)}; }

void LoopSignals::IgnoreShowRequests() { signal(SIGUSR1, SIG_IGN); }

}  // namespace lumi::platform

#include "platform/linux/quit_signals.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

namespace lumi::platform::linux_backend {
namespace {

// The handler has nothing to talk to but this descriptor, and may only write to it.
std::atomic<int> g_signal_fd{-1};
struct sigaction g_previous_int;
struct sigaction g_previous_term;

void OnQuitSignal(int) {
  const int saved_errno = errno;
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

bool QuitSignals::Take(int fd) {
  if (owned_) return true;
  int free_slot = -1;
  if (fd < 0 || !g_signal_fd.compare_exchange_strong(free_slot, fd)) return false;

  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  if (sigaction(SIGINT, &action, &g_previous_int) != 0) {
    g_signal_fd = -1;
    return false;
  }
  if (sigaction(SIGTERM, &action, &g_previous_term) != 0) {
    sigaction(SIGINT, &g_previous_int, nullptr);
    g_signal_fd = -1;
    return false;
  }
  owned_ = true;
  return true;
}

void QuitSignals::Release() {
  if (!owned_) return;
  sigaction(SIGINT, &g_previous_int, nullptr);
  sigaction(SIGTERM, &g_previous_term, nullptr);
  g_signal_fd = -1;
  owned_ = false;
}

}  // namespace lumi::platform::linux_backend

#include "platform/linux/linux_resolver.h"

#include <netdb.h>
#include <sys/socket.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>

namespace lumi::platform::linux_backend {

using Clock = std::chrono::steady_clock;

struct LinuxResolver::State {
  std::mutex mutex;
  bool in_flight = false;
  std::optional<Clock::time_point> started;  // of the latest lookup
  std::string answered_host;                 // of the latest finished lookup
  bool resolved = false;
};

bool LinuxResolver::SystemLookup(const std::string& host) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* result = nullptr;
  const int status = getaddrinfo(host.c_str(), nullptr, &hints, &result);
  if (result != nullptr) freeaddrinfo(result);
  return status == 0;
}

LinuxResolver::LinuxResolver(Lookup lookup) : lookup_(std::move(lookup)), state_(std::make_shared<State>()) {}

// Nothing to wait for: a running lookup thread holds its own share of everything.
LinuxResolver::~LinuxResolver() = default;

bool LinuxResolver::Reachable(const std::string& host, int32_t timeout_ms) {
  if (host.empty()) return false;
  std::lock_guard<std::mutex> lock(state_->mutex);
  const Clock::time_point now = Clock::now();
  if (state_->in_flight) {
    if (now - *state_->started > std::chrono::milliseconds(timeout_ms > 0 ? timeout_ms : 0)) return false;
  } else if (!state_->started || now - *state_->started >= std::chrono::milliseconds(kMinimumGapMs)) {
    try {
      std::thread([state = state_, lookup = lookup_, host] {
        bool resolved = false;
        try {
          resolved = lookup && lookup(host);
        } catch (...) {
          resolved = false;
        }
        std::lock_guard<std::mutex> guard(state->mutex);
        state->in_flight = false;
        state->answered_host = host;
        state->resolved = resolved;
      }).detach();
      state_->in_flight = true;
      state_->started = now;
    } catch (...) {
      // No thread (or no memory) to be had: the answer stays as it was.
    }
  }
  return state_->answered_host == host && state_->resolved;
}

}  // namespace lumi::platform::linux_backend

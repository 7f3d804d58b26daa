#include "platform/background_resolver.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>

namespace lumi::platform {

using SteadyClock = std::chrono::steady_clock;

struct BackgroundResolver::State {
  std::mutex mutex;
  bool in_flight = false;
  std::optional<SteadyClock::time_point> started;  // of the latest lookup
  std::string answered_host;                       // of the latest finished lookup
  bool resolved = false;
};

bool BackgroundResolver::SystemLookup(const std::string& host) {
#ifdef _WIN32
  static const bool started = [] {
    WSADATA data{};
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) return false;
#endif
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* result = nullptr;
  const int status = getaddrinfo(host.c_str(), nullptr, &hints, &result);
  if (result != nullptr) freeaddrinfo(result);
  return status == 0;
}

BackgroundResolver::BackgroundResolver(Lookup lookup)
    : lookup_(std::move(lookup)), state_(std::make_shared<State>()) {}

// Nothing to wait for: a running lookup thread holds its own share of everything.
BackgroundResolver::~BackgroundResolver() = default;

bool BackgroundResolver::Reachable(const std::string& host, int32_t timeout_ms) {
  if (host.empty()) return false;
  std::lock_guard<std::mutex> lock(state_->mutex);
  const SteadyClock::time_point now = SteadyClock::now();
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

}  // namespace lumi::platform

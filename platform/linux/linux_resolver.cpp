#include "platform/linux/linux_resolver.h"

#include <netdb.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <thread>

namespace lumi::platform::linux_backend {

struct LinuxResolver::Flight {
  explicit Flight(std::string name) : host(std::move(name)) {}

  const std::string host;
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool resolved = false;

  bool Done() {
    std::lock_guard<std::mutex> lock(mutex);
    return done;
  }
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

LinuxResolver::LinuxResolver(Lookup lookup) : lookup_(std::move(lookup)) {}

// Nothing to wait for: a running lookup thread holds its own share of everything.
LinuxResolver::~LinuxResolver() = default;

std::shared_ptr<LinuxResolver::Flight> LinuxResolver::CurrentFlight(const std::string& host) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (flight_ != nullptr && !flight_->Done()) return flight_;

  auto flight = std::make_shared<Flight>(host);
  try {
    std::thread([flight, lookup = lookup_] {
      bool resolved = false;
      try {
        resolved = lookup && lookup(flight->host);
      } catch (...) {
        resolved = false;
      }
      {
        std::lock_guard<std::mutex> guard(flight->mutex);
        flight->resolved = resolved;
        flight->done = true;
      }
      flight->finished.notify_all();
    }).detach();
  } catch (...) {
    // No thread (or no memory) to be had: no answer this time.
    return nullptr;
  }
  flight_ = flight;
  return flight;
}

bool LinuxResolver::Resolves(const std::string& host, int32_t timeout_ms) {
  if (host.empty()) return false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms > 0 ? timeout_ms : 0);
  for (;;) {
    std::shared_ptr<Flight> flight = CurrentFlight(host);
    if (flight == nullptr) return false;
    {
      std::unique_lock<std::mutex> lock(flight->mutex);
      if (!flight->finished.wait_until(lock, deadline, [&] { return flight->done; })) return false;
      if (flight->host == host) return flight->resolved;
    }
    // The lookup waited for was another name's; ask for ours if time is left.
    if (std::chrono::steady_clock::now() >= deadline) return false;
  }
}

}  // namespace lumi::platform::linux_backend

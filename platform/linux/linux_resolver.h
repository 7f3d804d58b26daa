#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/sensors.h"

namespace lumi::platform::linux_backend {

// Name resolution that never keeps the caller past its bound.
//
// The system resolver may take half a minute to give up, so each lookup runs on a
// thread of its own and the caller waits for it at most `timeout_ms`. Only one lookup
// is ever in flight: a call made while an earlier lookup is still running waits for
// that same lookup (again at most its own bound) instead of starting another, so a
// dead network never piles up threads. A lookup that ends after its callers gave up
// is not reused; the next call asks afresh.
//
// The lookup thread owns everything it touches (a copy of the lookup function, the
// host name and the small record its answer goes to, shared with the resolver), and
// is detached: destroying the resolver while a lookup still runs is safe and does not
// wait for it; the thread ends by itself when the lookup returns.
class LinuxResolver final : public Resolver {
 public:
  // Whether `host` resolves; runs on the lookup thread. An exception reads as "no".
  using Lookup = std::function<bool(const std::string& host)>;

  // getaddrinfo of the name, any address family.
  static bool SystemLookup(const std::string& host);

  explicit LinuxResolver(Lookup lookup = &SystemLookup);
  ~LinuxResolver() override;
  LinuxResolver(const LinuxResolver&) = delete;
  LinuxResolver& operator=(const LinuxResolver&) = delete;

  bool Resolves(const std::string& host, int32_t timeout_ms) override;

 private:
  struct Flight;

  std::shared_ptr<Flight> CurrentFlight(const std::string& host);

  Lookup lookup_;
  std::mutex mutex_;
  std::shared_ptr<Flight> flight_;  // the lookup in flight, or the last one
};

}  // namespace lumi::platform::linux_backend

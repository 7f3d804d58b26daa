#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/sensors.h"

namespace lumi::platform {

// Name resolution that never keeps the caller, on any system.
//
// The system resolver may take half a minute to give up, so each lookup runs on a
// thread of its own and the caller only reads what the latest finished lookup found.
// Only one lookup is ever in flight, so a dead network never piles up threads; one
// that hangs past the caller's bound reads as "not reachable" until it ends.
//
// The lookup thread owns everything it touches (a copy of the lookup function, the
// host name and the record its answer goes to, shared with the resolver), and is
// detached: destroying the resolver while a lookup still runs is safe and does not
// wait for it; the thread ends by itself when the lookup returns.
class BackgroundResolver final : public Resolver {
 public:
  // Whether `host` resolves; runs on the lookup thread. An exception reads as "no".
  using Lookup = std::function<bool(const std::string& host)>;

  // getaddrinfo of the name, any address family (Windows Sockets started once).
  static bool SystemLookup(const std::string& host);

  explicit BackgroundResolver(Lookup lookup = &SystemLookup);
  ~BackgroundResolver() override;
  BackgroundResolver(const BackgroundResolver&) = delete;
  BackgroundResolver& operator=(const BackgroundResolver&) = delete;

  bool Reachable(const std::string& host, int32_t timeout_ms) override;

 private:
  struct State;

  Lookup lookup_;
  std::shared_ptr<State> state_;
};

}  // namespace lumi::platform

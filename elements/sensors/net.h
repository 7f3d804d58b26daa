#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Whether the Internet is reachable, judged by whether a fixed public host name
// resolves.
class TElNET : public TElement {
 public:
  // A name run by a large public DNS service for the very purpose of being looked up;
  // not configurable.
  static constexpr std::string_view kProbeHost = "dns.google";
  // The reading runs on the loop thread, which must never stall for long; a lookup
  // still running then counts as "not reachable".
  static constexpr int32_t kProbeTimeoutMs = 2000;

  // 1 if the probe host resolves, 0 otherwise (no network, no name server, time-out).
  void OutConnected(TData& result, uint16_t index);
};

}  // namespace lumi

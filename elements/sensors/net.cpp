#include "elements/sensors/net.h"

#include <string>

#include "platform/sensors.h"
#include "platform/services.h"

namespace lumi {

void TElNET::OutConnected(TData& result, uint16_t) {
  const bool resolves = platform::Current().resolver->Reachable(std::string(kProbeHost), kProbeTimeoutMs);
  result.SetInteger(resolves ? 1 : 0);
}

}  // namespace lumi

#include "elements/device/application.h"

#include "platform/services.h"
#include "platform/system.h"

namespace lumi {

void TElApplication::OutFileName(TData& result, uint16_t) {
  result.SetString(platform::Current().system->ExecutablePath());
}

}  // namespace lumi

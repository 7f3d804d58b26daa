#include "elements/sensors/win_enum.h"

#include "platform/sensors.h"
#include "platform/services.h"

namespace lumi {

void TElWinEnum::OutForegroundWindow(TData& result, uint16_t) {
  result.SetInteger(platform::Current().keyboard->ForegroundWindow());
}

}  // namespace lumi

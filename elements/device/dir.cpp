#include "elements/device/dir.h"

#include <utility>

#include "platform/services.h"
#include "platform/system.h"

namespace lumi {

void TElDir::OutFolder(TData& result, uint16_t) {
  Text folder = platform::Current().system->SettingsFolder();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  result.SetString(std::move(folder));
}

}  // namespace lumi

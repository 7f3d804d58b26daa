#include "elements/device/enum_process.h"

#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/system.h"

namespace lumi {

void TElEnumProcess::Enum(TData& data, uint16_t) {
  platform::System& system = *platform::Current().system;
  std::vector<std::string> executables =
      EarlierOnly ? system.EarlierProcessExecutables() : system.ProcessExecutables();
  for (const std::string& exe : executables) FireString(OnProcess, exe);
  TailNull(data, OnEnd);
}

}  // namespace lumi

#include "elements/device/file_tools.h"

#include "platform/services.h"
#include "platform/system.h"

namespace lumi {

void TElFileTools::FileExists(TData& data, uint16_t) {
  Text name = PullString(data, InFileName, Text());
  bool exists = !name.empty() && platform::Current().system->KindOf(name) == platform::FileKind::File;
  TailInteger(data, OnExists, exists ? 1 : 0);
}

}  // namespace lumi

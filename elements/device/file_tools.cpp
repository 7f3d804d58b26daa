#include "elements/device/file_tools.h"

#include "platform/services.h"
#include "platform/system.h"

namespace lumi {

void TElFileTools::FileExists(TData& data, uint16_t) {
  Text name = PullString(data, InFileName, Text());
  const platform::FileKind kind =
      name.empty() ? platform::FileKind::Missing : platform::Current().system->KindOf(name);
  const bool exists = kind != platform::FileKind::Missing && kind != platform::FileKind::Folder;
  TailInteger(data, OnExists, exists ? 1 : 0);
}

void TElFileTools::Kind(TData& data, uint16_t) {
  Text name = PullString(data, InFileName, Text());
  const platform::FileKind kind =
      name.empty() ? platform::FileKind::Missing : platform::Current().system->KindOf(name);
  TailInteger(data, OnKind, static_cast<int32_t>(kind));
}

}  // namespace lumi

#include "elements/device/application.h"

#include <cstdint>

#include "platform/message_box.h"
#include "platform/services.h"
#include "platform/system.h"

namespace lumi {

void TElApplication::OutFileName(TData& result, uint16_t) {
  result.SetString(platform::Current().system->ExecutablePath());
}

void TElApplication::ShowRunningCopy(TData& data, uint16_t) {
  const int64_t id = platform::Current().system->ShowRunningCopy();
  if (id <= 0 || id > INT32_MAX) return;
  TailInteger(data, OnRunningCopy, static_cast<int32_t>(id));
}

void TElApplication::Notice(TData& data, uint16_t) {
  const Text text = data.AsString();
  platform::Current().message_box->Notice(text);
  TailString(data, OnNotice, text);
}

}  // namespace lumi

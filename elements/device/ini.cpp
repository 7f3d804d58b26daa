#include "elements/device/ini.h"

#include "elements/support/expand_path.h"
#include "platform/profile.h"
#include "platform/services.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace lumi {

void TElini::Read(TData& data, uint16_t) {
  const Text file = ExpandPath(PullString(data, InFileName, FileName));
  const Text section = PullString(data, InSection, Section);
  const Text key = PullString(data, InKey, Key);
  platform::Profile& profile = *platform::Current().profile;
  if (ValueType == 0) {
    TailInteger(data, OnValue, profile.ReadInteger(file, section, key, 0));
    return;
  }
  Text value = profile.ReadString(file, section, key, Text(), kMaxValueLength);
  // The value is a C string to the rest of the program: it ends at a NUL byte.
  if (size_t nul = value.find('\0'); nul != Text::npos) value.resize(nul);
  TailString(data, OnValue, value);
}

void TElini::Write(TData& data, uint16_t) {
  const Text file = ExpandPath(PullString(data, InFileName, FileName));
  const Text section = PullString(data, InSection, Section);
  const Text value =
      ValueType == 0 ? IntegerToText(PullInteger(data, InValue, 0)) : PullString(data, InValue, Text());
  const Text key = PullString(data, InKey, Key);
  // A failed write is not reported: the value on screen stays until the next read.
  platform::Current().profile->WriteString(file, section, key, value);
}

}  // namespace lumi

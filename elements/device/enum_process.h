#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Lists the running processes by executable file.
class TElEnumProcess : public TElement {
 public:
  // Only this process and those that started before it: a copy of a program asking
  // "am I the second?" then never counts one that started after it.
  bool EarlierOnly = false;

  TEl_Event OnProcess;
  TEl_Event OnEnd;

  // OnProcess with the executable path of every process that can be looked at, then
  // OnEnd with no value. The list is taken whole first, so what the handlers do meanwhile
  // cannot disturb the walk.
  void Enum(TData& data, uint16_t index);
};

}  // namespace lumi

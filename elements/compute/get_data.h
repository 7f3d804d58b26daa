#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Hands what its one input answers to every reader; an unlinked input answers Break,
// so each reader falls back to its own default.
class TElGetData : public TElement {
 public:
  int32_t Count = 0;  // number of OutData points; every one answers alike
  TEl_Event InData;

  void OutData(TData& result, uint16_t index);
};

}  // namespace lumi

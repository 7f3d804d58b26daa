#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Sends a value to the output picked by a number; a number out of range sends nothing.
class TElIndexToChanel : public TElement {
 public:
  int32_t Count = 0;
  TData Data;
  EventArray OnChannel;
  TEl_Event InData;
  TEl_Event InIndex;

  void SetCount(int32_t count);  // sizes OnChannel

  // Pulls the number before the value, so an incoming chain reads (number, value).
  void Route(TData& data, uint16_t index);
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Fans one event out to several outputs, in order.
class TElHub : public TElement {
 public:
  uint8_t InCount = 0;  // only sizes the set of action points
  uint8_t OutCount = 0;
  EventArray OnPass;

  void SetOutCount(uint8_t count);

  // Every output gets its own copy of the incoming value, so what one output's chain
  // does to its value is not seen by the next.
  void Pass(TData& data, uint16_t index);
};

}  // namespace lumi

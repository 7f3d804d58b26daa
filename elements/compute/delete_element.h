#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Cuts characters out of a text.
class TElDelete : public TElement {
 public:
  int32_t Position = 0;  // of the first character cut, from 1
  int32_t Count = 0;
  TEl_Event InCount;
  TEl_Event InPosition;
  TEl_Event InText;
  TEl_Event OnResult;

  // Pulls InText, InPosition, InCount in this order and fires OnResult with the text
  // without characters Position .. Position + Count - 1. A range that runs past the end
  // stops there; a position before the first or after the last character, or a count
  // below 1, leaves the text as it is.
  void Cut(TData& data, uint16_t index);
};

}  // namespace lumi

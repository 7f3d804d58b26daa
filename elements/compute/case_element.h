#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// One arm of a multi-way branch. Arms are chained through OnNext; the first whose
// Value equals the incoming value answers with its own DataOnMatch.
class TElCase : public TElement {
 public:
  TData Value;
  TData DataOnMatch;  // NULL unless set
  TEl_Event OnMatch;
  TEl_Event OnNext;

  // Both outputs fire before returning: OnNext gets the incoming value untouched by
  // this arm's look at it, so the next arm sees the same chain.
  void Test(TData& data, uint16_t index);
};

}  // namespace lumi

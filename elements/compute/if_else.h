#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// A two-way branch: compares two operands and passes the incoming value on to one of
// two outputs.
class TElIf_else : public TElement {
 public:
  // The comparisons Type chooses; the kind (number or text) follows Op1's tag.
  static constexpr uint8_t kEqual = 0;
  static constexpr uint8_t kLess = 1;
  static constexpr uint8_t kGreater = 2;
  static constexpr uint8_t kAtMost = 3;
  static constexpr uint8_t kAtLeast = 4;
  static constexpr uint8_t kNotEqual = 5;

  uint8_t Type = kEqual;
  TData Op1;
  TData Op2;
  TEl_Event OnTrue;
  TEl_Event OnFalse;
  TEl_Event InOp1;
  TEl_Event InOp2;

  // Pulls Op1 before Op2. The branch carries the incoming value as it came in, the
  // whole chain included, even when the operands were taken from that chain.
  void Compare(TData& data, uint16_t index);
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Splits an integer into its bits, least significant first, one output per bit.
class TElIntToBits : public TElement {
 public:
  uint16_t Count = 0;
  TData Zero;
  TData One;
  bool SendZeros = false;
  EventArray OnBit;
  TEl_Event InValue;

  void SetCount(uint16_t count);  // sizes OnBit

  // Every bit fires before the next is looked at; Stop from a listener ends the split
  // after the bit being sent. Bits past the 32 of an integer read as 0.
  void Split(TData& data, uint16_t index);
  void Stop(TData& data, uint16_t index);

 private:
  bool stop_ = false;
};

}  // namespace lumi

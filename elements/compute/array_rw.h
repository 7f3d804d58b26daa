#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Reads one item of an array that another element hands out.
class TElArrayRW : public TElement {
 public:
  TData Index;
  TEl_Event OnRead;
  TEl_Event InIndex;
  TEl_Event InArray;

  // Pulls the array before the index. Nothing fires when there is no array or no such
  // item; the item last read is then kept as it was.
  void Read(TData& data, uint16_t index);
  void OutItem(TData& result, uint16_t index);

 private:
  TData item_;
};

}  // namespace lumi

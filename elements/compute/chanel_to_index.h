#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Turns "which of Count inputs was called" into a number.
class TElChanelToIndex : public TElement {
 public:
  int32_t Count = 0;
  TEl_Event OnIndex;

  void SetCount(int32_t count);

  // Select[i]: sends i; the value that came in is kept.
  void Select(TData& data, uint16_t index);

  const TData& LastValue() const { return last_; }

 private:
  TData last_;
};

}  // namespace lumi

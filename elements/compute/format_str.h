#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Fills the numbered placeholders %1..%Count of a mask; "%%" is a literal "%".
class TElFormatStr : public TElement {
 public:
  Text Mask;
  uint16_t Count = 0;
  EventArray InStr;  // %k reads InStr[k - 1]
  TEl_Event OnFormat;

  void SetCount(uint16_t count);

  // Placeholders are filled in the order 1..Count, one pull each (unlinked points take
  // the incoming values in that order). A placeholder followed by a digit is left for
  // a longer one ("%1" inside "%10"); a value may itself hold a later placeholder,
  // which is then filled too. Bytes 0 and 1 inside values come out as "%" and nothing.
  void Format(TData& data, uint16_t index);

  // The last result (empty before the first Format).
  void OutResult(TData& data, uint16_t index);

 private:
  Text result_;
  // Buffers kept between calls so that a Format in the work cycle does not allocate.
  Text work_;
  Text insert_;
};

}  // namespace lumi

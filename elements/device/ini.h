#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/data.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Reads or writes one value of an ini file. Nothing is kept between operations: every
// Read and Write looks at the file anew, so a value written is seen by the next read of
// any instance, and so is an edit made by hand.
class TElini : public TElement {
 public:
  Text FileName;
  Text Section;
  Text Key;
  uint8_t ValueType = 0;  // 0 = integer, otherwise string

  TEl_Event InFileName;
  TEl_Event InSection;
  TEl_Event InKey;
  TEl_Event InValue;
  TEl_Event OnValue;

  // Pulls file name, section, key; fires OnValue with the value (0 or "" when missing).
  void Read(TData& data, uint16_t index);
  // Pulls file name, section, value, key (the value before the key); fires nothing.
  void Write(TData& data, uint16_t index);

  // The longest string value Read hands on.
  static constexpr size_t kMaxValueLength = 2047;
};

}  // namespace lumi

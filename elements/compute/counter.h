#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Counts between Min and Max in steps, wrapping to the opposite bound.
class TElCounter : public TElement {
 public:
  int32_t Default = 0;  // the count until the first change
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Step = 0;
  uint8_t Direction = 0;  // 0 counts up on Next, anything else down
  TEl_Event OnCount;

  // Next and Prev announce the new count; Reset and SetCount change it silently.
  void Next(TData& data, uint16_t index);
  void Prev(TData& data, uint16_t index);
  void Reset(TData& data, uint16_t index);
  void SetCount(TData& data, uint16_t index);  // takes the incoming value, unchecked
  void OutCount(TData& result, uint16_t index);

  int32_t Value() const { return changed_ ? count_ : Default; }

 private:
  void Advance(TData& data, bool up);

  // Default is a plain property set after construction, so the count follows it until
  // the counter first changes.
  bool changed_ = false;
  int32_t count_ = 0;
};

}  // namespace lumi

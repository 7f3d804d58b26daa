#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Keeps one value for later readers.
class TElMemory : public TElement {
 public:
  TData Default;
  TEl_Event OnStore;
  TEl_Event InValue;

  // Also makes the default the current value, so a reader before the first Store
  // sees it.
  void SetDefault(const TData& value);

  void Store(TData& data, uint16_t index);  // takes InValue, or the incoming value
  void Clear(TData& data, uint16_t index);  // back to Default
  void OutValue(TData& result, uint16_t index);

 private:
  TData current_;
};

}  // namespace lumi

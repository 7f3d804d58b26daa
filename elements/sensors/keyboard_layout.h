#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// The keyboard layout a window types with, as a signed 32-bit value: the language
// identifier in both 16-bit halves (US English 67699721), so it can be compared as
// decimal text with the lines of the language table.
class TElKeyboardLayout : public TElement {
 public:
  TEl_Event InWindow;  // window handle; 0 when unlinked

  void OutLayout(TData& result, uint16_t index);
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Tells which window has the user's focus.
class TElWinEnum : public TElement {
 public:
  // The foreground window's handle as an integer, 0 when there is none.
  void OutForegroundWindow(TData& result, uint16_t index);
};

}  // namespace lumi

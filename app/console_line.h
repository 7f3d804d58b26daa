#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Writes each value it receives as one line on standard output, in UTF-8.
class TElConsoleLine : public TElement {
 public:
  void Print(TData& data, uint16_t index);
};

}  // namespace lumi

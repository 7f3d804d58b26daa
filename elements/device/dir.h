#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// The folder of the program's settings: the executable's own (the portable copy), or
// the user's configuration folder for an installed copy.
class TElDir : public TElement {
 public:
  // Ends with "/", so a file name can be appended as it is; empty when unknown.
  void OutFolder(TData& result, uint16_t index);
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// The program's own executable.
class TElApplication : public TElement {
 public:
  // The application title shown by the window system. Nothing on Linux reads it: the
  // main window's caption names the program there.
  Text Title;

  // The full path of the running executable (empty when it cannot be found).
  void OutFileName(TData& result, uint16_t index);
};

}  // namespace lumi

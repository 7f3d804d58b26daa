#pragma once

#include "runtime/container.h"

namespace lumi {

// Finds out whether another copy of the program is running: it counts the running
// processes whose executable has the same file name as its own, itself included.
//   Work[0]     start the check
//   OnEvent[0]  another copy is running (fired once, at the second match)
//   OnEvent[1]  the check is over
class TClassMultiElement_14CF7D0 : public Container {
 public:
  explicit TClassMultiElement_14CF7D0(TElement* parent);
};
using SingleInstanceGuard = TClassMultiElement_14CF7D0;

}  // namespace lumi

#pragma once

#include <cstdint>

#include "elements/compute/memory.h"
#include "runtime/container.h"

namespace lumi {

// Finds out whether another copy of the program is running: it counts this user's
// running processes whose executable has the same file name as its own, itself
// included. A copy it finds is asked to bring its window forward.
//   Work[0]     start the check
//   OnEvent[0]  another copy is running (fired once, at the second match)
//   OnEvent[1]  the check is over
//   OutVar[0]   the process id of the running copy that was asked, empty when none
class SingleInstanceGuard : public Container {
 public:
  explicit SingleInstanceGuard(TElement* parent);

  // OutVar[0] read directly: for the end of the program, when links no longer work.
  int32_t RunningCopy() const;

 private:
  TElMemory* running_copy_ = nullptr;
};

}  // namespace lumi

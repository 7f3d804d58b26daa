#pragma once

#include "runtime/container.h"

namespace lumi {

// Takes one sample of processor load and memory status for every channel of a cycle to
// compare against.
//   Work[0]     take a fresh sample
//   OutVar[0]   processor load in percent (all processors)
//   OutVar[1,3] total physical memory, OutVar[2,4] available physical memory,
//   OutVar[5,7] total page file, OutVar[6,8] available page file (megabytes)
class SensorHub : public Container {
 public:
  explicit SensorHub(TElement* parent);
};

}  // namespace lumi

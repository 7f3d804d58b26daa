#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Measures processor load. The samples belong to one sampler shared by every instance
// in the process: each Measure of any instance takes a new sample, and the load is the
// busy share between the last two. The first Measure compares with the start of the
// counters, so it reports the average load since boot.
class TElCPUUsage : public TElement {
 public:
  int32_t Processor = 0;  // 0..n-1 one processor, n (= OutProcessorCount) all of them
  TEl_Event OnLoad;

  TElCPUUsage();
  ~TElCPUUsage() override;

  void SetProcessor(TData& data, uint16_t index);

  // Fires OnLoad with the load in percent as a whole Real (halves to the even
  // neighbour). 0 when there are no samples or Processor names no processor.
  void Measure(TData& data, uint16_t index);

  void OutProcessorCount(TData& data, uint16_t index);
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// A counted loop: one OnIteration per index from Start towards End in steps of Step.
class TElFor : public TElement {
 public:
  int32_t Start = 0;
  int32_t End = 0;
  int32_t Step = 0;  // 0 makes no pass
  bool IncludeEnd = false;
  bool PassData = false;    // keep the incoming value for the data points to read
  bool BreakEvent = false;  // a stopped loop ends on OnBreak instead of OnStop
  TEl_Event OnIteration;
  TEl_Event OnStop;
  TEl_Event OnBreak;
  TEl_Event InEnd;
  TEl_Event InStart;

  // Pulls the start before the end. OnStop carries the first index not visited, or
  // after Stop the index of the last pass. An index past the 32-bit range ends the
  // loop and is reported as the nearest 32-bit value.
  void Run(TData& data, uint16_t index);
  void Stop(TData& data, uint16_t index);  // from a listener: no pass after this one
  void OutIndex(TData& result, uint16_t index);

 private:
  int32_t index_ = 0;
  bool stop_ = false;
};

}  // namespace lumi
